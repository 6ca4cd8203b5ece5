// run-report: starts a Windows program, waits for it and prints its whole
// exit code. Scripts that start programs under Wine need it: the shell sees
// only the low 8 bits of a Windows exit code (3010 reads as 194).
//
//   run-report.exe <program> [arguments...]
// Prints "exit code: N" as its last line and returns 0, or returns 1 with a
// reason when the program could not be started.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "utils/win32/Handles.h"

namespace {

// One argument quoted so that the child's C runtime reads it back unchanged.
std::string Quoted(const std::string& Argument) {
  if (!Argument.empty() && Argument.find_first_of(" \t\"") == std::string::npos) return Argument;
  std::string Out = "\"";
  size_t Backslashes = 0;
  for (char C : Argument) {
    if (C == '\\') {
      ++Backslashes;
      continue;
    }
    Out.append(C == '"' ? Backslashes * 2 + 1 : Backslashes, '\\');
    Backslashes = 0;
    Out += C;
  }
  Out.append(Backslashes * 2, '\\');
  return Out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: run-report <program> [arguments...]\n");
    return 1;
  }
  std::string CommandLine = Quoted(argv[1]);
  for (int I = 2; I < argc; ++I) CommandLine += " " + Quoted(argv[I]);

  STARTUPINFOA Startup{};
  Startup.cb = sizeof(Startup);
  PROCESS_INFORMATION Started{};
  if (!CreateProcessA(nullptr, &CommandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &Startup, &Started)) {
    std::fprintf(stderr, "run-report: cannot start %s (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  const TKernelHandle Thread(Started.hThread), Process(Started.hProcess);
  WaitForSingleObject(Process.Get(), INFINITE);
  DWORD Code = 0;
  GetExitCodeProcess(Process.Get(), &Code);
  std::printf("exit code: %lu\n", Code);
  return 0;
}
