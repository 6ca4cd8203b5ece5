#include "SimulatorHarness.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <stdexcept>

namespace simtest {
namespace {

const char kProductKey[] = "Software\\Dantor\\Kelvra\\Products\\Orvane";

char UpperAscii(char C) { return C >= 'a' && C <= 'z' ? static_cast<char>(C - 'a' + 'A') : C; }

// Environment names are matched ignoring case, as Windows matches them.
bool SameNameIgnoringCase(const std::string& A, const std::string& B) {
  return A.size() == B.size() &&
         std::equal(A.begin(), A.end(), B.begin(), [](char X, char Y) { return UpperAscii(X) == UpperAscii(Y); });
}

// The test's environment with the simulator's variables replaced by the launch's.
std::string EnvironmentBlock(const SimLaunch& Launch) {
  std::vector<std::pair<std::string, std::string>> Wanted = {{"OUE_SIM_DELAY_MS", "0"}};
  for (const auto& Item : Launch.environment) {
    auto Same = std::find_if(Wanted.begin(), Wanted.end(),
                             [&](const auto& W) { return SameNameIgnoringCase(W.first, Item.first); });
    if (Same != Wanted.end())
      Same->second = Item.second;
    else
      Wanted.push_back(Item);
  }
  const char* Ours[] = {"OUE_SIM_SCENARIO", "OUE_SIM_DELAY_MS", "OUE_SIM_NEED_REBOOT"};

  std::string Block;
  char* Strings = GetEnvironmentStringsA();
  for (const char* Entry = Strings; *Entry; Entry += std::strlen(Entry) + 1) {
    const std::string Text(Entry);
    const std::size_t Eq = Text.find('=', 1);  // "=C:=C:\..." entries name a drive's folder
    const std::string Name = Text.substr(0, Eq);
    bool Drop =
        std::any_of(std::begin(Ours), std::end(Ours), [&](const char* N) { return SameNameIgnoringCase(N, Name); });
    Drop = Drop || std::any_of(Wanted.begin(), Wanted.end(),
                               [&](const auto& W) { return SameNameIgnoringCase(W.first, Name); });
    if (!Drop) Block += Text + '\0';
  }
  FreeEnvironmentStringsA(Strings);
  for (const auto& W : Wanted) Block += W.first + "=" + W.second + '\0';
  Block += '\0';
  return Block;
}

// The child inherits one end; the end kept here must not leak into the child.
bool MakeInheritablePipe(TKernelHandle& Read, TKernelHandle& Write, DWORD Size, bool ChildReads) {
  SECURITY_ATTRIBUTES Sa{sizeof Sa, nullptr, TRUE};
  if (!CreatePipe(Read.Receive(), Write.Receive(), &Sa, Size)) return false;
  SetHandleInformation(ChildReads ? Write.Get() : Read.Get(), HANDLE_FLAG_INHERIT, 0);
  return true;
}

LONG WriteLevelValue(const std::string& Level) {
  TRegistryKey Key;
  LONG Rc =
      RegCreateKeyExA(HKEY_LOCAL_MACHINE, kProductKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, Key.Receive(), nullptr);
  if (Rc != ERROR_SUCCESS) return Rc;
  return RegSetValueExA(Key.Get(), "UpdateLevel", 0, REG_SZ, reinterpret_cast<const BYTE*>(Level.c_str()),
                        static_cast<DWORD>(Level.size() + 1));
}

}  // namespace

std::string ProgramFolder() {
  char Path[MAX_PATH * 4] = {};
  const DWORD N = GetModuleFileNameA(nullptr, Path, sizeof Path);
  std::string Folder(Path, N);
  return Folder.substr(0, Folder.find_last_of('\\') + 1);
}

std::string SimulatorPath() { return ProgramFolder() + "oue.exe"; }

TSimProcess::TSimProcess(const SimLaunch& Launch) {
  TKernelHandle InputRead, OutputWrite;
  if (!MakeInheritablePipe(InputRead, inputWrite_, 0, true)) return;
  if (!MakeInheritablePipe(outputRead_, OutputWrite, Launch.outputPipeSize, false)) return;

  STARTUPINFOA Si{};
  Si.cb = sizeof Si;
  Si.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  Si.wShowWindow = SW_HIDE;
  Si.hStdInput = InputRead.Get();
  Si.hStdOutput = OutputWrite.Get();
  Si.hStdError = OutputWrite.Get();
  std::string CommandLine = Launch.program + " " + Launch.arguments;
  std::string Environment = EnvironmentBlock(Launch);
  PROCESS_INFORMATION Pi{};
  const DWORD Flags = Launch.newConsole ? CREATE_NEW_CONSOLE | CREATE_SEPARATE_WOW_VDM : CREATE_NO_WINDOW;
  const char* Application = Launch.nameProgram ? Launch.program.c_str() : nullptr;
  if (CreateProcessA(Application, &CommandLine[0], nullptr, nullptr, TRUE, Flags, &Environment[0], nullptr, &Si, &Pi)) {
    process_.Reset(Pi.hProcess);
    TKernelHandle Thread(Pi.hThread);
  }
  // Only the child may hold its ends, or the pipe never reports its end.
  InputRead.Reset();
  OutputWrite.Reset();
  if (!Launch.readLater) StartReading();
}

TSimProcess::~TSimProcess() {
  if (process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.Get(), 0xDEAD);
    WaitForSingleObject(process_.Get(), 5000);
  }
  CloseInput();
  if (!outputRead_) return;
  if (!reader_.joinable()) StartReading();  // drains what is left, then sees the end
  reader_.join();
}

