// Environment variables, system error texts and the stream write rules.
#include "utils/Errors.h"
#include "utils/win32/OSError.h"
#include "utils/win32/Stream.h"
#include "utils/win32/SystemInfo.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

TEST(ReadEnvironmentVariable, ReturnsValuesOfAnyLengthWhole) {
  for (std::size_t Length : {1u, 4094u, 4095u, 4096u, 4097u, 10000u, 32000u}) {
    const std::string Value(Length, 'v');
    ASSERT_TRUE(SetEnvironmentVariableA("OUPDATE_TEST_VALUE", Value.c_str()));
    std::string Got = ReadEnvironmentVariable("OUPDATE_TEST_VALUE");
    EXPECT_EQ(Got.size(), Length) << "a value of " << Length << " characters";
    EXPECT_EQ(Got, Value);
  }
  SetEnvironmentVariableA("OUPDATE_TEST_VALUE", "C:\\Kelvra Home");
  EXPECT_EQ(ReadEnvironmentVariable("oupdate_test_value"), "C:\\Kelvra Home");
  SetEnvironmentVariableA("OUPDATE_TEST_VALUE", nullptr);
  EXPECT_EQ(ReadEnvironmentVariable("OUPDATE_TEST_VALUE"), "");
}

TEST(SysErrorMessage, GivesTheSystemTextWithoutItsEnding) {
  for (DWORD Code : {ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_BAD_NETPATH}) {
    std::string Text = SysErrorMessage(Code);
    ASSERT_FALSE(Text.empty()) << "code " << Code;
    EXPECT_NE(Text.back(), '.') << Text;
    EXPECT_NE(Text.back(), '\n') << Text;
    EXPECT_NE(Text.back(), ' ') << Text;
  }
  EXPECT_EQ(SysErrorMessage(0x2FFFFFFF), "");
}

TEST(RaiseLastOSError, CarriesTheLastErrorCode) {
  SetLastError(ERROR_ACCESS_DENIED);
  try {
    RaiseLastOSError();
  } catch (const EOSError& Error) {
    EXPECT_EQ(Error.ErrorCode(), static_cast<unsigned long>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(std::string(Error.what()), "System Error.  Code: 5.\r\n" + SysErrorMessage(ERROR_ACCESS_DENIED));
  }
  SetLastError(0);
  try {
    RaiseLastOSError();
  } catch (const EOSError& Error) {
    EXPECT_STREQ(Error.what(), "A call to an OS function failed");
  }
}

// A stream that takes at most Room bytes per write.
class TNarrowStream : public TStream {
 public:
  explicit TNarrowStream(std::size_t Room) : FRoom(Room) {}
  std::size_t Read(void*, std::size_t) override { return 0; }
  std::size_t Write(const void* Buffer, std::size_t Count) override {
    ++Writes;
    std::size_t Taken = Count < FRoom ? Count : FRoom;
    Data.append(static_cast<const char*>(Buffer), Taken);
    return Taken;
  }
  std::int64_t Seek(std::int64_t, TSeekOrigin) override { return static_cast<std::int64_t>(Data.size()); }
  std::string Data;
  int Writes = 0;

 private:
  std::size_t FRoom;
};

TEST(WriteLine, WritesTheTextAndCrLfInOneWrite) {
  TNarrowStream Stream(1000);
  WriteLine(Stream, "Y");
  EXPECT_EQ(Stream.Data, "Y\r\n");
  EXPECT_EQ(Stream.Writes, 1);
  WriteLine(Stream, "");
  EXPECT_EQ(Stream.Data, "Y\r\n\r\n");
}

TEST(WriteLine, AShortWriteRaisesTheStreamWriteError) {
  TNarrowStream Stream(4);
  EXPECT_THROW(WriteLine(Stream, "12345"), EStreamWriteError);
  EXPECT_NO_THROW(WriteLine(Stream, "12"));
}

TEST(HandleStream, SeeksAndSizesAFile) {
  char Temp[MAX_PATH], Name[MAX_PATH];
  GetTempPathA(sizeof(Temp), Temp);
  GetTempFileNameA(Temp, "oup", 0, Name);
  HANDLE File = CreateFileA(Name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  ASSERT_NE(File, INVALID_HANDLE_VALUE);
  {
    THandleStream Stream(File);
    WriteLine(Stream, "abc");
    EXPECT_EQ(Stream.Position(), 5);
    EXPECT_EQ(Stream.Size(), 5);
    EXPECT_EQ(Stream.Seek(1, TSeekOrigin::Beginning), 1);
    char Got[4] = {};
    EXPECT_EQ(Stream.Read(Got, 3), 3u);
    EXPECT_STREQ(Got, "bc\r");
    EXPECT_EQ(Stream.Position(), 4);
  }
  CloseHandle(File);
}

}  // namespace
