#include "Walk.h"

#include <sstream>

#include "DriverError.h"
#include "Files.h"

namespace {

[[noreturn]] void Stuck(const TWizardDriver& Wizard, const std::string& Where, const std::string& Seen) {
  throw TDriverError(Where + ": the wizard shows page \"" + Seen + "\"\n  " + DescribeMessageBoxes(Wizard));
}

void Reach(TWizardDriver& Wizard, const std::string& Page, const std::string& Where) {
  const std::string Seen = Wizard.WaitPage(Page);
  if (Seen != Page) Stuck(Wizard, Where, Seen);
}

void LeaveWithNext(TWizardDriver& Wizard, const std::string& Page, const std::string& Refused,
                   const TPageVisit& OnPage) {
  if (!Wizard.WaitEnabled("btNext", true)) throw TDriverError(Refused);
  if (OnPage) OnPage(Page);
  Wizard.Click("btNext");
}

}  // namespace

std::string DescribeMessageBoxes(const TWizardDriver& Wizard) {
  std::ostringstream Out;
  for (const TMessageBox& Box : Wizard.MessageBoxes()) Out << Box << "\n";
  const std::string Text = Out.str();
  return Text.empty() ? std::string("no message box open") : Text;
}

void OpenWizard(TWizardDriver& Wizard, const std::string& Exe, const std::string& Args, const TEnvironment& Env,
                const std::string& WorkDir, DWORD TimeoutMs) {
  Wizard.Launch(Exe, Args, Env, WorkDir);
  std::string Why;
  if (!Wizard.WaitWindow(TimeoutMs, &Why))
    throw TDriverError("the wizard's window did not open: " + Why +
                       "\n  command line: " + Wizard.Process().CommandLine() + "\n  " + DescribeMessageBoxes(Wizard));
}

void OpenWizard(TWizardDriver& Wizard, TWorld& World, const std::string& Args) {
  OpenWizard(Wizard, World.WizardExe(), Args, World.Environment(), World.WizardDir());
}

std::string MakeUpdates(const std::string& Folder, int First, int Last) {
  const std::string Path = WithBackslash(Folder);
  if (!MakeDirectories(Path)) throw TDriverError("cannot create " + Path);
  for (int N = First; N <= Last; ++N) {
    const std::string Name = "Orvane-3.1.0." + std::to_string(N) + ".oue";
    WriteFileBytes(Path + Name, "update " + Name + "\r\n");
  }
  return Path;
}

bool GoToStartPage(TWizardDriver& Wizard, const std::string& UpdateFolder, int Language, const TPageVisit& OnPage) {
  Reach(Wizard, "TabSheet0", "at start");
  if (Language != 0 && !Wizard.SelectCombo("cbLocale", Language))
    throw TDriverError("language " + std::to_string(Language) + " could not be picked\n  " +
                       DescribeMessageBoxes(Wizard));
  if (OnPage) OnPage("TabSheet0");
  Wizard.Click("btNext");

  Reach(Wizard, "TabSheet1", "after the first page");
  Wizard.SetText("edUpdateFilesPath", UpdateFolder);
  LeaveWithNext(Wizard, "TabSheet1", "Next stays disabled for the folder " + UpdateFolder, OnPage);

  Reach(Wizard, "TabSheet2", "after the folder page");
  LeaveWithNext(Wizard, "TabSheet2", "no updates listed from " + UpdateFolder, OnPage);

  std::string Seen;
  WaitUntil([&] {
    Seen = Wizard.ActivePage();
    return Seen == "TabSheet3" || Seen == "TabSheet5";
  });
  const bool SnapshotPageSeen = Seen == "TabSheet3";
  if (SnapshotPageSeen) {
    if (!Wizard.WaitEnabled("btNext", true))
      throw TDriverError("the snapshot drive is refused: " + Wizard.Text("lbSnapshotDriveSizeInfo"));
    if (OnPage) OnPage("TabSheet3");
    Wizard.Click("btNext");
    Seen = Wizard.WaitPage("TabSheet5");
  }
  if (Seen != "TabSheet5") Stuck(Wizard, "after the update list", Seen);
  if (OnPage) OnPage("TabSheet5");
  return SnapshotPageSeen;
}

std::string ClickStart(TWizardDriver& Wizard, DWORD TimeoutMs) {
  Wizard.Click("btNext");
  std::string Seen;
  if (!WaitUntil(
          [&] {
            Seen = Wizard.ActivePage();
            return Seen == "TabSheet6" || Seen == "TabSheet7";
          },
          TimeoutMs))
    throw TDriverError("Start did not begin a run: page \"" + Seen + "\"\n  " + DescribeMessageBoxes(Wizard));
  return Seen;
}

void WaitForResultPage(TWizardDriver& Wizard, DWORD TimeoutMs) {
  const std::string Seen = Wizard.WaitPage("TabSheet7", TimeoutMs);
  if (Seen != "TabSheet7")
    throw TDriverError("the run did not end on the result page within " + std::to_string(TimeoutMs) + " ms: page \"" +
                       Seen + "\", current step \"" + Wizard.Text("txtCurrentStep") + "\"\n  " +
                       DescribeMessageBoxes(Wizard));
}

void SendOperatorLine(TWizardDriver& Wizard, const std::string& Text) {
  Wizard.SetText("edOUEInput", Text);
  Wizard.PressKeyOn("edOUEInput", VK_RETURN);
}
