// The run's log files are only ever made new: a name someone else made is
// never written through, an explicit log replaces only a plain file, and a
// log that cannot be put in place leaves nothing under its name.
#include "wizard/win32/RunLogFile.h"

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"

namespace {

// The file's bytes, "" when it cannot be read.
std::string ReadText(const std::string& Path) { return ReadFileBytes(Path).value_or(""); }

TEST(RunLogFile, NamesOthersMadeAreNeverWrittenThrough) {
  TTempFolder Folder;
  const TLogTarget Dated{Folder / "OUpdate.2026Dec08_11_24.log", false};
  // Someone was first at the log's, the running file's and the composing
  // file's names.
  const char* const Taken[] = {"OUpdate.2026Dec08_11_24.log", "OUpdate.2026Dec08_11_24.log.running",
                               "OUpdate.2026Dec08_11_24.log.composing"};
  for (const char* Name : Taken) WriteFileBytes(Folder / Name, "someone else's");
  TRunningLog Running;
  ASSERT_TRUE(Running.Open(Dated)) << Running.Error();
  EXPECT_EQ(Folder / "OUpdate.2026Dec08_11_24.2.log.running", Running.FileName());
  Running.Append("engine line");
  const TLogWrite Log = WriteRunLog(Dated, "Result", Running, "");
  ASSERT_TRUE(Log.Written) << Log.Error;
  EXPECT_EQ(Folder / "OUpdate.2026Dec08_11_24.2.log", Log.FileName);
  EXPECT_NE(std::string::npos, ReadText(Log.FileName).find("\r\nengine line")) << ReadText(Log.FileName);
  for (const char* Name : Taken) EXPECT_EQ("someone else's", ReadText(Folder / Name)) << Name;
  EXPECT_FALSE(FileExists(Folder / "OUpdate.2026Dec08_11_24.log.2.composing")) << "the composing file stayed";
  Running.Remove();
}

TEST(RunLogFile, AnExplicitLogReplacesOnlyAPlainFile) {
  TTempFolder Folder;
  const struct {
    const char* Name;
    bool Folder;  // a folder stands at the name
    bool Written;
  } Cases[] = {{"new.log", false, true}, {"plain.log", false, true}, {"folder.log", true, false}};
  WriteFileBytes(Folder / "plain.log", "an older log");
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    const std::string Name = Folder / Case.Name;
    if (Case.Folder) MakeDirectories(Name);
    const TLogWrite Log = WriteLogText(TLogTarget{Name, true}, "Head\r\n");
    EXPECT_EQ(Case.Written, Log.Written) << Log.Error;
    EXPECT_EQ(Name, Log.FileName);
    if (Case.Written) {
      EXPECT_EQ("Head\r\n", ReadText(Name));
    } else {
      EXPECT_FALSE(Log.Error.empty());
    }
    EXPECT_FALSE(FileExists(Name + ".composing")) << "the composing file stayed";
  }
}

TEST(RunLogFile, ARunningFileThatCannotBeMadeIsLostAndTold) {
  TTempFolder Folder;
  TRunningLog Running;
  EXPECT_FALSE(Running.Lost()) << "nothing was tried yet";
  EXPECT_FALSE(Running.Open(TLogTarget{Folder / "no such folder\\x.log", true}));
  EXPECT_TRUE(Running.Lost());
  EXPECT_FALSE(Running.Error().empty());
  // The final log then holds the transcript's part of the output.
  const TLogWrite Log = WriteRunLog(TLogTarget{Folder / "x.log", true}, "Result", Running, "\r\nlast line");
  ASSERT_TRUE(Log.Written) << Log.Error;
  EXPECT_NE(std::string::npos, ReadText(Log.FileName).find("\r\nlast line"));
}

}  // namespace
