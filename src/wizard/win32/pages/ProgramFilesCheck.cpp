// TLauncherForm, the last check before Start copies and runs anything: the
// wizard runs its folder's oue.exe, and RunOnce starts OUpdate.exe, with
// administrator rights, so nobody else may be able to change them.
#include "text/LangRes.h"
#include "text/TextFormat.h"
#include "utils/WriteAccess.h"
#include "wizard/win32/FileSystem.h"
#include "wizard/win32/LauncherForm.h"
#include "utils/win32/WriteAccessQuery.h"

// Under Wine every program runs as one administrator and a file's access
// list is made from its mode bits (the owner's bits for the account, the
// others' bits for Everyone); what a user without rights could really do
// on Windows is decided by OtherWriters and tested natively.
bool TLauncherForm::CheckProgramFilesGuarded() {
  const std::string Engine = FProgramDir + "oue.exe";
  // Held from this check until the engine has started, so that what was
  // checked is what runs.
  FEngineFileHold = HoldAgainstChanges(Engine);
  const DWORD HoldError = GetLastError();
  std::vector<TWritableItem> Items;
  auto Check = [&Items](const std::string& Path, std::vector<std::string> Writers) {
    if (!Writers.empty()) Items.push_back({Path, std::move(Writers)});
  };
  Check(FProgramDir, OtherWritersOf(FProgramDir));
  Check(ProgramFilePath(), OtherWritersOf(ProgramFilePath()));
  Check(Engine,
        FEngineFileHold ? OtherWritersOf(FEngineFileHold.Get()) : std::vector<std::string>{SysErrorMessage(HoldError)});
  if (Items.empty()) return true;

  const std::string Text = FormatText(GetLangText("str_Message_Program_Files_Writable"), {WritableItemsList(Items)});
  if (FOptions.Unattended()) {
    // Nobody at the screen can vouch for the files: refused whatever
    // /acceptwarnings says.
    ShowMessageBox(Text, GetLangText("str_Title_Error"), 0);
  } else if (ShowMessageBox(Text + "\r\r" + GetLangText("str_Message_Program_Files_Writable_Query_Continue"),
                            GetLangText("str_Title_Warning"), MB_YESNO_DEFAULT_NO) == IDYES) {
    return true;
  }
  FEngineFileHold.Reset();
  return false;
}
