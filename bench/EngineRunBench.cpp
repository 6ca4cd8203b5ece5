// How much the wizard holds the engine back, measured on a rehearsal node:
// the simulator writes a flood of lines, a final 100 and a result, into NUL,
// into a minimal reader (a pipe of the wizard's size, 64 KB, read with
// blocking reads as fast as they go) and into the wizard through the real
// window, from Start to the result page. Each is run several turns and the
// median counts. What counts is the ratio of the wizard's time to the
// minimal reader's, the time from the engine's end to the result page, the
// wizard's peak working set against its working set when the window is
// ready, and whether every line written reached the log: all flood lines in
// order, then the verdict, and every turn must have succeeded.
//
//   bench_engine_run [--lines N] [--turns T]   (N = 100000, T = 3 by default)
//
// Exit code 0 when the run was complete and successful, 1 when it was not,
// 2 when the benchmark itself could not run. Times are printed, never judged.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "BenchMain.h"
#include "ChildProcess.h"
#include "Driver.h"
#include "DriverError.h"
#include "Files.h"
#include "RunLog.h"
#include "Walk.h"
#include "World.h"
#include "utils/win32/Handles.h"

namespace {

const char FloodText[] = "Detail line";
// The wizard's pipe for the engine's output (EngineRunner.cpp).
const DWORD WizardPipeSize = 64 * 1024;

std::string Scenario(long Lines) {
  return "line [SECTION]: Update Orvane-3.1.0.0\n"
         "flood " +
         std::to_string(Lines) + " " + FloodText +
         "\n"
         "level 3.1.0.0\n"
         "line [STATUS]: 207,Update Orvane-3.1.0.0 installed,100\n"
         "line [Result]: SUCCESS\n";
}

ULONGLONG Ticks(const FILETIME& Time) {
  ULARGE_INTEGER Value;
  Value.LowPart = Time.dwLowDateTime;
  Value.HighPart = Time.dwHighDateTime;
  return Value.QuadPart;
}

// The engine's lifetime as the system recorded it, creation to exit.
double LifetimeSeconds(HANDLE Process) {
  FILETIME Created, Exited, Kernel, User;
  if (!GetProcessTimes(Process, &Created, &Exited, &Kernel, &User)) return -1;
  return static_cast<double>(Ticks(Exited) - Ticks(Created)) / 1e7;
}

// From the engine's exit, as the system recorded it, to At.
double SecondsSinceExit(HANDLE Process, const FILETIME& At) {
  FILETIME Created, Exited, Kernel, User;
  if (!GetProcessTimes(Process, &Created, &Exited, &Kernel, &User)) return -1;
  return (static_cast<double>(Ticks(At)) - static_cast<double>(Ticks(Exited))) / 1e7;
}

double Median(std::vector<double> Values) {
  std::sort(Values.begin(), Values.end());
  return Values.empty() ? 0 : Values[Values.size() / 2];
}

std::string List(const std::vector<double>& Values) {
  std::string Text;
  char Figure[32];
  for (double Value : Values) {
    std::snprintf(Figure, sizeof Figure, "%s%.3f", Text.empty() ? "" : ", ", Value);
    Text += Figure;
  }
  return Text;
}

// The engine started as the wizard starts it, with its standard handles
// given, hidden, in a console of its own.
TKernelHandle StartEngine(TWorld& World, const std::string& UpdateFolder, HANDLE Input, HANDLE Output) {
  TLaunchOptions Options;
  Options.StdInput = Input;
  Options.StdOutput = Options.StdError = Output;
  Options.CreationFlags = CREATE_NEW_CONSOLE;
  Options.Hidden = true;
  Options.NameProgram = false;
  TChildProcess Engine;
  Engine.Launch(World.EngineExe(),
                "-ouegui -product orvane -nosnapshot -dir \"" + WithoutBackslash(UpdateFolder) + "\"",
                World.Environment(), World.WizardDir(), Options);
  return Engine.Release();
}

void WaitEngineEnd(const TKernelHandle& Process) {
  if (WaitForSingleObject(Process.Get(), 600000) != WAIT_OBJECT_0) throw TDriverError("the engine did not end");
}

// One run of the engine without the wizard: its lifetime, and the lines its
// reader counted.
struct TEngineAlone {
  double Seconds = 0;
  long Lines = 0;
};

// The engine with its output going to NUL.
TEngineAlone RunEngineIntoNul(TWorld& World, const std::string& UpdateFolder) {
  SECURITY_ATTRIBUTES Inherit = {sizeof Inherit, nullptr, TRUE};
  TKernelHandle Nul(CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &Inherit,
                                OPEN_EXISTING, 0, nullptr));
  if (!Nul) throw TDriverError("cannot open NUL");
  TKernelHandle Process = StartEngine(World, UpdateFolder, Nul.Get(), Nul.Get());
  WaitEngineEnd(Process);
  DWORD Code = 0;
  GetExitCodeProcess(Process.Get(), &Code);
  if (Code != 0) throw TDriverError("the engine alone ended with exit code " + std::to_string(Code));
  return {LifetimeSeconds(Process.Get()), 0};
}

