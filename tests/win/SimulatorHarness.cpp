#include "SimulatorHarness.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <stdexcept>

namespace simtest {
namespace {

const char kProductKey[] = "Software\\Dantor\\Kelvra\\Products\\Orvane";

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Environment names are matched ignoring case, as Windows matches them.
bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
}

// The test's environment with the simulator's variables replaced by the launch's.
std::string EnvironmentBlock(const SimLaunch& launch) {
  std::vector<std::pair<std::string, std::string>> wanted = {{"OUE_SIM_DELAY_MS", "0"}};
  for (const auto& item : launch.environment) {
    auto same = std::find_if(wanted.begin(), wanted.end(),
                             [&](const auto& w) { return SameNameIgnoringCase(w.first, item.first); });
    if (same != wanted.end()) same->second = item.second; else wanted.push_back(item);
  }
  const char* ours[] = {"OUE_SIM_SCENARIO", "OUE_SIM_DELAY_MS", "OUE_SIM_NEED_REBOOT"};

  std::string block;
  char* strings = GetEnvironmentStringsA();
  for (const char* entry = strings; *entry; entry += std::strlen(entry) + 1) {
    const std::string text(entry);
    const std::size_t eq = text.find('=', 1);  // "=C:=C:\..." entries name a drive's folder
    const std::string name = text.substr(0, eq);
    bool drop = std::any_of(std::begin(ours), std::end(ours), [&](const char* n) { return SameNameIgnoringCase(n, name); });
    drop = drop || std::any_of(wanted.begin(), wanted.end(), [&](const auto& w) { return SameNameIgnoringCase(w.first, name); });
    if (!drop) block += text + '\0';
  }
  FreeEnvironmentStringsA(strings);
  for (const auto& w : wanted) block += w.first + "=" + w.second + '\0';
  block += '\0';
  return block;
}

// The child inherits one end; the end kept here must not leak into the child.
bool MakeInheritablePipe(TKernelHandle& read, TKernelHandle& write, DWORD size, bool childReads) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  if (!CreatePipe(read.Receive(), write.Receive(), &sa, size)) return false;
  SetHandleInformation(childReads ? write.Get() : read.Get(), HANDLE_FLAG_INHERIT, 0);
  return true;
}

LONG WriteLevelValue(const std::string& level) {
  TRegistryKey key;
  LONG rc = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kProductKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Receive(),
                            nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  return RegSetValueExA(key.Get(), "UpdateLevel", 0, REG_SZ, reinterpret_cast<const BYTE*>(level.c_str()),
                        static_cast<DWORD>(level.size() + 1));
}

}  // namespace

std::string ProgramFolder() {
  char path[MAX_PATH * 4] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path, n);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string SimulatorPath() { return ProgramFolder() + "oue.exe"; }

TSimProcess::TSimProcess(const SimLaunch& launch) {
  TKernelHandle inputRead, outputWrite;
  if (!MakeInheritablePipe(inputRead, inputWrite_, 0, true)) return;
  if (!MakeInheritablePipe(outputRead_, outputWrite, launch.outputPipeSize, false)) return;

  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  si.wShowWindow = SW_HIDE;
  si.hStdInput = inputRead.Get();
  si.hStdOutput = outputWrite.Get();
  si.hStdError = outputWrite.Get();
  std::string commandLine = launch.program + " " + launch.arguments;
  std::string environment = EnvironmentBlock(launch);
  PROCESS_INFORMATION pi{};
  const DWORD flags = launch.newConsole ? CREATE_NEW_CONSOLE | CREATE_SEPARATE_WOW_VDM : CREATE_NO_WINDOW;
  const char* application = launch.nameProgram ? launch.program.c_str() : nullptr;
  if (CreateProcessA(application, &commandLine[0], nullptr, nullptr, TRUE, flags, &environment[0], nullptr, &si, &pi)) {
    process_.Reset(pi.hProcess);
    TKernelHandle thread(pi.hThread);
  }
  // Only the child may hold its ends, or the pipe never reports its end.
  inputRead.Reset();
  outputWrite.Reset();
  if (!launch.readLater) StartReading();
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
  char buffer[4096];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(outputRead_.Get(), buffer, sizeof buffer, &got, nullptr)) break;
    std::lock_guard<std::mutex> lock(mutex_);
    output_.append(buffer, got);
    changed_.notify_all();
  }
  std::lock_guard<std::mutex> lock(mutex_);
  outputEnded_ = true;
  changed_.notify_all();
}

void TSimProcess::WriteInput(const std::string& bytes) {
  DWORD written = 0;
  if (!inputWrite_ || !WriteFile(inputWrite_.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size())
    throw std::runtime_error("writing the simulator's input failed");
}

void TSimProcess::CloseInput() {
  inputWrite_.Reset();
}

bool TSimProcess::WaitForOutput(const std::string& needle, DWORD timeoutMs) {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
    return output_.find(needle) != std::string::npos || outputEnded_;
  }) && output_.find(needle) != std::string::npos;
}

