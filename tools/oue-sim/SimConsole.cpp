#include "SimConsole.h"

#include <windows.h>

#include <algorithm>

#include "ExitCodes.h"

namespace oue_sim {

TSimOutput::TSimOutput() : handle_(GetStdHandle(STD_OUTPUT_HANDLE)) {}

void TSimOutput::Write(const std::string& Bytes) {
  std::size_t Done = 0;
  while (Done < Bytes.size()) {
    const DWORD Chunk = static_cast<DWORD>(std::min<std::size_t>(Bytes.size() - Done, 1u << 20));
    DWORD Written = 0;
    if (!WriteFile(handle_, Bytes.data() + Done, Chunk, &Written, nullptr) || Written == 0)
      ExitProcess(kExitOutputLost);
    Done += Written;
  }
}

void TSimOutput::WaitUntilRead() {
  // On a pipe this blocks until the reader has drained it; on a console or a
  // file it returns at once or fails, and either is fine.
  FlushFileBuffers(handle_);
}

TSimInput::TSimInput() : handle_(GetStdHandle(STD_INPUT_HANDLE)) {}

std::optional<std::string> TSimInput::ReadLine() {
  std::string Line;
  bool Any = false;
  for (;;) {
    char C = 0;
    DWORD Got = 0;
    // One byte at a time: a line must not swallow input meant for the next read.
    if (!ReadFile(handle_, &C, 1, &Got, nullptr) || Got == 0) break;
    Any = true;
    if (C == '\n') break;
    Line += C;
  }
  if (!Any) return std::nullopt;
  if (!Line.empty() && Line.back() == '\r') Line.pop_back();
  return Line;
}

}  // namespace oue_sim
