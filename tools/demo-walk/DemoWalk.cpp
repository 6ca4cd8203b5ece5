// The demo's operator: walks the wizard from the first page to the result
// page on a rehearsal node, saving a picture of every page under the name
// the operator's guide shows it by (scripts/guide-pictures.sh takes them as
// they come), as a newcomer would click through it. Used by scripts/demo.sh
// when there is no display.
//
//   demo-walk.exe <wizard exe> <update folder>
#include <windows.h>

#include <cstdio>
#include <string>

#include "Driver.h"
#include "Walk.h"

namespace {
int Fail(TWizardDriver& Wizard, const std::string& What) {
  std::fprintf(stderr, "demo: %s\n", What.c_str());
  for (const TMessageBox& Box : Wizard.MessageBoxes())
    std::fprintf(stderr, "demo: open box \"%s\": %s\n", Box.Title.c_str(), Box.Text.c_str());
  try {
    Wizard.Screenshot("demo-failure.bmp");
  } catch (...) {
  }
  return 1;
}

void Say(const std::string& Text) {
  std::printf("demo: %s\n", Text.c_str());
  std::fflush(stdout);
}

// The picture, and what a newcomer would read, on each page of the walk.
void ShowPage(TWizardDriver& Wizard, const std::string& Page) {
  if (Page == "TabSheet0") {
    Say("the wizard is open: " + Wizard.Text("lbServerVersion"));
    Wizard.Screenshot("page-1-welcome.bmp");
  } else if (Page == "TabSheet1") {
    Wizard.Screenshot("page-2-update-folder.bmp");
  } else if (Page == "TabSheet2") {
    Wizard.Screenshot("page-3-update-list.bmp");
    for (const std::string& Row : Wizard.GridRows("grdUpdateFileList")) Say("  update list: " + Row);
  } else if (Page == "TabSheet3") {
    Say("snapshot drive: " + Wizard.ComboItems("cbSnapshotDrive").at(Wizard.ComboSelection("cbSnapshotDrive")) + ", " +
        Wizard.Text("lbSnapshotDriveSizeInfo"));
    Wizard.Screenshot("page-4-snapshot-drive.bmp");
  } else if (Page == "TabSheet5") {
    Wizard.Screenshot("page-5-ready-to-start.bmp");
  }
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: demo-walk <wizard exe> <update folder>\n");
    return 2;
  }
  const std::string Exe = argv[1], Updates = argv[2];
  const std::string Folder = Exe.substr(0, Exe.find_last_of('\\') + 1);
  TWizardDriver Wizard;
  try {
    OpenWizard(Wizard, Exe, "", {}, Folder, 20000);
    if (!GoToStartPage(Wizard, Updates, 0, [&](const std::string& Page) { ShowPage(Wizard, Page); }))
      return Fail(Wizard, "no snapshot page");

    Say("Start");
    if (ClickStart(Wizard, 20000) != "TabSheet6") return Fail(Wizard, "the run did not start");
    // Let the engine get going before the picture of the progress page.
    for (int I = 0; I < 40 && Wizard.ActivePage() == "TabSheet6" && Wizard.ProgressPosition("sbarProgress") < 150; ++I)
      Sleep(100);
    Wizard.Screenshot("page-6-progress.bmp");
    Say("progress: " + Wizard.Text("lbCurrentStepTitle") + " / " + Wizard.Text("txtCurrentStep") + " / " +
        Wizard.Text("lbProgressTitle"));

    WaitForResultPage(Wizard, 180000);
    Wizard.Screenshot("page-7-result.bmp");
    Say("result: " + Wizard.Text("txtCompletionStatusInfo"));
    Say("server level now: " + Wizard.Text("lbServerVersion"));

    Wizard.Click("btExit");
    if (auto Box = Wizard.WaitMessageBox(2000)) {
      Say("at exit: " + Box->Text);
      Wizard.Screenshot("box-reboot-at-exit.bmp");
      Wizard.Answer(*Box, IDOK);
    }
    if (!Wizard.WaitExit(10000)) return Fail(Wizard, "the wizard did not end");
    return 0;
  } catch (const std::exception& E) {
    return Fail(Wizard, E.what());
  }
}
