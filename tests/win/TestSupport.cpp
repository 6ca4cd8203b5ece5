#include "TestSupport.h"

#include "utils/win32/Processes.h"
#include "wizard/EngineRun.h"

#include <stdexcept>
#include <vector>

std::string SelfPath() {
  char Path[MAX_PATH * 4];
  DWORD Length = GetModuleFileNameA(nullptr, Path, sizeof(Path));
  return std::string(Path, Length);
}

std::string Hex(const std::string& Bytes) {
  static const char Digits[] = "0123456789abcdef";
  std::string Out;
  for (unsigned char C : Bytes) {
    Out += Digits[C >> 4];
    Out += Digits[C & 15];
  }
  return Out;
}

std::string Unhex(const std::string& Digits) {
  auto Value = [](char C) { return C <= '9' ? C - '0' : C - 'a' + 10; };
  std::string Out;
  for (std::size_t I = 0; I + 1 < Digits.size(); I += 2)
    Out += static_cast<char>(Value(Digits[I]) * 16 + Value(Digits[I + 1]));
  return Out;
}

bool WaitUntil(const std::function<bool()>& Done, DWORD TimeoutMs) {
  const ULONGLONG Deadline = GetTickCount64() + TimeoutMs;
  for (;;) {
    if (Done()) return true;
    if (GetTickCount64() > Deadline) return false;
    Sleep(1);
  }
}

std::string WaitForLine(TPipeStream& Stream, DWORD TimeoutMs) {
  std::string Line = TPipeStream::NoLine;
  WaitUntil([&] { return (Line = Stream.ReadLine()) != TPipeStream::NoLine; }, TimeoutMs);
  return Line;
}

std::string Visible(const std::string& Text) {
  if (Text == TPipeStream::NoLine) return "<no line>";
  std::string Out = "\"";
  for (char C : Text) {
    if (C == '\r')
      Out += "\\r";
    else if (C == '\n')
      Out += "\\n";
    else if (C == '\0')
      Out += "\\0";
    else
      Out += C;
  }
  return Out + "\"";
}

namespace {

void DeleteTree(const std::string& Path) {
  WIN32_FIND_DATAA Found;
  TFindHandle Search(FindFirstFileA((Path + "\\*").c_str(), &Found));
  if (Search) {
    do {
      const std::string Name = Found.cFileName;
      if (Name == "." || Name == "..") continue;
      const std::string Full = Path + "\\" + Name;
      if (Found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        DeleteTree(Full);
      } else {
        SetFileAttributesA(Full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(Full.c_str());
      }
    } while (FindNextFileA(Search.Get(), &Found));
  }
  Search.Reset();
  RemoveDirectoryA(Path.c_str());
}

}  // namespace

TTempFolder::TTempFolder(const std::string& Name) {
  static int Counter = 0;
  char Temp[MAX_PATH];
  GetTempPathA(sizeof(Temp), Temp);
  FPath = std::string(Temp) + "oupdate-test-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(++Counter) + Name;
  DeleteTree(FPath);
  CreateFolders(FPath);
}

TTempFolder::~TTempFolder() { DeleteTree(FPath); }

void CreateFolders(const std::string& Path) {
  for (std::size_t Slash = Path.find('\\', 3);; Slash = Path.find('\\', Slash + 1)) {
    CreateDirectoryA(Path.substr(0, Slash).c_str(), nullptr);
    if (Slash == std::string::npos) break;
  }
}

void WriteFileText(const std::string& Path, const std::string& Text) {
  TKernelHandle File(
      CreateFileA(Path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!File) throw std::runtime_error("cannot create " + Path);
  DWORD Written = 0;
  WriteFile(File.Get(), Text.data(), static_cast<DWORD>(Text.size()), &Written, nullptr);
}

bool FileExists(const std::string& Path) {
  DWORD Attributes = GetFileAttributesA(Path.c_str());
  return Attributes != INVALID_FILE_ATTRIBUTES && !(Attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void CopyProgram(const std::string& To) {
  if (!CopyFileA(SelfPath().c_str(), To.c_str(), FALSE)) throw std::runtime_error("cannot copy to " + To);
}

TChild::TChild(const std::string& Mode, const std::string& Program) {
  FId = StartChildProcess(EngineCommandLine(Program, "--child=" + Mode), false, Input.OtherEndHandle(),
                          Output.OtherEndHandle(), Output.OtherEndHandle(), &FProcess);
  if (FId == 0) throw std::runtime_error("cannot start " + Program + " --child=" + Mode);
}

TChild::~TChild() {
  if (FProcess && WaitForSingleObject(FProcess.Get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(FProcess.Get(), 99);
    WaitForSingleObject(FProcess.Get(), 5000);
  }
}

bool TChild::WaitForExit(DWORD TimeoutMs) const {
  return WaitForSingleObject(FProcess.Get(), TimeoutMs) == WAIT_OBJECT_0;
}

DWORD TChild::ExitCode() const {
  DWORD Code = 0;
  GetExitCodeProcess(FProcess.Get(), &Code);
  return Code;
}
