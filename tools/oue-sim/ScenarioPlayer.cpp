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

void Flood(unsigned long count, const std::string& text, TSimOutput& output) {
  // Big writes, so the reader and not the simulator sets the pace.
  const std::size_t chunkSize = 64 * 1024;
  std::string chunk;
  chunk.reserve(chunkSize + text.size() + 16);
  for (unsigned long i = 1; i <= count; ++i) {
    if (!text.empty()) {
      chunk += text;
      chunk += ' ';
    }
    chunk += std::to_string(i);
    chunk += "\r\n";
    if (chunk.size() >= chunkSize) {
      output.Write(chunk);
      chunk.clear();
    }
  }
  output.Write(chunk);
}

}  // namespace

unsigned long PlayScenario(const std::vector<ScenarioStep>& steps, const EngineArguments& arguments,
                           const SimSettings& settings, TSimOutput& output, TSimInput& input) {
  for (const ScenarioStep& step : steps) {
    switch (step.kind) {
      case StepKind::Line:
        output.WriteLine(step.text);
        break;
      case StepKind::Raw:
        output.Write(step.text);
        break;
      case StepKind::Sleep:
        Sleep(std::min<unsigned long>(step.number, settings.maxSleepMs));
        break;
      case StepKind::Flood:
        Flood(step.number, step.text, output);
        break;
      case StepKind::Standard:
        if (const unsigned long rc = PlayStandardRun(arguments, settings, output)) return rc;
        break;
      case StepKind::Level:
        if (const unsigned long rc = WriteUpdateLevel(step.text)) {
          output.WriteLine("[Error]: scenario line " + std::to_string(step.lineNumber) + ": cannot write UpdateLevel " +
                           step.text + " (error " + std::to_string(rc) + ")");
          return kExitRunFailed;
        }
        break;
      case StepKind::ReadLine:
        if (const auto line = input.ReadLine()) output.WriteLine("ECHO: " + *line);
        break;
      case StepKind::EchoStdin:
        while (const auto line = input.ReadLine()) {
          if (*line == "quit") break;
          output.WriteLine("ECHO: " + *line);
        }
        break;
      case StepKind::Exit:
        output.WaitUntilRead();
        return step.number;
      case StepKind::Crash:
        Crash();
      case StepKind::Grandchild:
        if (!StartGrandchild(step.text)) {
          output.WriteLine("[Error]: scenario line " + std::to_string(step.lineNumber) +
                           ": cannot start the grandchild (error " + std::to_string(GetLastError()) + ")");
          return kExitRunFailed;
        }
        break;
      case StepKind::ExitUnread:
        output.Write(step.text);
        ExitProcess(kExitSuccess);
    }
  }
  output.WaitUntilRead();
  return kExitSuccess;
}

}  // namespace oue_sim
