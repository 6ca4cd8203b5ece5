#include "SimulatorHarness.h"

#include "RegistryAccess.h"

#include <chrono>
#include <stdexcept>

namespace simtest {
namespace {

const char kProductKey[] = "Software\\Dantor\\Kelvra\\Products\\Orvane";

// The test's environment with the simulator's variables replaced by the launch's.
TEnvironment Environment(const SimLaunch& Launch) {
  TEnvironment Changes = {
      {"OUE_SIM_SCENARIO", std::nullopt}, {"OUE_SIM_DELAY_MS", "0"}, {"OUE_SIM_NEED_REBOOT", std::nullopt}};
  for (const auto& [Name, Value] : Launch.environment) Changes[Name] = Value;
  return Changes;
}

// The child inherits one end; the end kept here must not leak into the child.
bool MakeInheritablePipe(TKernelHandle& Read, TKernelHandle& Write, DWORD Size, bool ChildReads) {
  SECURITY_ATTRIBUTES Sa{sizeof Sa, nullptr, TRUE};
  if (!CreatePipe(Read.Receive(), Write.Receive(), &Sa, Size)) return false;
  SetHandleInformation(ChildReads ? Write.Get() : Read.Get(), HANDLE_FLAG_INHERIT, 0);
  return true;
}

}  // namespace

std::string SimulatorPath() { return ProgramFolder() + "oue.exe"; }

TSimProcess::TSimProcess(const SimLaunch& Launch) {
  TKernelHandle InputRead, OutputWrite;
  if (!MakeInheritablePipe(InputRead, inputWrite_, 0, true)) return;
  if (!MakeInheritablePipe(outputRead_, OutputWrite, Launch.outputPipeSize, false)) return;

  TLaunchOptions Options;
  Options.StdInput = InputRead.Get();
  Options.StdOutput = Options.StdError = OutputWrite.Get();
  Options.CreationFlags = Launch.newConsole ? CREATE_NEW_CONSOLE | CREATE_SEPARATE_WOW_VDM : CREATE_NO_WINDOW;
  Options.Hidden = true;
  Options.QuoteProgram = false;
  Options.NameProgram = Launch.nameProgram;
  process_.Launch(Launch.program, Launch.arguments, Environment(Launch), "", Options);
  // Only the child may hold its ends, or the pipe never reports its end.
  InputRead.Reset();
  OutputWrite.Reset();
  if (!Launch.readLater) StartReading();
}

TSimProcess::~TSimProcess() {
  process_.Kill(0xDEAD);
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
  if (!process_.WaitExit(TimeoutMs)) return std::nullopt;
  const DWORD Code = process_.ExitCode().value_or(STILL_ACTIVE);
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

std::optional<std::string> ReadUpdateLevel() {
  const std::optional<TRegistryValue> Value = ReadRegistryValue(kProductKey, "UpdateLevel");
  if (!Value || Value->Type != REG_SZ) return std::nullopt;
  return Value->Data.substr(0, Value->Data.find('\0'));
}

void SetUpdateLevel(const std::string& Level) { WriteRegistryString(kProductKey, "UpdateLevel", Level); }

TUpdateLevelGuard::TUpdateLevelGuard() : oldLevel_(ReadUpdateLevel()) {
  std::string Path;
  for (const char* Part : {"Software", "Dantor", "Kelvra", "Products", "Orvane"}) {
    Path += Path.empty() ? Part : std::string("\\") + Part;
    if (!RegistryKeyExists(Path)) createdKeys_.push_back(Path);
  }
}

TUpdateLevelGuard::~TUpdateLevelGuard() {
  if (oldLevel_)
    WriteRegistryString(kProductKey, "UpdateLevel", *oldLevel_);
  else
    DeleteRegistryValue(kProductKey, "UpdateLevel");
  for (auto It = createdKeys_.rbegin(); It != createdKeys_.rend(); ++It) RegDeleteKeyA(HKEY_LOCAL_MACHINE, It->c_str());
}

std::string WriteScenario(const TTempFolder& Folder, const std::string& Text) {
  Folder.Write("scenario.txt", Text);
  return Folder.File("scenario.txt");
}

}  // namespace simtest
