// The demo's operator: walks the wizard from the first page to the result
// page on a rehearsal node, saving a picture of every page, as a newcomer
// would click through it. Used by scripts/demo.sh when there is no display.
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
  for (const TMessageBox& box : Wizard.MessageBoxes())
    std::fprintf(stderr, "demo: open box \"%s\": %s\n", box.Title.c_str(), box.Text.c_str());
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
void ShowPage(TWizardDriver& wizard, const std::string& page) {
  if (page == "TabSheet0") {
    Say("the wizard is open: " + wizard.Text("lbServerVersion"));
    wizard.Screenshot("demo-1-welcome.bmp");
  } else if (page == "TabSheet1") {
    wizard.Screenshot("demo-2-update-folder.bmp");
  } else if (page == "TabSheet2") {
    wizard.Screenshot("demo-3-update-list.bmp");
    for (const std::string& row : wizard.GridRows("grdUpdateFileList")) Say("  update list: " + row);
  } else if (page == "TabSheet3") {
    Say("snapshot drive: " + wizard.ComboItems("cbSnapshotDrive").at(wizard.ComboSelection("cbSnapshotDrive")) +
        ", " + wizard.Text("lbSnapshotDriveSizeInfo"));
    wizard.Screenshot("demo-4-snapshot-drive.bmp");
  } else if (page == "TabSheet5") {
    wizard.Screenshot("demo-5-ready-to-start.bmp");
  }
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: demo-walk <wizard exe> <update folder>\n");
    return 2;
  }
  const std::string exe = argv[1], updates = argv[2];
  const std::string folder = exe.substr(0, exe.find_last_of('\\') + 1);
  TWizardDriver wizard;
  try {
    OpenWizard(wizard, exe, "", {}, folder, 20000);
    if (!GoToStartPage(wizard, updates, 0, [&](const std::string& page) { ShowPage(wizard, page); }))
      return Fail(wizard, "no snapshot page");

    Say("Start");
    if (ClickStart(wizard, 20000) != "TabSheet6") return Fail(wizard, "the run did not start");
    // Let the engine get going before the picture of the progress page.
    for (int i = 0; i < 40 && wizard.ActivePage() == "TabSheet6" && wizard.ProgressPosition("sbarProgress") < 150; ++i)
      Sleep(100);
    wizard.Screenshot("demo-6-progress.bmp");
    Say("progress: " + wizard.Text("lbCurrentStepTitle") + " / " + wizard.Text("txtCurrentStep") + " / " +
        wizard.Text("lbProgressTitle"));

    WaitForResultPage(wizard, 180000);
    wizard.Screenshot("demo-7-result.bmp");
    Say("result: " + wizard.Text("txtCompletionStatusInfo"));
    Say("server level now: " + wizard.Text("lbServerVersion"));

    wizard.Click("btExit");
    if (auto box = wizard.WaitMessageBox(2000)) {
      Say("at exit: " + box->Text);
      wizard.Screenshot("demo-8-exit.bmp");
      wizard.Answer(*box, IDOK);
    }
    if (!wizard.WaitExit(10000)) return Fail(wizard, "the wizard did not end");
    return 0;
  } catch (const std::exception& e) {
    return Fail(wizard, e.what());
  }
}
