#include "Grandchild.h"

#include <windows.h>

#include <atomic>
#include <vector>

#include "ExitCodes.h"

namespace oue_sim {

const char* const kGrandchildVariable = "OUE_SIM_GRANDCHILD_TEXT";

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
  SetEnvironmentVariableA(kGrandchildVariable, text.c_str());
  PROCESS_INFORMATION created{};
  const BOOL started = CreateProcessA(nullptr, writable.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                      nullptr, &startup, &created);
  const DWORD error = GetLastError();
  SetEnvironmentVariableA(kGrandchildVariable, nullptr);
  if (!started) {
    SetLastError(error);
    return false;
  }
  CloseHandle(created.hThread);
  CloseHandle(created.hProcess);
  return true;
}

namespace {

std::atomic<unsigned long long> lineNumber{0};

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
    chunk.clear();
  }
}

}  // namespace

void RunGrandchild(const std::string& text) {
  static const std::string line = text;
  CloseHandle(CreateThread(nullptr, 0, WriteForever, const_cast<std::string*>(&line), 0, nullptr));
  WriteForever(const_cast<std::string*>(&line));
  ExitProcess(kExitOutputLost);
}

}  // namespace oue_sim
