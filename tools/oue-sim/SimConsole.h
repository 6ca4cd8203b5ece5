#pragma once
// Win32: the simulator's standard handles, used with WriteFile/ReadFile
// directly so that no runtime buffer holds bytes back or splits them.
#include <optional>
#include <string>

namespace oue_sim {

class TSimOutput {
 public:
  TSimOutput();
  // Writes every byte, in as few writes as the pipe allows. When the reader has
  // gone there is nobody left to play for: the process ends with kExitOutputLost.
  void Write(const std::string& Bytes);
  void WriteLine(const std::string& Text) { Write(Text + "\r\n"); }
  // Returns once the reader has taken everything written (a pipe), at once otherwise.
  void WaitUntilRead();

 private:
  void* handle_;  // standard output; owned by the process, not closed here
};

class TSimInput {
 public:
  TSimInput();
  // One line without its CR LF (or LF); nullopt at end of input with nothing read.
  std::optional<std::string> ReadLine();

 private:
  void* handle_;  // standard input; owned by the process, not closed here
};

}  // namespace oue_sim