// The engine on a pipe of the wizard's size, read with blocking reads into a
// large buffer, counting line feeds.
TEngineAlone RunEngineIntoMinimalReader(TWorld& World, const std::string& UpdateFolder) {
  SECURITY_ATTRIBUTES Inherit = {sizeof Inherit, nullptr, TRUE};
  TKernelHandle ReadEnd, WriteEnd;
  if (!CreatePipe(ReadEnd.Receive(), WriteEnd.Receive(), &Inherit, WizardPipeSize))
    throw TDriverError("cannot create a pipe");
  SetHandleInformation(ReadEnd.Get(), HANDLE_FLAG_INHERIT, 0);
  TKernelHandle Process = StartEngine(World, UpdateFolder, nullptr, WriteEnd.Get());
  WriteEnd.Reset();  // the engine's end of the run is the end of the pipe
  TEngineAlone Result;
  std::vector<char> Buffer(64 * 1024);
  DWORD Got = 0;
  while (ReadFile(ReadEnd.Get(), Buffer.data(), static_cast<DWORD>(Buffer.size()), &Got, nullptr) && Got > 0)
    Result.Lines += static_cast<long>(std::count(Buffer.begin(), Buffer.begin() + Got, '\n'));
  WaitEngineEnd(Process);
  Result.Seconds = LifetimeSeconds(Process.Get());
  return Result;
}

// The engine the wizard started: the "oue.exe" running from Folder.
TKernelHandle OpenEngineUnder(const std::string& Folder) {
  TKernelHandle Snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!Snapshot) return TKernelHandle();
  PROCESSENTRY32 Entry = {};
  Entry.dwSize = sizeof Entry;
  for (BOOL More = Process32First(Snapshot.Get(), &Entry); More; More = Process32Next(Snapshot.Get(), &Entry)) {
    if (_stricmp(Entry.szExeFile, "oue.exe") != 0) continue;
    TKernelHandle Process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, Entry.th32ProcessID));
    if (!Process) continue;
    char Path[MAX_PATH * 2] = {};
    DWORD Size = sizeof Path;
    if (QueryFullProcessImageNameA(Process.Get(), 0, Path, &Size) &&
        _strnicmp(Path, Folder.c_str(), Folder.size()) == 0)
      return Process;
  }
  return TKernelHandle();
}

double WorkingSetMb(HANDLE Process, bool Peak) {
  PROCESS_MEMORY_COUNTERS Counters = {};
  Counters.cb = sizeof Counters;
  if (!GetProcessMemoryInfo(Process, &Counters, sizeof Counters)) return -1;
  return static_cast<double>(Peak ? Counters.PeakWorkingSetSize : Counters.WorkingSetSize) / (1024.0 * 1024.0);
}

