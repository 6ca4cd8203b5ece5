#include "utils/win32/Processes.h"

#include "utils/AsciiCase.h"

#include <psapi.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace {

const DWORD QueryAndReadAccess = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;  // 0x410
const int ProcessListRoom = 2048;
const int ModuleListAttempts = 10;
const DWORD ModuleListPauseMs = 5;

TKernelHandle OpenForQuery(DWORD ProcessId) { return TKernelHandle(OpenProcess(QueryAndReadAccess, FALSE, ProcessId)); }

std::string BaseName(const std::string& Path) {
  std::string::size_type Slash = Path.find_last_of("\\/");
  return Slash == std::string::npos ? Path : Path.substr(Slash + 1);
}

// The executable's file name from the image path. Works where the module
// list does not: for a 64-bit process seen from this 32-bit program, and for
// a process in its first moments, before its modules are loaded.
std::string ImageBaseName(HANDLE Process) {
  char Path[MAX_PATH * 4];
  DWORD Size = sizeof(Path);
  if (!QueryFullProcessImageNameA(Process, 0, Path, &Size)) return "";
  return BaseName(std::string(Path, Size));
}

}  // namespace

namespace {
// The handles a child inherits, and no other: a process attribute list that
// names them. Without it the child would inherit every inheritable handle
// the wizard holds, under a fleet tool the tool's own output pipes among
// them, which a program the engine leaves running would then keep open.
class TInheritedHandles {
 public:
  explicit TInheritedHandles(std::initializer_list<HANDLE> Handles) {
    for (HANDLE Handle : Handles)
      if (Handle != nullptr && std::find(FHandles.begin(), FHandles.end(), Handle) == FHandles.end())
        FHandles.push_back(Handle);  // a handle named twice is refused by some versions of Windows
    if (FHandles.empty()) return;
    SIZE_T Size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &Size);
    FStorage.resize(Size);
    auto* List = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(FStorage.data());
    if (!InitializeProcThreadAttributeList(List, 1, 0, &Size)) return;
    FList = List;
    if (!UpdateProcThreadAttribute(FList, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, FHandles.data(),
                                   FHandles.size() * sizeof(HANDLE), nullptr, nullptr)) {
      DeleteProcThreadAttributeList(FList);
      FList = nullptr;
    }
  }
  ~TInheritedHandles() {
    if (FList != nullptr) DeleteProcThreadAttributeList(FList);
  }
  TInheritedHandles(const TInheritedHandles&) = delete;
  TInheritedHandles& operator=(const TInheritedHandles&) = delete;

  bool Any() const { return !FHandles.empty(); }
  // Null when the list could not be made: then nothing may be inherited.
  LPPROC_THREAD_ATTRIBUTE_LIST List() const { return FList; }

 private:
  std::vector<HANDLE> FHandles;
  std::vector<char> FStorage;
  LPPROC_THREAD_ATTRIBUTE_LIST FList = nullptr;
};
}  // namespace

DWORD StartChildProcess(const std::string& CommandLine, bool ShowMinimized, HANDLE StdInput, HANDLE StdOutput,
                        HANDLE StdError, TKernelHandle* StartedProcess) {
  std::vector<char> Writable(CommandLine.begin(), CommandLine.end());
  Writable.push_back('\0');

  STARTUPINFOEXA Startup{};
  Startup.StartupInfo.cb = sizeof(Startup);
  Startup.StartupInfo.wShowWindow = ShowMinimized ? SW_SHOWMINIMIZED : SW_HIDE;
  Startup.StartupInfo.dwFlags = STARTF_USESHOWWINDOW;
  const TInheritedHandles Inherited{StdInput, StdOutput, StdError};
  DWORD Flags = CREATE_NEW_CONSOLE | CREATE_SEPARATE_WOW_VDM;
  if (Inherited.Any()) {
    if (Inherited.List() == nullptr) return 0;
    Startup.StartupInfo.dwFlags |= STARTF_USESTDHANDLES;
    Startup.StartupInfo.hStdInput = StdInput;
    Startup.StartupInfo.hStdOutput = StdOutput;
    Startup.StartupInfo.hStdError = StdError;
    Startup.lpAttributeList = Inherited.List();
    Flags |= EXTENDED_STARTUPINFO_PRESENT;
  }

  PROCESS_INFORMATION Created{};
  if (!CreateProcessA(nullptr, Writable.data(), nullptr, nullptr, Inherited.Any() ? TRUE : FALSE, Flags, nullptr,
                      nullptr, &Startup.StartupInfo, &Created))
    return 0;
  TKernelHandle Process(Created.hProcess);
  TKernelHandle Thread(Created.hThread);
  if (StartedProcess != nullptr) *StartedProcess = std::move(Process);
  return Created.dwProcessId;
}

