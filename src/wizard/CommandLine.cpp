#include "wizard/CommandLine.h"

namespace {

char AsciiLower(char C) { return (C >= 'A' && C <= 'Z') ? static_cast<char>(C - 'A' + 'a') : C; }

}  // namespace

bool IsNoSnapshotSwitch(const std::string& Arg) {
  static const std::string Word = "nosnapshot";
  if (Arg.size() != Word.size() + 1 || Arg[0] != '~') return false;
  for (size_t I = 0; I < Word.size(); ++I)
    if (AsciiLower(Arg[I + 1]) != Word[I]) return false;
  return true;
}
