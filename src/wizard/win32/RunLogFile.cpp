#include "wizard/win32/RunLogFile.h"

#include <stdexcept>

#include "utils/win32/OSError.h"
#include "wizard/EngineRun.h"
#include "wizard/RunLog.h"

namespace {

// From this length on a line is written from where it lies.
constexpr std::size_t LongLine = 1 << 20;

// Carries the system's text of a failed call out of the composition.
struct TSystemError : std::runtime_error {
  explicit TSystemError(DWORD Code) : std::runtime_error(SysErrorMessage(Code)) {}
};

bool WriteAll(HANDLE File, const char* Data, std::size_t Count) {
  while (Count > 0) {
    DWORD Done = 0;
    const DWORD Asked = Count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(Count);
    if (!WriteFile(File, Data, Asked, &Done, nullptr) || Done == 0) return false;
    Data += Done;
    Count -= Done;
  }
  return true;
}

std::string MonthAbbreviation(int Month) {
  char Name[32] = {};
  if (Month >= 1 && Month <= 12 &&
      GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVMONTHNAME1 + (Month - 1), Name, sizeof(Name)) > 0)
    return Name;
  return "";  // LogFileName falls back to English
}

bool FileExists(const std::string& Name) { return GetFileAttributesA(Name.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

bool TRunningLog::Open(const std::string& FileName) {
  FFileName = FileName;
  // Shared for reading, so the operator (or support) can look at a run in
  // progress.
  FFile.Reset(CreateFileA(FileName.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  FIntact = FFile.IsValid();
  return FIntact;
}

void TRunningLog::Append(const std::string& Line, bool LineEnds) {
  if (!IsOpen()) return;
  if (!LineEnds) {
    FBuffer += Line;
    return;
  }
  if (Line.size() < LongLine) {
    AppendRunningLine(FBuffer, Line);
    return;
  }
  // Written from where it lies rather than copied into the buffer first.
  Flush();
  if (!WriteAll(FFile.Get(), Line.data(), Line.size()) || !WriteAll(FFile.Get(), "\r\n", 2)) FIntact = false;
}

void TRunningLog::Flush() {
  if (!IsOpen() || FBuffer.empty()) return;
  if (!WriteAll(FFile.Get(), FBuffer.data(), FBuffer.size())) FIntact = false;
  // Written is enough for a wizard that is killed: the system holds the data.
  // Forcing it onto the disk as well would hold the window for as long as
  // the disk takes.
  FBuffer.clear();
}

void TRunningLog::Remove() {
  FFile.Reset();
  if (!FFileName.empty()) DeleteFileA(FFileName.c_str());
}

TLogWrite WriteRunLog(const std::string& FileName, const std::string& ResultText, TRunningLog& Running,
                      const std::string& Transcript) {
  Running.Flush();
  TLogWrite Result;
  Result.FileName = FileName;
  TKernelHandle Log(
      CreateFileA(FileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!Log.IsValid()) {
    Result.Error = SysErrorMessage(GetLastError());
    return Result;
  }
  const TWriteBytes Write = [&Log](const char* Data, std::size_t Count) {
    if (!WriteAll(Log.Get(), Data, Count)) throw TSystemError(GetLastError());
  };
  try {
    if (Running.Intact()) {
      HANDLE File = Running.Handle();
      LARGE_INTEGER Start = {};
      if (!SetFilePointerEx(File, Start, nullptr, FILE_BEGIN)) throw TSystemError(GetLastError());
      ComposeRunLog(
          ResultText,
          [File](char* Buffer, std::size_t Count) -> std::size_t {
            DWORD Done = 0;
            if (!ReadFile(File, Buffer, static_cast<DWORD>(Count), &Done, nullptr)) throw TSystemError(GetLastError());
            return Done;
          },
          Write);
      LARGE_INTEGER End = {};
      SetFilePointerEx(File, End, nullptr, FILE_END);
    } else {
      const std::string Record = TranscriptRecord(ResultText, Transcript);
      Write(Record.data(), Record.size());
    }
  } catch (const std::exception& Error) {
    Result.Error = Error.what();
    return Result;
  }
  Result.Written = true;
  return Result;
}

TLogWrite WriteLogText(const std::string& FileName, const std::string& Text) {
  TLogWrite Result;
  Result.FileName = FileName;
  TKernelHandle Log(
      CreateFileA(FileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!Log.IsValid() || !WriteAll(Log.Get(), Text.data(), Text.size())) {
    Result.Error = SysErrorMessage(GetLastError());
    return Result;
  }
  Result.Written = true;
  return Result;
}

namespace {
std::string DatedLogName(const std::string& ExePath) {
  SYSTEMTIME Now;
  GetLocalTime(&Now);
  return LogFileName(ExePath, Now.wYear, Now.wMonth, Now.wDay, Now.wHour, Now.wMinute, MonthAbbreviation(Now.wMonth));
}
}  // namespace

std::string FreeDatedLogName(const std::string& ExePath) { return UniqueLogName(DatedLogName(ExePath), FileExists); }

std::string FreeRunningLogName(const std::string& ExePath) {
  return RunningLogName(
      UniqueLogName(DatedLogName(ExePath), [](const std::string& Name) { return FileExists(RunningLogName(Name)); }));
}
