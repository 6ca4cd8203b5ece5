// TPipeStream over real anonymous pipes, fed by a real child process at the
// moments the test chooses.
#include "TestSupport.h"

#include "utils/Errors.h"
#include "utils/win32/PipeStream.h"
#include "utils/win32/Stream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string NoLine = TPipeStream::NoLine;

TEST(PipeStream, OtherEndHandleOfBothStreams) {
  TPipeStream Reader(TPipeStream::ReadEnd, 1);
  TPipeStream Writer(TPipeStream::WriteEnd, 1);
  ASSERT_NE(Reader.ReadHandle(), nullptr);
  ASSERT_NE(Reader.WriteHandle(), nullptr);
  EXPECT_EQ(Reader.Handle(), Reader.ReadHandle());
  EXPECT_EQ(Reader.OtherEndHandle(), Reader.WriteHandle());
  EXPECT_EQ(Writer.Handle(), Writer.WriteHandle());
  EXPECT_EQ(Writer.OtherEndHandle(), Writer.ReadHandle());
  EXPECT_NE(Reader.ReadHandle(), Writer.ReadHandle());
}

TEST(PipeStream, AnyOtherEndLeavesTheStreamWithoutAHandle) {
  TPipeStream Neither(2, 1);
  EXPECT_EQ(Neither.Handle(), nullptr);
  EXPECT_EQ(Neither.OtherEndHandle(), nullptr);
  EXPECT_NE(Neither.ReadHandle(), nullptr) << "the pipe is still created";
  EXPECT_EQ(Neither.ReadLine(), NoLine);
}

// The child's end is inherited; the wizard's own end never is, or a process
// the engine starts could hold the wizard's side of the pipe.
TEST(PipeStream, OnlyTheChildsEndIsInheritable) {
  TPipeStream Reader(TPipeStream::ReadEnd, 1);
  TPipeStream Writer(TPipeStream::WriteEnd, 1);
  const struct {
    const char* Name;
    HANDLE End;
    bool Inheritable;
  } Ends[] = {{"reader's own", Reader.Handle(), false},
              {"reader's other", Reader.OtherEndHandle(), true},
              {"writer's own", Writer.Handle(), false},
              {"writer's other", Writer.OtherEndHandle(), true}};
  for (const auto& End : Ends) {
    DWORD Flags = 0;
    ASSERT_TRUE(GetHandleInformation(End.End, &Flags)) << End.Name;
    EXPECT_EQ((Flags & HANDLE_FLAG_INHERIT) != 0, End.Inheritable) << End.Name;
  }
}

// What the writing end can take without waiting: what the pipe holds unread
// uses up its buffer, and reading frees it again.
TEST(PipeStream, RoomToWriteIsTheBufferLessWhatIsUnread) {
  TPipeStream Writer(TPipeStream::WriteEnd, 64);
  EXPECT_EQ(Writer.RoomToWrite(), 64u);
  Writer.WriteBuffer("0123456789", 10);
  EXPECT_EQ(Writer.RoomToWrite(), 54u);
  const std::string Rest(54, 'x');
  Writer.WriteBuffer(Rest.data(), Rest.size());  // fits, so it cannot wait for a reader
  EXPECT_EQ(Writer.RoomToWrite(), 0u);
  char Buffer[10];
  DWORD Got = 0;
  ASSERT_TRUE(ReadFile(Writer.OtherEndHandle(), Buffer, sizeof Buffer, &Got, nullptr));
  EXPECT_EQ(Writer.RoomToWrite(), 10u);
  TPipeStream Reader(TPipeStream::ReadEnd, 64);
  EXPECT_EQ(Reader.RoomToWrite(), 0u) << "a reading end takes no writes";
}

TEST(PipeStream, DestructionClosesBothEnds) {
  HANDLE Read, Write;
  {
    TPipeStream Reader(TPipeStream::ReadEnd, 1);
    Read = Reader.ReadHandle();
    Write = Reader.WriteHandle();
    DWORD Flags;
    ASSERT_TRUE(GetHandleInformation(Read, &Flags));
  }
  DWORD Flags;
  EXPECT_FALSE(GetHandleInformation(Read, &Flags)) << "read end still open";
  EXPECT_FALSE(GetHandleInformation(Write, &Flags)) << "write end still open";
}

TEST(PipeStream, BytesWrittenToTheOtherEndAreRead) {
  TPipeStream Reader(TPipeStream::ReadEnd, 4096);  // roomy: this thread writes and reads
  THandleStream ChildEnd(Reader.OtherEndHandle());
  EXPECT_EQ(Reader.BytesWaiting(), 0u);
  EXPECT_EQ(Reader.ReadLine(), NoLine);
  ChildEnd.WriteBuffer("abc", 3);
  EXPECT_EQ(Reader.BytesWaiting(), 3u);
  EXPECT_EQ(Reader.ReadLine(), NoLine);
  EXPECT_EQ(Reader.PendingSize(), 3u);
  WriteLine(ChildEnd, "");
  EXPECT_EQ(Reader.ReadLine(), "abc");
  EXPECT_EQ(Reader.ReadLine(), NoLine);
}

TEST(PipeStream, WriteLineIntoAReadEndRaisesTheStreamWriteError) {
  TPipeStream Reader(TPipeStream::ReadEnd, 1);
  try {
    WriteLine(Reader, "no way");
    FAIL() << "writing into the read end succeeded";
  } catch (const EStreamWriteError& Error) {
    EXPECT_STREQ(Error.what(), "Stream write error");
  }
}

