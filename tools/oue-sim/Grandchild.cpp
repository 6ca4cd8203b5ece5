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

bool StartGrandchild(const std::string& text) {
  char path[MAX_PATH * 4] = {};
  if (GetModuleFileNameA(nullptr, path, sizeof path) == 0) return false;
  std::string commandLine = std::string("\"") + path + "\"";
  std::vector<char> writable(commandLine.begin(), commandLine.end());
  writable.push_back('\0');

  // Only the output is handed on; what else the copy inherits is whatever
  // this process holds inheritable, as with any program an engine starts.
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nullptr;
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_OUTPUT_HANDLE);
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const TKernelHandle ready(CreateEventA(&inheritable, TRUE, FALSE, nullptr));
  SetEnvironmentVariableA(kGrandchildVariable, text.c_str());
  SetEnvironmentVariableA(kReadyVariable,
                          std::to_string(reinterpret_cast<std::uintptr_t>(ready.Get())).c_str());
  PROCESS_INFORMATION created{};
  const BOOL started = CreateProcessA(nullptr, writable.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                      nullptr, &startup, &created);
  const DWORD error = GetLastError();
  SetEnvironmentVariableA(kGrandchildVariable, nullptr);
  SetEnvironmentVariableA(kReadyVariable, nullptr);
  if (!started) {
    SetLastError(error);
    return false;
  }
  const TKernelHandle thread(created.hThread), process(created.hProcess);
  WaitForSingleObject(ready.Get(), kReadyTimeoutMs);
  return true;
}

namespace {

std::atomic<unsigned long long> lineNumber{0};
HANDLE readyEvent = nullptr;

// Two writers, so that while one write is being read the other is already
// waiting: the reader never finds the pipe empty, as with a program that
// writes faster than anyone reads.
DWORD WINAPI WriteForever(LPVOID textParameter) {
  const std::string& text = *static_cast<const std::string*>(textParameter);
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  std::string chunk;
  for (;;) {
    while (chunk.size() < 64 * 1024) chunk += text + " " + std::to_string(++lineNumber) + "\r\n";
    DWORD written = 0;
    if (!WriteFile(output, chunk.data(), static_cast<DWORD>(chunk.size()), &written, nullptr) || written == 0)
      ExitProcess(kExitOutputLost);
    if (readyEvent != nullptr) SetEvent(readyEvent);
    chunk.clear();
  }
}

}  // namespace

void RunGrandchild(const std::string& text) {
  static const std::string line = text;
  char ready[32] = {};
  if (GetEnvironmentVariableA(kReadyVariable, ready, sizeof ready) > 0)
    readyEvent = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(std::stoull(ready)));
  TKernelHandle writer(CreateThread(nullptr, 0, WriteForever, const_cast<std::string*>(&line), 0, nullptr));
  writer.Reset();  // the thread runs on without it
  WriteForever(const_cast<std::string*>(&line));
  ExitProcess(kExitOutputLost);
}

}  // namespace oue_sim
