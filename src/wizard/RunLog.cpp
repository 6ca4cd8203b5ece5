#include "wizard/RunLog.h"

#include <stdexcept>
#include <vector>

#include "wizard/EngineRun.h"

namespace {
const char LogExtension[] = ".log";
const std::size_t ComposeChunk = 1024 * 1024;
}  // namespace

void AppendRunningLine(std::string& Buffer, const std::string& Line) {
  Buffer += Line;
  // Two bytes put in place rather than copied: on a flood of short lines a
  // copy call per line end costs as much as the line's own.
  Buffer.push_back('\r');
  Buffer.push_back('\n');
}

std::string RunningLogName(const std::string& DatedName) { return DatedName + ".running"; }

std::string UniqueLogName(const std::string& DatedName, const std::function<bool(const std::string&)>& Taken) {
  if (!Taken(DatedName)) return DatedName;
  std::string Base = DatedName;
  const std::size_t Extension = sizeof LogExtension - 1;
  if (Base.size() >= Extension && Base.compare(Base.size() - Extension, Extension, LogExtension) == 0)
    Base.erase(Base.size() - Extension);
  for (int Number = 2; Number <= MaxLogNumber; ++Number) {
    const std::string Name = Base + "." + std::to_string(Number) + LogExtension;
    if (!Taken(Name)) return Name;
  }
  throw std::runtime_error("no free log name beside " + DatedName);
}

void ComposeRunLog(const std::string& ResultText, const TReadBytes& ReadRunning, const TWriteBytes& Write) {
  const std::string Head = ResultText + OutputBanner;
  Write(Head.data(), Head.size());
  // The running file ends every line with CR LF, the log begins every line
  // with it: the first line gets one in front and the file's last CR LF is
  // held back until it is known to be the last.
  std::vector<char> Buffer(ComposeChunk + 2);
  std::size_t Held = 0;  // bytes at Buffer's start not yet written
  bool First = true;
  for (;;) {
    const std::size_t Got = ReadRunning(Buffer.data() + Held, ComposeChunk);
    if (Got == 0) break;
    if (First) {
      Write("\r\n", 2);
      First = false;
    }
    const std::size_t Total = Held + Got;
    const std::size_t Keep = Total < 2 ? Total : 2;
    Write(Buffer.data(), Total - Keep);
    Buffer[0] = Buffer[Total - Keep];
    if (Keep == 2) Buffer[1] = Buffer[Total - 1];
    Held = Keep;
  }
  // A file cut short (the disk full mid-run) may not end with CR LF: its
  // last bytes are output too.
  if (!(Held == 2 && Buffer[0] == '\r' && Buffer[1] == '\n')) Write(Buffer.data(), Held);
}
