#include "wizard/win32/RunLogFile.h"

#include <sddl.h>

#include <stdexcept>

#include "utils/win32/OSError.h"
#include "wizard/EngineRun.h"
#include "wizard/RunLog.h"
#include "wizard/win32/FileSystem.h"

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

// Creates Name only when nothing of that name exists. CREATE_NEW alone would
// follow a dangling link or junction and create its target wherever it
// points; with FILE_FLAG_OPEN_REPARSE_POINT the link itself is the name that
// exists, and the create fails with ERROR_FILE_EXISTS.
HANDLE CreateNewFile(const std::string& Name, DWORD Access, DWORD Share) {
  return CreateFileA(Name.c_str(), Access, Share, nullptr, CREATE_NEW,
                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

// The name is someone else's: the next one is tried.
bool NameTaken(DWORD Code) { return Code == ERROR_FILE_EXISTS || Code == ERROR_ALREADY_EXISTS; }

}  // namespace

TLogTarget DatedLogTarget(const std::string& ExePath) {
  SYSTEMTIME Now;
  GetLocalTime(&Now);
  return {LogFileName(ExePath, Now.wYear, Now.wMonth, Now.wDay, Now.wHour, Now.wMinute, MonthAbbreviation(Now.wMonth)),
          false};
}

bool TRunningLog::Open(const TLogTarget& Target) {
  FOpened = true;
  FIntact = false;
  FFileName = RunningLogName(Target.Name);
  DWORD Code = 0;
  try {
    // Shared for reading, so the operator (or support) can look at a run in
    // progress.
    FFileName = RunningLogName(UniqueLogName(Target.Name, [this, &Code](const std::string& Name) {
      FFile.Reset(CreateNewFile(RunningLogName(Name), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ));
      Code = FFile.IsValid() ? 0 : GetLastError();
      return NameTaken(Code);
    }));
  } catch (const std::exception& Error) {
    FError = Error.what();
    return false;
  }
  if (!FFile.IsValid()) {
    Fail(Code);
    return false;
  }
  FIntact = true;
  return true;
}

void TRunningLog::Fail(DWORD Code) {
  FIntact = false;
  if (FError.empty()) FError = SysErrorMessage(Code);
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
  if (!WriteAll(FFile.Get(), Line.data(), Line.size()) || !WriteAll(FFile.Get(), "\r\n", 2)) Fail(GetLastError());
}

void TRunningLog::Flush() {
  if (!IsOpen() || FBuffer.empty()) return;
  if (!WriteAll(FFile.Get(), FBuffer.data(), FBuffer.size())) Fail(GetLastError());
  // Written is enough for a wizard that is killed: the system holds the data.
  // Forcing it onto the disk as well would hold the window for as long as
  // the disk takes.
  FBuffer.clear();
}

void TRunningLog::Remove() {
  FFile.Reset();
  if (!FFileName.empty()) DeleteFileA(FFileName.c_str());
}

namespace {

using TCompose = std::function<void(const TWriteBytes& Write)>;

// Renames the composed file to the log's name. The dated log takes the next
// free name of its minute: a rename without MOVEFILE_REPLACE_EXISTING fails
// on any name that exists, a link included. An explicit /log= file replaces
// only a plain file: a folder, a device or a reparse point (link, junction,
// mount point) there is refused. The rename replaces the directory entry
// itself, so even a link put there after the look goes, not its target.
std::string MoveIntoPlace(const std::string& Temp, const TLogTarget& Target) {
  if (Target.Explicit) {
    const DWORD Attributes = GetFileAttributesA(Target.Name.c_str());
    if (Attributes != INVALID_FILE_ATTRIBUTES &&
        (Attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0)
      throw TSystemError(ERROR_ALREADY_EXISTS);
    if (!MoveFileExA(Temp.c_str(), Target.Name.c_str(), MOVEFILE_REPLACE_EXISTING)) throw TSystemError(GetLastError());
    return Target.Name;
  }
  DWORD Code = 0;
  const std::string Name = UniqueLogName(Target.Name, [&Temp, &Code](const std::string& Candidate) {
    Code = MoveFileExA(Temp.c_str(), Candidate.c_str(), 0) ? 0 : GetLastError();
    return NameTaken(Code);
  });
  if (Code != 0) throw TSystemError(Code);
  return Name;
}

// Composes the log under "<log>.composing" (or the next free such name) and
// renames it into place; the temporary file goes again on any failure.
TLogWrite PlaceLog(const TLogTarget& Target, const TCompose& Compose) {
  TLogWrite Result;
  Result.FileName = Target.Name;
  std::string Temp;
  TKernelHandle File;
  try {
    for (int Number = 1; !File.IsValid(); ++Number) {
      Temp = Target.Name + (Number == 1 ? "" : "." + std::to_string(Number)) + ".composing";
      File.Reset(CreateNewFile(Temp, GENERIC_WRITE, 0));
      const DWORD Code = File.IsValid() ? 0 : GetLastError();
      if (Code != 0 && (!NameTaken(Code) || Number >= MaxLogNumber)) {
        Temp.clear();
        throw TSystemError(Code);
      }
    }
    Compose([&File](const char* Data, std::size_t Count) {
      if (!WriteAll(File.Get(), Data, Count)) throw TSystemError(GetLastError());
    });
    File.Reset();  // closed before the rename
    Result.FileName = MoveIntoPlace(Temp, Target);
  } catch (const std::exception& Error) {
    Result.Error = Error.what();
    File.Reset();
    if (!Temp.empty()) DeleteFileA(Temp.c_str());
    return Result;
  }
  Result.Written = true;
  return Result;
}

}  // namespace

TLogWrite WriteRunLog(const TLogTarget& Target, const std::string& ResultText, TRunningLog& Running,
                      const std::string& Transcript) {
  Running.Flush();
  return PlaceLog(Target, [&](const TWriteBytes& Write) {
    if (!Running.Intact()) {
      const std::string Record = TranscriptRecord(ResultText, Transcript);
      Write(Record.data(), Record.size());
      return;
    }
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
  });
}

TLogWrite WriteLogText(const TLogTarget& Target, const std::string& Text) {
  return PlaceLog(Target, [&Text](const TWriteBytes& Write) { Write(Text.data(), Text.size()); });
}

namespace {
// Frees what ConvertStringSecurityDescriptorToSecurityDescriptorA allocated.
struct TLocalSecurityDescriptor {
  PSECURITY_DESCRIPTOR Value = nullptr;
  ~TLocalSecurityDescriptor() {
    if (Value) LocalFree(Value);
  }
};

void CreateLogFolder(const std::string& Folder, SECURITY_ATTRIBUTES* Security) {
  const DWORD Attributes = GetFileAttributesA(Folder.c_str());
  // A drive's root exists, or the write fails.
  if (Folder.size() <= 3 || (Attributes != INVALID_FILE_ATTRIBUTES && (Attributes & FILE_ATTRIBUTE_DIRECTORY))) return;
  const std::size_t Slash = Folder.find_last_of("\\/");
  if (Slash != std::string::npos && Slash > 0) CreateLogFolder(Folder.substr(0, Slash), Security);
  CreateDirectoryA(Folder.c_str(), Security);
}
}  // namespace

void CreateLogFolders(const std::string& FullLogPath) {
  const std::string& Full = FullLogPath;
  const std::size_t Slash = Full.find_last_of("\\/");
  if (Slash == std::string::npos || Slash < 3) return;
  // A folder that inherited its parent's permissions might let anyone put a
  // link where the next log goes. Should the descriptor not convert, the
  // folder is not made at all: the log's write then reports the failure.
  TLocalSecurityDescriptor Descriptor;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(LogFolderSecurity, SDDL_REVISION_1, &Descriptor.Value,
                                                            nullptr))
    return;
  SECURITY_ATTRIBUTES Security = {sizeof(Security), Descriptor.Value, FALSE};
  CreateLogFolder(Full.substr(0, Slash), &Security);
}

TLogTarget ChosenLogTarget(const std::string& LogFile) {
  if (LogFile.empty()) return DatedLogTarget(ProgramFilePath());
  const std::string FullPath = ExpandFileName(LogFile);
  CreateLogFolders(FullPath);
  return {FullPath, true};
}
