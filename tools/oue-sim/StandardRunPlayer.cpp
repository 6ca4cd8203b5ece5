#include "StandardRunPlayer.h"

#include <windows.h>

#include "ExitCodes.h"
#include "LevelRegistry.h"
#include "StandardRun.h"
#include "UpdateFolder.h"

namespace oue_sim {

unsigned long PlayStandardRun(const EngineArguments& arguments, const SimSettings& settings, TSimOutput& output) {
  if (!FolderExists(arguments.dir)) {
    output.WriteLine("[Error]: Update folder " + arguments.dir + " not found");
    return kExitRunFailed;
  }
  StandardRunInput input;
  input.dir = arguments.dir;
  input.snapshotLocation = arguments.noSnapshot ? std::string() : arguments.snapshotLocation;
  input.updates = SelectUpdates(ListUpdateFileNames(arguments.dir));
  input.needReboot = settings.needReboot;
  if (input.updates.empty()) {
    output.WriteLine("[Error]: No update files found in " + arguments.dir);
    return kExitRunFailed;
  }

  for (const RunAction& action : StandardRunScript(input)) {
    if (action.kind == RunActionKind::WriteLevel) {
      if (const unsigned long rc = WriteUpdateLevel(action.text)) {
        output.WriteLine("[Error]: Cannot write UpdateLevel " + action.text +
                         " to HKEY_LOCAL_MACHINE\\Software\\Dantor\\Kelvra\\Products\\Orvane (error " +
                         std::to_string(rc) + ")");
        return kExitRunFailed;
      }
      continue;
    }
    output.WriteLine(action.text);
    if (settings.delayMs > 0) Sleep(settings.delayMs);
  }
  return kExitSuccess;
}

}  // namespace oue_sim