std::optional<DWORD> TSimProcess::WaitForExit(DWORD timeoutMs) {
  if (!process_ || WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_.Get(), &code);
  if (reader_.joinable()) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return outputEnded_; });
  }
  return code;
}

std::string TSimProcess::Output() {
  std::lock_guard<std::mutex> lock(mutex_);
  return output_;
}

SimResult RunSimulator(const SimLaunch& launch, const std::string& input, DWORD timeoutMs) {
  TSimProcess sim(launch);
  SimResult result;
  if (!sim.Started()) return result;
  if (!input.empty()) sim.WriteInput(input);
  sim.CloseInput();
  const auto code = sim.WaitForExit(timeoutMs);
  result.finished = code.has_value();
  result.exitCode = code.value_or(0);
  result.output = sim.Output();
  return result;
}

std::vector<std::string> SplitLines(const std::string& output) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = output.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(output.substr(start, end - start));
  if (start < output.size()) lines.push_back(output.substr(start));
  return lines;
}

TTempFolder::TTempFolder() {
  static std::atomic<unsigned> counter{0};
  char temp[MAX_PATH + 1] = {};
  GetTempPathA(sizeof temp, temp);
  path_ = std::string(temp) + "oue-sim-test-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(++counter);
  if (!CreateDirectoryA(path_.c_str(), nullptr)) throw std::runtime_error("cannot create " + path_);
}

TTempFolder::~TTempFolder() {
  // Two levels are enough for what the tests create.
  WIN32_FIND_DATAA data;
  const TFindHandle find(FindFirstFileA((path_ + "\\*").c_str(), &data));
  if (find) {
    do {
      const std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      const std::string full = path_ + "\\" + name;
      SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        WIN32_FIND_DATAA inner;
        const TFindHandle innerFind(FindFirstFileA((full + "\\*").c_str(), &inner));
        if (innerFind) {
          do {
            const std::string innerFull = full + "\\" + inner.cFileName;
            SetFileAttributesA(innerFull.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(innerFull.c_str());
          } while (FindNextFileA(innerFind.Get(), &inner));
        }
        RemoveDirectoryA(full.c_str());
      } else {
        DeleteFileA(full.c_str());
      }
    } while (FindNextFileA(find.Get(), &data));
  }
  RemoveDirectoryA(path_.c_str());
}

void TTempFolder::Write(const std::string& name, const std::string& bytes) const {
  TKernelHandle file(
      CreateFileA(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw std::runtime_error("cannot create " + File(name));
  DWORD written = 0;
  const BOOL ok = WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  file.Reset();
  if (!ok || written != bytes.size()) throw std::runtime_error("cannot write " + File(name));
}

void TTempFolder::MakeFolder(const std::string& name) const {
  if (!CreateDirectoryA(File(name).c_str(), nullptr)) throw std::runtime_error("cannot create " + File(name));
}

std::optional<std::string> ReadUpdateLevel() {
  TRegistryKey key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProductKey, 0, KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS)
    return std::nullopt;
  char value[512] = {};
  DWORD size = sizeof value - 1, type = 0;
  const LONG rc = RegQueryValueExA(key.Get(), "UpdateLevel", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  if (rc != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
  return std::string(value);
}

void SetUpdateLevel(const std::string& level) {
  if (const LONG rc = WriteLevelValue(level))
    throw std::runtime_error("cannot write UpdateLevel, error " + std::to_string(rc));
}

TUpdateLevelGuard::TUpdateLevelGuard() : oldLevel_(ReadUpdateLevel()) {
  std::string path;
  for (const char* part : {"Software", "Dantor", "Kelvra", "Products", "Orvane"}) {
    path += path.empty() ? part : std::string("\\") + part;
    TRegistryKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS)
      createdKeys_.push_back(path);
  }
}

TUpdateLevelGuard::~TUpdateLevelGuard() {
  if (oldLevel_) {
    WriteLevelValue(*oldLevel_);
  } else {
    TRegistryKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProductKey, 0, KEY_SET_VALUE, key.Receive()) == ERROR_SUCCESS)
      RegDeleteValueA(key.Get(), "UpdateLevel");
  }
  for (auto it = createdKeys_.rbegin(); it != createdKeys_.rend(); ++it) RegDeleteKeyA(HKEY_LOCAL_MACHINE, it->c_str());
}

std::string WriteScenario(const TTempFolder& folder, const std::string& text) {
  folder.Write("scenario.txt", text);
  return folder.File("scenario.txt");
}

}  // namespace simtest