// The log must hold the whole output: the section, every flood line in
// order, then the final status and the result.
std::string CheckLog(const std::vector<std::string>& Output, long Lines) {
  const std::string Section = "[SECTION]: Update Orvane-3.1.0.0";
  if (Output.size() != static_cast<size_t>(Lines) + 3)
    return "the log holds " + std::to_string(Output.size()) + " output lines, expected " + std::to_string(Lines + 3);
  if (Output[0] != Section) return "the log does not begin with the section line";
  for (long N = 1; N <= Lines; ++N)
    if (Output[static_cast<size_t>(N)] != std::string(FloodText) + " " + std::to_string(N))
      return "flood line " + std::to_string(N) + " is \"" + Output[static_cast<size_t>(N)] + "\"";
  if (Output[Output.size() - 2] != "[STATUS]: 207,Update Orvane-3.1.0.0 installed,100" ||
      Output.back() != "[Result]: SUCCESS")
    return "the log does not end with the final status and result";
  return "";
}

// Prints whether the run succeeded with every line in its log; true when so.
bool ReportOutcome(const TWizardDriver& Wizard, const TWorld& World, const SYSTEMTIME& Started, long Lines) {
  const std::string Result = Wizard.Text("txtCompletionStatusInfo");
  const bool Succeeded = Result.rfind("Congratulations!", 0) == 0;
  std::string Problem;
  try {
    Problem = CheckLog(LoadRunLog(World, Started, LocalNow()).Output, Lines);
  } catch (const TDriverError& Error) {
    Problem = Error.what();
  }
  const bool Complete = Problem.empty();

  std::printf("  lines written:                      %8ld flood + 3 protocol lines\n", Lines);
  std::printf("  the log holds every line in order:  %8s\n", Complete ? "yes" : "NO");
  std::printf("  verdict:                            %8s\n", Succeeded ? "success" : "FAILURE");
  if (!Problem.empty()) std::printf("  problem: %s\n", Problem.c_str());
  if (!Succeeded) std::printf("  result page: %s\n", Result.c_str());
  return Complete && Succeeded;
}

// The engine alone takes a few hundredths of a second, where a busy
// machine's hiccup weighs a lot: the median of the turns is the reference.
template <class TRunOnce>
TEngineAlone MedianOfTurns(const char* What, long Lines, int Turns, TRunOnce&& RunOnce) {
  std::vector<TEngineAlone> Runs;
  std::vector<double> Seconds;
  for (int Turn = 0; Turn < Turns; ++Turn) {
    Runs.push_back(RunOnce());
    Seconds.push_back(Runs.back().Seconds);
  }
  std::sort(Runs.begin(), Runs.end(),
            [](const TEngineAlone& A, const TEngineAlone& B) { return A.Seconds < B.Seconds; });
  const TEngineAlone& Middle = Runs[Runs.size() / 2];
  std::printf("  %-36s%8.3f s  %10.0f lines/s  (", What, Middle.Seconds, Lines / Middle.Seconds);
  if (Middle.Lines > 0) std::printf("%ld lines counted; ", Middle.Lines);
  std::printf("median of %s)\n", List(Seconds).c_str());
  return Middle;
}

// One run through the wizard, Start to the result page.
struct TWizardTurn {
  double Attached = 0;     // the engine's lifetime
  double EndToResult = 0;  // from the engine's exit to the result page
  double ReadyMb = 0, PeakMb = 0;
  bool Complete = false;
};

TWizardTurn RunThroughWizard(TWorld& World, const std::string& Updates, long Lines) {
  World.SetLocalUpdateLevel("3.0.3.2");
  for (const std::string& Name : World.LogFiles()) DeleteFileA((World.WizardDir() + Name).c_str());
  TWizardDriver Wizard;
  OpenWizard(Wizard, World, "~nosnapshot");
  GoToStartPage(Wizard, Updates);
  TWizardTurn Turn;
  Turn.ReadyMb = WorkingSetMb(Wizard.Process().Handle(), false);

  const SYSTEMTIME Started = LocalNow();
  Wizard.Click("btNext");
  TKernelHandle Engine;
  WaitUntil(
      [&] { return (Engine = OpenEngineUnder(World.WizardDir())).IsValid() || Wizard.ActivePage() == "TabSheet7"; },
      DefaultTimeoutMs);
  if (!Engine) throw TDriverError("the wizard's engine was not seen running");
  // Waited for without asking the wizard anything: each look at its pages
  // is a round of calls into another process through the same Wine server
  // that carries the pipe, which the minimal reader is spared.
  WaitEngineEnd(Engine);
  if (Wizard.WaitPage("TabSheet7", 600000) != "TabSheet7") throw TDriverError("no result page after ten minutes");
  FILETIME Seen;
  GetSystemTimeAsFileTime(&Seen);
  Turn.Attached = LifetimeSeconds(Engine.Get());
  Turn.EndToResult = SecondsSinceExit(Engine.Get(), Seen);
  Turn.PeakMb = WorkingSetMb(Wizard.Process().Handle(), true);
  Turn.Complete = ReportOutcome(Wizard, World, Started, Lines);
  Wizard.Click("btExit");
  Wizard.WaitExit();
  return Turn;
}

