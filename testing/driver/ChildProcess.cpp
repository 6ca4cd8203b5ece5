#include "ChildProcess.h"

#include <cstring>

#include "DriverError.h"

namespace {

std::string UpperAscii(std::string Text) {
  for (char& C : Text)
    if (C >= 'a' && C <= 'z') C = static_cast<char>(C - 'a' + 'A');
  return Text;
}

// Name part of "NAME=value"; "=C:=C:\dir" has no name of its own.
std::string EntryName(const std::string& Entry) {
  if (Entry.empty() || Entry[0] == '=') return std::string();
  return Entry.substr(0, Entry.find('='));
}

}  // namespace

std::vector<std::string> CurrentEnvironment() {
  std::vector<std::string> Entries;
  char* Block = GetEnvironmentStringsA();
  if (Block == nullptr) return Entries;
  for (const char* P = Block; *P != '\0'; P += std::strlen(P) + 1) Entries.emplace_back(P);
  FreeEnvironmentStringsA(Block);
  return Entries;
}

std::string BuildEnvironmentBlock(const std::vector<std::string>& Base, const TEnvironment& Changes) {
  std::map<std::string, const std::optional<std::string>*> Pending;
  for (const auto& [Name, Value] : Changes) {
    if (Name.empty() || Name.find('=') != std::string::npos)
      throw TDriverError("invalid environment variable name \"" + Name + "\"");
    Pending[UpperAscii(Name)] = &Value;
  }
  std::string Block;
  auto Append = [&Block](const std::string& Entry) {
    Block += Entry;
    Block += '\0';
  };
  for (const std::string& Entry : Base) {
    auto Change = Pending.find(UpperAscii(EntryName(Entry)));
    if (Change == Pending.end()) {
      Append(Entry);
      continue;
    }
    if (Change->second->has_value()) Append(EntryName(Entry) + "=" + **Change->second);
    Pending.erase(Change);
  }
  for (const auto& Change : Changes) {
    auto Left = Pending.find(UpperAscii(Change.first));
    if (Left == Pending.end()) continue;
    if (Left->second->has_value()) Append(Change.first + "=" + **Left->second);
    Pending.erase(Left);
  }
  // An empty block still needs its own terminator after the (absent) entries.
  if (Block.empty()) Block += '\0';
  Block += '\0';
  return Block;
}

void TChildProcess::Launch(const std::string& Exe, const std::string& Args, const TEnvironment& Env,
                           const std::string& WorkDir, const TLaunchOptions& Options) {
  if (Running()) throw TDriverError("cannot start " + Exe + ": the previous program is still running");
  FProcess.Reset();
  FId = 0;
  FCommandLine = (Options.QuoteProgram ? "\"" + Exe + "\"" : Exe) + (Args.empty() ? "" : " " + Args);
  std::string Block = BuildEnvironmentBlock(CurrentEnvironment(), Env);
  std::string Line = FCommandLine;  // CreateProcessA may write into it
  STARTUPINFOA Startup = {};
  Startup.cb = sizeof Startup;
  const bool StdHandles = Options.StdInput || Options.StdOutput || Options.StdError;
  if (StdHandles) {
    Startup.dwFlags |= STARTF_USESTDHANDLES;
    Startup.hStdInput = Options.StdInput;
    Startup.hStdOutput = Options.StdOutput;
    Startup.hStdError = Options.StdError;
  }
  if (Options.Hidden) {
    Startup.dwFlags |= STARTF_USESHOWWINDOW;
    Startup.wShowWindow = SW_HIDE;
  }
  PROCESS_INFORMATION Info = {};
  if (!CreateProcessA(Options.NameProgram ? Exe.c_str() : nullptr, Line.data(), nullptr, nullptr, StdHandles,
                      Options.CreationFlags, Block.data(), WorkDir.empty() ? nullptr : WorkDir.c_str(), &Startup,
                      &Info))
    throw TDriverError("cannot start " + FCommandLine + " in \"" + WorkDir + "\" (error " +
                       std::to_string(GetLastError()) + ")");
  CloseHandle(Info.hThread);
  FProcess.Reset(Info.hProcess);
  FId = Info.dwProcessId;
}

void TChildProcess::Adopt(TKernelHandle Process, DWORD Id) {
  Kill();
  FProcess = std::move(Process);
  FId = Id;
  FCommandLine.clear();
}

TKernelHandle TChildProcess::Release() {
  FId = 0;
  return std::move(FProcess);
}

bool TChildProcess::Running() const {
  return FProcess.IsValid() && WaitForSingleObject(FProcess.Get(), 0) == WAIT_TIMEOUT;
}

bool TChildProcess::WaitExit(DWORD TimeoutMs) const {
  return FProcess.IsValid() && WaitForSingleObject(FProcess.Get(), TimeoutMs) == WAIT_OBJECT_0;
}

std::optional<DWORD> TChildProcess::ExitCode() const {
  if (!FProcess.IsValid() || Running()) return std::nullopt;
  DWORD Code = 0;
  if (!GetExitCodeProcess(FProcess.Get(), &Code)) return std::nullopt;
  return Code;
}

void TChildProcess::Kill(UINT ExitCode) {
  if (!Running()) return;
  TerminateProcess(FProcess.Get(), ExitCode);
  WaitForSingleObject(FProcess.Get(), 10000);
}
