#include "ScenarioPlayer.h"

#include <windows.h>

#include <algorithm>

#include "ExitCodes.h"
#include "Grandchild.h"
#include "LevelRegistry.h"
#include "StandardRunPlayer.h"

namespace oue_sim {
namespace {

LONG WINAPI EndWithExceptionCode(EXCEPTION_POINTERS*) { return EXCEPTION_EXECUTE_HANDLER; }

// An abnormal end as the operating system reports it: exit code 0xC0000005 and
// no orderly shutdown. The crash dialog and any debugger hook are kept out of
// the way, so a test run never waits for a click.
[[noreturn]] void Crash() {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  SetUnhandledExceptionFilter(EndWithExceptionCode);
  RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
  TerminateProcess(GetCurrentProcess(), EXCEPTION_ACCESS_VIOLATION);
  for (;;) Sleep(INFINITE);
}

void Flood(unsigned long Count, const std::string& Text, TSimOutput& Output) {
  // Big writes, so the reader and not the simulator sets the pace.
  const std::size_t ChunkSize = 64 * 1024;
  std::string Chunk;
  Chunk.reserve(ChunkSize + Text.size() + 16);
  for (unsigned long I = 1; I <= Count; ++I) {
    if (!Text.empty()) {
      Chunk += Text;
      Chunk += ' ';
    }
    Chunk += std::to_string(I);
    Chunk += "\r\n";
    if (Chunk.size() >= ChunkSize) {
      Output.Write(Chunk);
      Chunk.clear();
    }
  }
  Output.Write(Chunk);
}

}  // namespace

unsigned long PlayScenario(const std::vector<ScenarioStep>& Steps, const EngineArguments& Arguments,
                           const SimSettings& Settings, TSimOutput& Output, TSimInput& Input) {
  for (const ScenarioStep& Step : Steps) {
    switch (Step.kind) {
      case StepKind::Line:
        Output.WriteLine(Step.text);
        break;
      case StepKind::Raw:
        Output.Write(Step.text);
        break;
      case StepKind::Sleep:
        Sleep(std::min<unsigned long>(Step.number, Settings.maxSleepMs));
        break;
      case StepKind::Flood:
        Flood(Step.number, Step.text, Output);
        break;
      case StepKind::Standard:
        if (const unsigned long Rc = PlayStandardRun(Arguments, Settings, Output)) return Rc;
        break;
      case StepKind::Level:
        if (const unsigned long Rc = WriteUpdateLevel(Step.text)) {
          Output.WriteLine("[Error]: scenario line " + std::to_string(Step.lineNumber) + ": cannot write UpdateLevel " +
                           Step.text + " (error " + std::to_string(Rc) + ")");
          return kExitRunFailed;
        }
        break;
      case StepKind::ReadLine:
        if (const auto Line = Input.ReadLine()) Output.WriteLine("ECHO: " + *Line);
        break;
      case StepKind::EchoStdin:
        while (const auto Line = Input.ReadLine()) {
          if (*Line == "quit") break;
          Output.WriteLine("ECHO: " + *Line);
        }
        break;
      case StepKind::Exit:
        Output.WaitUntilRead();
        return Step.number;
      case StepKind::Crash:
        Crash();
      case StepKind::Grandchild:
        if (!StartGrandchild(Step.text)) {
          Output.WriteLine("[Error]: scenario line " + std::to_string(Step.lineNumber) +
                           ": cannot start the grandchild (error " + std::to_string(GetLastError()) + ")");
          return kExitRunFailed;
        }
        break;
      case StepKind::ExitUnread:
        Output.Write(Step.text);
        ExitProcess(kExitSuccess);
    }
  }
  Output.WaitUntilRead();
  return kExitSuccess;
}

}  // namespace oue_sim