DWORD StartChildOnPipes(const std::string& CommandLine, bool ShowMinimized, TPipeStream& Input, TPipeStream& Output,
                        TKernelHandle* StartedProcess) {
  const DWORD Id = StartChildProcess(CommandLine, ShowMinimized, Input.OtherEndHandle(), Output.OtherEndHandle(),
                                     Output.OtherEndHandle(), StartedProcess);
  Input.CloseOtherEnd();
  Output.CloseOtherEnd();
  return Id;
}

bool IsProcessAlive(DWORD ProcessId) {
  if (ProcessId == 0) return false;
  return OpenForQuery(ProcessId).IsValid();
}

bool IsProcessAlive(DWORD ProcessId, HANDLE StartedProcess) {
  // An exited child still opens by its identifier while anyone holds a handle
  // to it, and a reused identifier opens forever: the handle tells the truth.
  if (StartedProcess == nullptr) return IsProcessAlive(ProcessId);
  return WaitForSingleObject(StartedProcess, 0) == WAIT_TIMEOUT;
}

DWORD ListProcessIds(DWORD* Ids, int HighIndex) {
  if (HighIndex < 0) return 0;
  DWORD Bytes = 0;
  if (!EnumProcesses(Ids, static_cast<DWORD>((HighIndex + 1) * sizeof(DWORD)), &Bytes)) return 0;
  return Bytes / sizeof(DWORD);
}

DWORD ListProcessModules(HANDLE Process, HMODULE* Modules, int HighIndex) {
  if (HighIndex < 0) return 0;
  DWORD Bytes = 0;
  if (!EnumProcessModules(Process, Modules, static_cast<DWORD>((HighIndex + 1) * sizeof(HMODULE)), &Bytes)) return 0;
  return Bytes / sizeof(HMODULE);
}

namespace {
bool CannotListModulesOf(HANDLE Process) {
  BOOL Self = FALSE, Other = FALSE;
  if (!IsWow64Process(GetCurrentProcess(), &Self) || !IsWow64Process(Process, &Other)) return false;
  return Self && !Other;
}
}  // namespace

std::string GetProcessModuleName(DWORD ProcessId) {
  TKernelHandle Process = OpenForQuery(ProcessId);
  if (!Process) return "";

  // A 32-bit program never sees a 64-bit process's modules: waiting for them
  // would add 50 ms per such process to every search, so its image names it.
  if (CannotListModulesOf(Process.Get())) return ImageBaseName(Process.Get());

  // A process that has just started has no module list yet: give it a moment.
  HMODULE Module = nullptr;
  for (int Failures = 0; ListProcessModules(Process.Get(), &Module, 0) == 0;) {
    Sleep(ModuleListPauseMs);
    if (++Failures >= ModuleListAttempts) break;
  }

  std::string Name;
  if (ListProcessModules(Process.Get(), &Module, 0) > 0) {
    char Buffer[256];
    DWORD Length = GetModuleBaseNameA(Process.Get(), Module, Buffer, 255);
    Name.assign(Buffer, Length);
  }
  if (Name.empty()) Name = ImageBaseName(Process.Get());
  return Name;
}

DWORD FindProcessByName(const std::string& ModuleName) {
  // Processes that cannot be read have an empty name; no name matches them.
  if (ModuleName.empty()) return 0;
  std::vector<DWORD> Ids(ProcessListRoom);
  DWORD Count = std::min<DWORD>(ListProcessIds(Ids.data(), ProcessListRoom - 1), ProcessListRoom);
  const std::string Wanted = AsciiUpperCase(ModuleName);
  for (DWORD I = 0; I < Count; ++I)
    if (AsciiUpperCase(GetProcessModuleName(Ids[I])) == Wanted) return Ids[I];
  return 0;
}