int Run(long Lines, int Turns) {
  TWorld World("Bench.EngineRun");
  World.SeedTypicalNode();
  World.InstallWizard();
  World.SetEngineDelayMs(0);
  World.UseScenario("flood", Scenario(Lines));
  const std::string Updates = MakeUpdates(World.Root() + "updates", 0, 0);

  std::printf("engine run: a flood of %ld lines, then a final 100 and a result; %d turns each\n", Lines, Turns);
  const double Alone = MedianOfTurns("engine alone, output into NUL:", Lines, Turns, [&] {
                         return RunEngineIntoNul(World, Updates);
                       }).Seconds;
  World.SetLocalUpdateLevel("3.0.3.2");  // the engine alone wrote its new level
  const double Reader = MedianOfTurns("engine into a minimal reader:", Lines, Turns, [&] {
                          return RunEngineIntoMinimalReader(World, Updates);
                        }).Seconds;

  std::vector<double> Attached, EndToResult, Ratios, Growth;
  bool Complete = true;
  for (int Turn = 0; Turn < Turns; ++Turn) {
    const TWizardTurn Result = RunThroughWizard(World, Updates, Lines);
    Attached.push_back(Result.Attached);
    EndToResult.push_back(Result.EndToResult);
    Ratios.push_back(Result.Attached / Reader);
    Growth.push_back(Result.PeakMb / Result.ReadyMb);
    Complete = Complete && Result.Complete;
  }
  std::printf("  engine with the wizard attached:    %8.3f s  %10.0f lines/s  (median of %s)\n", Median(Attached),
              Lines / Median(Attached), List(Attached).c_str());
  std::printf("  engine's end to the result page:    %8.3f s  (target at most 0.5; median of %s)\n",
              Median(EndToResult), List(EndToResult).c_str());
  std::printf("  ratio attached / alone:             %8.1f\n", Median(Attached) / Alone);
  std::printf("  ratio wizard / minimal reader:      %8.2f  (target at most 2.0; median of %s)\n", Median(Ratios),
              List(Ratios).c_str());
  std::printf("  ratio peak / ready working set:     %8.2f  (target at most 1.5; median of %s)\n", Median(Growth),
              List(Growth).c_str());
  return Complete ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  long Lines = 100000;
  long Turns = 3;
  for (int I = 1; I < argc; ++I) {
    if (std::strcmp(argv[I], "--turns") == 0 && I + 1 < argc) {
      Turns = CountArgument(argv[++I], 1, 99);
      if (Turns < 1) {
        std::fprintf(stderr, "--turns wants a number from 1 to 99, got %s\n", argv[I]);
        return 2;
      }
      continue;
    }
    if (std::strcmp(argv[I], "--lines") == 0 && I + 1 < argc) {
      Lines = CountArgument(argv[++I], 1, 10000000);
      if (Lines < 1) {
        std::fprintf(stderr, "--lines wants a number from 1 to 10000000, got %s\n", argv[I]);
        return 2;
      }
    } else {
      std::fprintf(stderr, "usage: bench_engine_run [--lines N] [--turns T]\n");
      return 2;
    }
  }
  return RunBench("bench_engine_run", [&] { return Run(Lines, static_cast<int>(Turns)); });
}
