#include "utils/win32/RestartRegistration.h"

#include "utils/Errors.h"
#include "utils/NodeInfo.h"
#include "utils/win32/Handles.h"

#include <windows.h>

#include <vector>

namespace {

const char* const StartValue = "StartOUpdate";
const char* const DeleteFlagValue = "DeleteOUERebootFlag";
// Expanded at logon. The path in quotes: with a blank in the install root,
// Del would otherwise delete whatever the pieces name and leave the flag,
// and the wizard would refuse to run for good.
const char* const DeleteFlagCommand =
    "CMD /c Del \"%KelvraHome%\\DantorKelvra\\support\\patches\\admin\\oueRebootCheck.txt\"";

void WriteText(HKEY Key, const char* Name, DWORD Type, const std::string& Text) {
  if (RegSetValueExA(Key, Name, 0, Type, reinterpret_cast<const BYTE*>(Text.c_str()),
                     static_cast<DWORD>(Text.size() + 1)) != ERROR_SUCCESS)
    throw ERegistryException::FailedToSetData(Name);
}

}  // namespace

std::string GetOwnProgramPath() {
  std::vector<char> Path(MAX_PATH);
  for (;;) {
    DWORD Length = GetModuleFileNameA(nullptr, Path.data(), static_cast<DWORD>(Path.size()));
    if (Length == 0) return "";
    if (Length < Path.size()) return std::string(Path.data(), Length);
    Path.resize(Path.size() * 2);
  }
}

void RegisterRestartAfterReboot(bool RestartWizard) {
  // The program's own path, not the working directory plus a fixed name: the
  // wizard may be started from anywhere and under another file name.
  const std::string Command = "\"" + GetOwnProgramPath() + "\"";

  HKEY Opened = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, RunOnceKeyPath + 1, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, &Opened, nullptr) != ERROR_SUCCESS)
    return;
  TRegistryKey Key(Opened);

  if (RestartWizard) WriteText(Key.Get(), StartValue, REG_SZ, Command);
  if (RegQueryValueExA(Key.Get(), DeleteFlagValue, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    WriteText(Key.Get(), DeleteFlagValue, REG_EXPAND_SZ, DeleteFlagCommand);
}

bool RegisterDeletionAtBoot(const std::string& File) {
  return MoveFileExA(File.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}