// A child that writes exactly the chunks it is sent, when it is sent them.
class PipeFromChild : public ::testing::Test {
 protected:
  void Send(const std::string& Bytes) { WriteLine(Child.Input, Hex(Bytes)); }
  // Waits until Count bytes have been taken into the pending text.
  bool WaitForPending(std::size_t Count) {
    return WaitUntil(
        [&] {
          Child.Output.PeekChar();
          return Child.Output.PendingSize() >= Count;
        },
        DefaultTimeoutMs, 1);
  }
  // Takes in whatever the child has written so far. A child blocked on an
  // unread write cannot read its next chunk: with pipes of size 1 a second
  // Send before that would wait forever.
  void Drain() {
    WaitUntil(
        [&] {
          bool Had = Child.Output.BytesWaiting() > 0;
          Child.Output.PeekChar();
          return Had;
        },
        2000, 1);
  }
  void TearDown() override {
    while (Child.Output.BytesWaiting() > 0) Child.Output.PeekChar();
    WriteLine(Child.Input, "quit");
    EXPECT_TRUE(Child.WaitForExit()) << "the child did not end";
  }

  TChild Child{"chunks"};
};

TEST_F(PipeFromChild, NothingWaitingGivesNoLine) {
  EXPECT_EQ(Child.Output.ReadLine(), NoLine);
  EXPECT_EQ(Child.Output.PendingSize(), 0u);
}

TEST_F(PipeFromChild, PartialLineWaitsForItsTerminator) {
  Send("abc");
  ASSERT_TRUE(WaitForPending(3));
  EXPECT_EQ(Child.Output.ReadLine(), NoLine);
  EXPECT_EQ(Child.Output.PendingSize(), 3u);
  Send("\r\n");
  EXPECT_EQ(Visible(WaitForLine(Child.Output)), Visible("abc"));
  EXPECT_EQ(Child.Output.ReadLine(), NoLine);
}

TEST_F(PipeFromChild, TwoLinesInOneWrite) {
  Send("a\r\nb\n");
  EXPECT_EQ(Visible(WaitForLine(Child.Output)), Visible("a"));
  EXPECT_EQ(Visible(WaitForLine(Child.Output)), Visible("b"));
  EXPECT_EQ(Child.Output.ReadLine(), NoLine);
}

TEST_F(PipeFromChild, LateLineFeedEndsAnEmptyLine) {
  Send("x\r");
  EXPECT_EQ(Visible(WaitForLine(Child.Output)), Visible("x"));
  EXPECT_EQ(Child.Output.ReadLine(), NoLine);
  Send("\ny\r\n");
  EXPECT_EQ(Visible(WaitForLine(Child.Output)), Visible(""));
  EXPECT_EQ(Visible(WaitForLine(Child.Output)), Visible("y"));
}

TEST_F(PipeFromChild, CrLfAloneIsTheEmptyLine) {
  Send("\r\n");
  EXPECT_EQ(Visible(WaitForLine(Child.Output)), Visible(""));
  EXPECT_EQ(Child.Output.ReadLine(), NoLine);
}

TEST_F(PipeFromChild, EveryByteWaitingIsTakenInOneRead) {
  Send(std::string(300, 'z'));
  ASSERT_TRUE(WaitUntil([&] { return Child.Output.BytesWaiting() >= 300; }))
      << "waiting: " << Child.Output.BytesWaiting();
  EXPECT_EQ(Child.Output.PeekChar(), 'z');
  EXPECT_EQ(Child.Output.PendingSize(), 300u);
  EXPECT_EQ(Child.Output.BytesWaiting(), 0u);
  Send("\n");
  EXPECT_EQ(WaitForLine(Child.Output), std::string(300, 'z'));
}

TEST_F(PipeFromChild, NulBytesAreDroppedAndReadingGoesOn) {
  Send(std::string("a\0b\r\n", 5));
  EXPECT_EQ(Visible(WaitForLine(Child.Output)), Visible("ab"));
  Send(std::string("\0", 1));
  Drain();
  EXPECT_EQ(Child.Output.PendingSize(), 0u);
  Send("c\n");
  EXPECT_EQ(Visible(WaitForLine(Child.Output)), Visible("c"));
}

TEST_F(PipeFromChild, ManyLinesArriveInOrder) {
  std::string Burst;
  for (int I = 0; I < 150; ++I) Burst += "line " + std::to_string(I) + (I % 2 ? "\r\n" : "\n");
  Send(Burst);
  for (int I = 0; I < 150; ++I) ASSERT_EQ(WaitForLine(Child.Output), "line " + std::to_string(I));
  EXPECT_EQ(Child.Output.ReadLine(), NoLine);
}

TEST(PipeToChild, WriteLineReachesTheChildsStandardInput) {
  TChild Child("echo");
  WriteLine(Child.Input, "hello engine");
  EXPECT_EQ(WaitForLine(Child.Output), "echo:hello engine");
  WriteLine(Child.Input, "");
  EXPECT_EQ(WaitForLine(Child.Output), "echo:");
  WriteLine(Child.Input, "quit");
  EXPECT_TRUE(Child.WaitForExit());
}

}  // namespace
