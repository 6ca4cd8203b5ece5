// The test program. Started with a "--harness-child-..." argument it plays a
// small helper child instead, so the harness's process handling is tested
// against a program whose behaviour the test controls.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "World.h"

namespace {

// --harness-child-env <file> <name>...: writes the working folder and the
// named variables ("NAME=value" or "NAME unset") to <file>, exits with 7.
int ReportEnvironment(int Argc, char** Argv) {
  if (Argc < 3) return 2;
  std::string Report;
  char Folder[MAX_PATH * 2] = {};
  GetCurrentDirectoryA(sizeof Folder, Folder);
  Report += std::string("cwd=") + Folder + "\n";
  for (int I = 3; I < Argc; ++I) {
    char Value[4096] = {};
    SetLastError(0);
    DWORD Length = GetEnvironmentVariableA(Argv[I], Value, sizeof Value);
    if (Length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND)
      Report += std::string(Argv[I]) + " unset\n";
    else
      Report += std::string(Argv[I]) + "=" + std::string(Value, Length) + "\n";
  }
  FILE* Out = std::fopen(Argv[2], "wb");
  if (Out == nullptr) return 3;
  std::fwrite(Report.data(), 1, Report.size(), Out);
  std::fclose(Out);
  return 7;
}

}  // namespace

int main(int Argc, char** Argv) {
  if (Argc >= 2 && std::strcmp(Argv[1], "--harness-child-env") == 0) return ReportEnvironment(Argc, Argv);
  if (Argc >= 2 && std::strcmp(Argv[1], "--harness-child-sleep") == 0) {
    Sleep(60000);
    return 0;
  }
  ::testing::InitGoogleTest(&Argc, Argv);
  const int Result = RUN_ALL_TESTS();
  // No wizard or engine of a test may outlive the test program: it would keep
  // the test runner's output open.
  KillProcessesUnder("C:\\OUpdTest\\");
  return Result;
}
