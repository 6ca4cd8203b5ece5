#include "Grandchild.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "ExitCodes.h"
#include "utils/win32/Handles.h"

namespace oue_sim {

const char* const kGrandchildVariable = "OUE_SIM_GRANDCHILD_TEXT";

namespace {
// The handle value of an inheritable event the copy sets once its first
// write went through, so the scenario goes on only when the copy's output
// is on its way.
const char* const kReadyVariable = "OUE_SIM_GRANDCHILD_READY";
const DWORD kReadyTimeoutMs = 30000;
}  // namespace

bool StartGrandchild(const std::string& Text) {
  char Path[MAX_PATH * 4] = {};
  if (GetModuleFileNameA(nullptr, Path, sizeof Path) == 0) return false;
  std::string CommandLine = std::string("\"") + Path + "\"";
  std::vector<char> Writable(CommandLine.begin(), CommandLine.end());
  Writable.push_back('\0');

  // Only the output is handed on; what else the copy inherits is whatever
  // this process holds inheritable, as with any program an engine starts.
  STARTUPINFOA Startup{};
  Startup.cb = sizeof Startup;
  Startup.dwFlags = STARTF_USESTDHANDLES;
  Startup.hStdInput = nullptr;
  Startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  Startup.hStdError = GetStdHandle(STD_OUTPUT_HANDLE);
  SECURITY_ATTRIBUTES Inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const TKernelHandle Ready(CreateEventA(&Inheritable, TRUE, FALSE, nullptr));
  SetEnvironmentVariableA(kGrandchildVariable, Text.c_str());
  SetEnvironmentVariableA(kReadyVariable, std::to_string(reinterpret_cast<std::uintptr_t>(Ready.Get())).c_str());
  PROCESS_INFORMATION Created{};
  const BOOL Started = CreateProcessA(nullptr, Writable.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                      nullptr, &Startup, &Created);
  const DWORD Error = GetLastError();
  SetEnvironmentVariableA(kGrandchildVariable, nullptr);
  SetEnvironmentVariableA(kReadyVariable, nullptr);
  if (!Started) {
    SetLastError(Error);
    return false;
  }
  const TKernelHandle Thread(Created.hThread), Process(Created.hProcess);
  WaitForSingleObject(Ready.Get(), kReadyTimeoutMs);
  return true;
}

namespace {

std::atomic<unsigned long long> lineNumber{0};
HANDLE readyEvent = nullptr;

// Two writers, so that while one write is being read the other is already
// waiting: the reader never finds the pipe empty, as with a program that
// writes faster than anyone reads.
DWORD WINAPI WriteForever(LPVOID TextParameter) {
  const std::string& Text = *static_cast<const std::string*>(TextParameter);
  HANDLE Output = GetStdHandle(STD_OUTPUT_HANDLE);
  std::string Chunk;
  for (;;) {
    while (Chunk.size() < 64 * 1024) Chunk += Text + " " + std::to_string(++lineNumber) + "\r\n";
    DWORD Written = 0;
    if (!WriteFile(Output, Chunk.data(), static_cast<DWORD>(Chunk.size()), &Written, nullptr) || Written == 0)
      ExitProcess(kExitOutputLost);
    if (readyEvent != nullptr) SetEvent(readyEvent);
    Chunk.clear();
  }
}

}  // namespace

void RunGrandchild(const std::string& Text) {
  static const std::string Line = Text;
  char Ready[32] = {};
  if (GetEnvironmentVariableA(kReadyVariable, Ready, sizeof Ready) > 0)
    readyEvent = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(std::stoull(Ready)));
  TKernelHandle Writer(CreateThread(nullptr, 0, WriteForever, const_cast<std::string*>(&Line), 0, nullptr));
  Writer.Reset();  // the thread runs on without it
  WriteForever(const_cast<std::string*>(&Line));
  ExitProcess(kExitOutputLost);
}

}  // namespace oue_sim
