#include "Grandchild.h"

#include <windows.h>

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

void RunGrandchild(const std::string& text) {
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  std::string chunk;
  for (unsigned long long i = 1;; ++i) {
    chunk += text + " " + std::to_string(i) + "\r\n";
    if (chunk.size() < 4096) continue;
    DWORD written = 0;
    if (!WriteFile(output, chunk.data(), static_cast<DWORD>(chunk.size()), &written, nullptr) || written == 0)
      ExitProcess(kExitOutputLost);
    chunk.clear();
  }
}

}  // namespace oue_sim
