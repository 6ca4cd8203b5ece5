// The demo's operator: walks the wizard from the first page to the result
// page on a rehearsal node, saving a picture of every page, as a newcomer
// would click through it. Used by scripts/demo.sh when there is no display.
//
//   demo-walk.exe <wizard exe> <update folder>
#include <windows.h>

#include <cstdio>
#include <string>

#include "Driver.h"
#include "DriverError.h"

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
    wizard.Launch(exe, "", {}, folder);
    std::string why;
    if (!wizard.WaitWindow(20000, &why)) return Fail(wizard, "the wizard did not open: " + why);
    Say("the wizard is open: " + wizard.Text("lbServerVersion"));
    wizard.Screenshot("demo-1-welcome.bmp");

    wizard.Click("btNext");
    if (wizard.WaitPage("TabSheet1") != "TabSheet1") return Fail(wizard, "no update-folder page");
    wizard.SetText("edUpdateFilesPath", updates);
    wizard.WaitEnabled("btNext", true);
    wizard.Screenshot("demo-2-update-folder.bmp");

    wizard.Click("btNext");
    if (wizard.WaitPage("TabSheet2") != "TabSheet2") return Fail(wizard, "no update list");
    wizard.Screenshot("demo-3-update-list.bmp");
    for (const std::string& row : wizard.GridRows("grdUpdateFileList")) Say("  update list: " + row);

    wizard.Click("btNext");
    if (wizard.WaitPage("TabSheet3") != "TabSheet3") return Fail(wizard, "no snapshot page");
    Say("snapshot drive: " + wizard.ComboItems("cbSnapshotDrive").at(wizard.ComboSelection("cbSnapshotDrive")) +
        ", " + wizard.Text("lbSnapshotDriveSizeInfo"));
    wizard.Screenshot("demo-4-snapshot-drive.bmp");

    wizard.Click("btNext");
    if (wizard.WaitPage("TabSheet5") != "TabSheet5") return Fail(wizard, "no start page");
    wizard.Screenshot("demo-5-ready-to-start.bmp");

    Say("Start");
    wizard.Click("btNext");
    if (wizard.WaitPage("TabSheet6", 20000) != "TabSheet6") return Fail(wizard, "the run did not start");
    // Let the engine get going before the picture of the progress page.
    for (int i = 0; i < 40 && wizard.ActivePage() == "TabSheet6" && wizard.ProgressPosition("sbarProgress") < 150; ++i)
      Sleep(100);
    wizard.Screenshot("demo-6-progress.bmp");
    Say("progress: " + wizard.Text("lbCurrentStepTitle") + " / " + wizard.Text("txtCurrentStep") + " / " +
        wizard.Text("lbProgressTitle"));

    if (wizard.WaitPage("TabSheet7", 180000) != "TabSheet7") return Fail(wizard, "the run did not end");
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
