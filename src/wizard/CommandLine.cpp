#include "wizard/CommandLine.h"

#include "utils/AsciiCase.h"

bool IsNoSnapshotSwitch(const std::string& Arg) {
  static const std::string Word = "nosnapshot";
  if (Arg.size() != Word.size() + 1 || Arg[0] != '~') return false;
  for (size_t I = 0; I < Word.size(); ++I)
    if (AsciiLower(Arg[I + 1]) != Word[I]) return false;
  return true;
}
