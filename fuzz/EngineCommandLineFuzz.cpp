// The engine's command line, round trip: what the wizard builds, read back by
// the Windows argument rules (the simulator's reader), gives back exactly the
// drive and the folder the wizard meant to pass.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "EngineCommandLine.h"
#include "wizard/EngineRun.h"

namespace {

// A command line cannot carry NUL: it ends the text.
std::string WithoutNul(std::string Text) {
  std::string Result;
  for (char C : Text)
    if (C != '\0') Result += C;
  return Result;
}

bool IsDriveRoot(const std::string& Path) {
  const char Letter = static_cast<char>(Path.empty() ? 0 : Path[0] & ~0x20);
  return Path.size() == 3 && Letter >= 'A' && Letter <= 'Z' && Path[1] == ':' && Path[2] == '\\';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  FuzzedDataProvider Input(Data, Size);
  const bool NoSnapshot = Input.ConsumeBool();
  const char Drive = Input.ConsumeIntegral<char>();
  const std::string Program = WithoutNul(Input.ConsumeRandomLengthString(64)) + "\\oue.exe";
  const std::string Folder = WithoutNul(Input.ConsumeRemainingBytesAsString());

  std::string Line;
  try {
    Line = EngineCommandLine(Program, EngineArguments(NoSnapshot, Drive, Folder));
  } catch (const std::invalid_argument&) {
    return 0;  // a drive that is no letter, a program path with a quote
  }

  std::string Meant = Folder;
  if (!Meant.empty() && Meant.back() == '\\' && !IsDriveRoot(Meant)) Meant.pop_back();
  std::vector<std::string> Expected = {"-ouegui", "-product", "orvane"};
  if (NoSnapshot) {
    Expected.push_back("-nosnapshot");
  } else {
    Expected.push_back("-snapshotlocation");
    Expected.push_back(std::string(1, static_cast<char>(Drive >= 'a' && Drive <= 'z' ? Drive - 32 : Drive)) + ":");
  }
  Expected.push_back("-dir");
  Expected.push_back(Meant);

  const std::vector<std::string> Read = oue_sim::SplitCommandLine(Line, "oue.exe");
  if (Read != Expected) std::abort();
  const oue_sim::EngineArgumentsParse Parse = oue_sim::ParseEngineArguments(Read);
  const bool Refusable = Meant.empty() || Meant == "-ouegui" || Meant == "-product" || Meant == "-nosnapshot" ||
                         Meant == "-snapshotlocation" || Meant == "-dir";
  if (!Parse.Ok() && !Refusable) std::abort();
  if (Parse.Ok() && (Parse.arguments.dir != Meant || Parse.arguments.noSnapshot != NoSnapshot)) std::abort();
  return 0;
}