void TSimProcess::StartReading() {
  if (!reader_.joinable()) reader_ = std::thread([this] { ReadLoop(); });
}

void TSimProcess::ReadLoop() {
  char Buffer[4096];
  for (;;) {
    DWORD Got = 0;
    if (!ReadFile(outputRead_.Get(), Buffer, sizeof Buffer, &Got, nullptr)) break;
    std::lock_guard<std::mutex> Lock(mutex_);
    output_.append(Buffer, Got);
    changed_.notify_all();
  }
  std::lock_guard<std::mutex> Lock(mutex_);
  outputEnded_ = true;
  changed_.notify_all();
}

void TSimProcess::WriteInput(const std::string& Bytes) {
  DWORD Written = 0;
  if (!inputWrite_ ||
      !WriteFile(inputWrite_.Get(), Bytes.data(), static_cast<DWORD>(Bytes.size()), &Written, nullptr) ||
      Written != Bytes.size())
    throw std::runtime_error("writing the simulator's input failed");
}

void TSimProcess::CloseInput() { inputWrite_.Reset(); }

bool TSimProcess::WaitForOutput(const std::string& Needle, DWORD TimeoutMs) {
  std::unique_lock<std::mutex> Lock(mutex_);
  return changed_.wait_for(Lock, std::chrono::milliseconds(TimeoutMs), [&] {
    return output_.find(Needle) != std::string::npos || outputEnded_;
  }) && output_.find(Needle) != std::string::npos;
}

std::optional<DWORD> TSimProcess::WaitForExit(DWORD TimeoutMs) {
  if (!process_ || WaitForSingleObject(process_.Get(), TimeoutMs) != WAIT_OBJECT_0) return std::nullopt;
  DWORD Code = 0;
  GetExitCodeProcess(process_.Get(), &Code);
  if (reader_.joinable()) {
    std::unique_lock<std::mutex> Lock(mutex_);
    changed_.wait_for(Lock, std::chrono::milliseconds(TimeoutMs), [&] { return outputEnded_; });
  }
  return Code;
}

std::string TSimProcess::Output() {
  std::lock_guard<std::mutex> Lock(mutex_);
  return output_;
}

SimResult RunSimulator(const SimLaunch& Launch, const std::string& Input, DWORD TimeoutMs) {
  TSimProcess Sim(Launch);
  SimResult Result;
  if (!Sim.Started()) return Result;
  if (!Input.empty()) Sim.WriteInput(Input);
  Sim.CloseInput();
  const auto Code = Sim.WaitForExit(TimeoutMs);
  Result.finished = Code.has_value();
  Result.exitCode = Code.value_or(0);
  Result.output = Sim.Output();
  return Result;
}

std::vector<std::string> SplitLines(const std::string& Output) {
  std::vector<std::string> Lines;
  std::size_t Start = 0;
  for (std::size_t End; (End = Output.find("\r\n", Start)) != std::string::npos; Start = End + 2)
    Lines.push_back(Output.substr(Start, End - Start));
  if (Start < Output.size()) Lines.push_back(Output.substr(Start));
  return Lines;
}

