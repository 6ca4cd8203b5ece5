// TPipeStream over real anonymous pipes, fed by a real child process at the
// moments the test chooses.
#include "TestSupport.h"

#include "utils/Errors.h"
#include "utils/win32/PipeStream.h"
#include "utils/win32/Processes.h"
#include "utils/win32/Stream.h"
#include "wizard/EngineRun.h"

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

// A write end that never waits takes what the pipe has room for, then
// nothing, and reading makes room again. The pipe's real room is the
// system's choice (the size asked for is a suggestion), so it is measured.
TEST(PipeStream, AWriteEndThatNeverWaitsTakesWhatFitsAndThenNothing) {
  TPipeStream Writer(TPipeStream::WriteEnd, 64);
  Writer.NeverWait();
  const std::string Block(256, 'x');
  std::size_t Room = 0;
  for (std::size_t Done; (Done = Writer.WriteSome(Block.data(), Block.size())) > 0;) Room += Done;
  ASSERT_GT(Room, 0u) << "an empty pipe took nothing";
  EXPECT_EQ(Writer.WriteSome("y", 1), 0u) << "a full pipe took a byte";
  char Buffer[10];
  DWORD Got = 0;
  ASSERT_TRUE(ReadFile(Writer.OtherEndHandle(), Buffer, sizeof Buffer, &Got, nullptr));
  const std::size_t Again = Writer.WriteSome(Block.data(), Block.size());
  EXPECT_GT(Again, 0u) << "reading made no room";
  EXPECT_LE(Again, Got) << "room of " << Room;
}

// Once the child has started, the caller holds only its own ends: the
// child's end of the output and of the input are gone from this process, so
// the output ends with the child, and input for a child that has gone is a
// broken pipe rather than bytes that wait for nobody.
TEST(PipeStream, AfterTheStartOnlyTheChildHoldsItsEnds) {
  TPipeStream Output(TPipeStream::ReadEnd, 4096);
  TPipeStream Input(TPipeStream::WriteEnd, 4096);
  Input.NeverWait();
  const HANDLE ChildsEnds[] = {Output.OtherEndHandle(), Input.OtherEndHandle()};
  TKernelHandle Process;
  ASSERT_NE(StartChildOnPipes(EngineCommandLine(SelfPath(), "--child=echo"), false, Input, Output, &Process), 0u);
  for (HANDLE End : ChildsEnds) {
    DWORD Flags = 0;
    EXPECT_FALSE(GetHandleInformation(End, &Flags)) << "the caller still holds a child's end";
  }
  EXPECT_EQ(Output.OtherEndHandle(), nullptr);
  EXPECT_EQ(Input.OtherEndHandle(), nullptr);

  const std::string Lines = "hello\r\nquit\r\n";
  EXPECT_EQ(Input.WriteSome(Lines.data(), Lines.size()), Lines.size());
  EXPECT_EQ(WaitForLine(Output), "echo:hello");
  ASSERT_EQ(WaitForSingleObject(Process.Get(), 10000), WAIT_OBJECT_0);
  EXPECT_TRUE(WaitUntil([&] { return Output.BytesWaiting() == 0 && Output.Ended(); }))
      << "the output did not end with the child";
  EXPECT_THROW(Input.WriteSome("x", 1), EStreamWriteError);
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
