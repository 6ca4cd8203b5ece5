#include "StandardRunPlayer.h"

#include <windows.h>

#include "ExitCodes.h"
#include "LevelRegistry.h"
#include "StandardRun.h"
#include "UpdateFolder.h"

namespace oue_sim {

unsigned long PlayStandardRun(const EngineArguments& Arguments, const SimSettings& Settings, TSimOutput& Output) {
  if (!FolderExists(Arguments.dir)) {
    Output.WriteLine("[Error]: Update folder " + Arguments.dir + " not found");
    return kExitRunFailed;
  }
  StandardRunInput Input;
  Input.dir = Arguments.dir;
  Input.snapshotLocation = Arguments.noSnapshot ? std::string() : Arguments.snapshotLocation;
  Input.updates = SelectUpdates(ListUpdateFileNames(Arguments.dir));
  Input.needReboot = Settings.needReboot;
  if (Input.updates.empty()) {
    Output.WriteLine("[Error]: No update files found in " + Arguments.dir);
    return kExitRunFailed;
  }

  for (const RunAction& Action : StandardRunScript(Input)) {
    if (Action.kind == RunActionKind::WriteLevel) {
      if (const unsigned long Rc = WriteUpdateLevel(Action.text)) {
        Output.WriteLine("[Error]: Cannot write UpdateLevel " + Action.text +
                         " to HKEY_LOCAL_MACHINE\\Software\\Dantor\\Kelvra\\Products\\Orvane (error " +
                         std::to_string(Rc) + ")");
        return kExitRunFailed;
      }
      continue;
    }
    Output.WriteLine(Action.text);
    if (Settings.delayMs > 0) Sleep(Settings.delayMs);
  }
  return kExitSuccess;
}

}  // namespace oue_sim
