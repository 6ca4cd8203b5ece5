#include "SimConsole.h"

#include <windows.h>

#include <algorithm>

#include "ExitCodes.h"

namespace oue_sim {

TSimOutput::TSimOutput() : handle_(GetStdHandle(STD_OUTPUT_HANDLE)) {}

void TSimOutput::Write(const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    DWORD written = 0;
    if (!WriteFile(handle_, bytes.data() + done, chunk, &written, nullptr) || written == 0)
      ExitProcess(kExitOutputLost);
    done += written;
  }
}

void TSimOutput::WaitUntilRead() {
  // On a pipe this blocks until the reader has drained it; on a console or a
  // file it returns at once or fails, and either is fine.
  FlushFileBuffers(handle_);
}

TSimInput::TSimInput() : handle_(GetStdHandle(STD_INPUT_HANDLE)) {}

std::optional<std::string> TSimInput::ReadLine() {
  std::string line;
  bool any = false;
  for (;;) {
    char c = 0;
    DWORD got = 0;
    // One byte at a time: a line must not swallow input meant for the next read.
    if (!ReadFile(handle_, &c, 1, &got, nullptr) || got == 0) break;
    any = true;
    if (c == '\n') break;
    line += c;
  }
  if (!any) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace oue_sim