TTempFolder::TTempFolder() {
  static std::atomic<unsigned> Counter{0};
  char Temp[MAX_PATH + 1] = {};
  GetTempPathA(sizeof Temp, Temp);
  path_ = std::string(Temp) + "oue-sim-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++Counter);
  if (!CreateDirectoryA(path_.c_str(), nullptr)) throw std::runtime_error("cannot create " + path_);
}

TTempFolder::~TTempFolder() {
  // Two levels are enough for what the tests create.
  WIN32_FIND_DATAA Data;
  const TFindHandle Find(FindFirstFileA((path_ + "\\*").c_str(), &Data));
  if (Find) {
    do {
      const std::string Name = Data.cFileName;
      if (Name == "." || Name == "..") continue;
      const std::string Full = path_ + "\\" + Name;
      SetFileAttributesA(Full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (Data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        WIN32_FIND_DATAA Inner;
        const TFindHandle InnerFind(FindFirstFileA((Full + "\\*").c_str(), &Inner));
        if (InnerFind) {
          do {
            const std::string InnerFull = Full + "\\" + Inner.cFileName;
            SetFileAttributesA(InnerFull.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(InnerFull.c_str());
          } while (FindNextFileA(InnerFind.Get(), &Inner));
        }
        RemoveDirectoryA(Full.c_str());
      } else {
        DeleteFileA(Full.c_str());
      }
    } while (FindNextFileA(Find.Get(), &Data));
  }
  RemoveDirectoryA(path_.c_str());
}

void TTempFolder::Write(const std::string& Name, const std::string& Bytes) const {
  TKernelHandle Handle(
      CreateFileA(File(Name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!Handle) throw std::runtime_error("cannot create " + File(Name));
  DWORD Written = 0;
  const BOOL Ok = WriteFile(Handle.Get(), Bytes.data(), static_cast<DWORD>(Bytes.size()), &Written, nullptr);
  Handle.Reset();
  if (!Ok || Written != Bytes.size()) throw std::runtime_error("cannot write " + File(Name));
}

void TTempFolder::MakeFolder(const std::string& Name) const {
  if (!CreateDirectoryA(File(Name).c_str(), nullptr)) throw std::runtime_error("cannot create " + File(Name));
}

std::optional<std::string> ReadUpdateLevel() {
  TRegistryKey Key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProductKey, 0, KEY_QUERY_VALUE, Key.Receive()) != ERROR_SUCCESS)
    return std::nullopt;
  char Value[512] = {};
  DWORD Size = sizeof Value - 1, Type = 0;
  const LONG Rc = RegQueryValueExA(Key.Get(), "UpdateLevel", nullptr, &Type, reinterpret_cast<BYTE*>(Value), &Size);
  if (Rc != ERROR_SUCCESS || Type != REG_SZ) return std::nullopt;
  return std::string(Value);
}

void SetUpdateLevel(const std::string& Level) {
  if (const LONG Rc = WriteLevelValue(Level))
    throw std::runtime_error("cannot write UpdateLevel, error " + std::to_string(Rc));
}

TUpdateLevelGuard::TUpdateLevelGuard() : oldLevel_(ReadUpdateLevel()) {
  std::string Path;
  for (const char* Part : {"Software", "Dantor", "Kelvra", "Products", "Orvane"}) {
    Path += Path.empty() ? Part : std::string("\\") + Part;
    TRegistryKey Key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, Path.c_str(), 0, KEY_QUERY_VALUE, Key.Receive()) != ERROR_SUCCESS)
      createdKeys_.push_back(Path);
  }
}

TUpdateLevelGuard::~TUpdateLevelGuard() {
  if (oldLevel_) {
    WriteLevelValue(*oldLevel_);
  } else {
    TRegistryKey Key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProductKey, 0, KEY_SET_VALUE, Key.Receive()) == ERROR_SUCCESS)
      RegDeleteValueA(Key.Get(), "UpdateLevel");
  }
  for (auto It = createdKeys_.rbegin(); It != createdKeys_.rend(); ++It) RegDeleteKeyA(HKEY_LOCAL_MACHINE, It->c_str());
}

std::string WriteScenario(const TTempFolder& Folder, const std::string& Text) {
  Folder.Write("scenario.txt", Text);
  return Folder.File("scenario.txt");
}

}  // namespace simtest
