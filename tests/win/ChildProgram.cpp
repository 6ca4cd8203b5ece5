// The test program run as a child process ("--child=MODE"), so the process
// and pipe tests need no helper program of their own.
//   chunks       each input line is hexadecimal bytes written raw, in one write, to
//                standard output; "quit" ends
//   echo         each input line comes back as "echo:" + line + CR LF; "quit" ends
//   whoami       writes its own program path and its command line, one per line
//   sleep:MS     sleeps, then exits 0
//   exit:CODE    exits with CODE at once
//   probe:H      sets the event whose handle value is H (if it was inherited) and
//                exits with its start-up flags | show-window << 16
#include "TestSupport.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

bool ReadInputLine(std::string& Line) {
  Line.clear();
  HANDLE Input = GetStdHandle(STD_INPUT_HANDLE);
  for (;;) {
    char C;
    DWORD Got = 0;
    if (!ReadFile(Input, &C, 1, &Got, nullptr) || Got == 0) return false;
    if (C == '\n') return true;
    if (C != '\r') Line += C;
  }
}

void WriteOutput(const std::string& Bytes) {
  DWORD Written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), Bytes.data(), static_cast<DWORD>(Bytes.size()), &Written, nullptr);
}

std::string After(const std::string& Mode, const std::string& Prefix) { return Mode.substr(Prefix.size()); }

}  // namespace

int RunChildMode(const std::string& Mode) {
  std::string Line;
  if (Mode == "chunks") {
    while (ReadInputLine(Line) && Line != "quit") WriteOutput(Unhex(Line));
    return 0;
  }
  if (Mode == "echo") {
    while (ReadInputLine(Line) && Line != "quit") WriteOutput("echo:" + Line + "\r\n");
    return 0;
  }
  if (Mode == "whoami") {
    WriteOutput(SelfPath() + "\r\n" + GetCommandLineA() + "\r\n");
    return 0;
  }
  if (Mode.rfind("sleep:", 0) == 0) {
    Sleep(std::strtoul(After(Mode, "sleep:").c_str(), nullptr, 10));
    return 0;
  }
  if (Mode.rfind("exit:", 0) == 0) return std::atoi(After(Mode, "exit:").c_str());
  if (Mode.rfind("probe:", 0) == 0) {
    HANDLE Event = reinterpret_cast<HANDLE>(std::strtoull(After(Mode, "probe:").c_str(), nullptr, 16));
    SetEvent(Event);
    STARTUPINFOA Startup{};
    Startup.cb = sizeof(Startup);
    GetStartupInfoA(&Startup);
    return static_cast<int>((Startup.dwFlags & 0xFFFF) | (static_cast<DWORD>(Startup.wShowWindow) << 16));
  }
  return 250;
}
