#include "StandardRun.h"

namespace oue_sim {
namespace {

class Script {
 public:
  void Line(const std::string& Text) { actions_.push_back({RunActionKind::Line, Text}); }
  void Param(const std::string& Text) { Line("[PARAM]: " + Text); }
  void Section(const std::string& Name) { Line("[SECTION]: " + Name); }
  // Step texts must not hold a comma: the status line has exactly three fields.
  void Status(int Code, const std::string& Step, int Percent) {
    Line("[STATUS]: " + std::to_string(Code) + "," + Step + "," + std::to_string(Percent));
  }
  void Level(const std::string& Level) { actions_.push_back({RunActionKind::WriteLevel, Level}); }
  std::vector<RunAction> Take() { return std::move(actions_); }

 private:
  std::vector<RunAction> actions_;
};

std::string InFolder(const std::string& Dir, const std::string& Name) {
  if (!Dir.empty() && (Dir.back() == '\\' || Dir.back() == '/')) return Dir + Name;
  return Dir + "\\" + Name;
}

void SnapshotSection(Script& S, const std::string& Drive) {
  S.Section("Snapshot");
  S.Status(101, "Stopping services", 10);
  S.Line("Stopping service KelvraAgent");
  S.Line("Stopping service OrvaneServer");
  S.Status(102, "Saving system state", 30);
  S.Line("Saving registry hive SOFTWARE");
  S.Line("Saving platform configuration");
  S.Status(103, "Writing snapshot to " + Drive, 60);
  S.Line("Writing snapshot image to " + InFolder(Drive, "OrvaneSnapshot"));
  S.Status(104, "Verifying snapshot", 90);
  S.Line("Snapshot verified");
  S.Status(105, "Snapshot complete", 100);
}

void UpdateSection(Script& S, const std::string& Dir, const UpdateFile& Update) {
  const std::string Level = UpdateLevelOf(Update.number);
  S.Section("Update Orvane-" + Level);
  S.Status(201, "Checking update package", 5);
  S.Line("Reading " + InFolder(Dir, Update.fileName));
  S.Status(202, "Stopping services", 15);
  S.Line("Stopping service OrvaneServer");
  S.Status(203, "Copying files", 35);
  S.Line("Copying file 1 of 3");
  S.Line("Copying file 2 of 3");
  S.Line("Copying file 3 of 3");
  S.Status(204, "Updating database", 60);
  S.Line("Applying database changes");
  S.Status(205, "Registering components", 80);
  S.Status(206, "Starting services", 90);
  S.Line("Starting service OrvaneServer");
  S.Level(Level);
  S.Line("Update level is now " + Level);
  S.Status(207, "Update Orvane-" + Level + " installed", 100);
}

}  // namespace

std::string UpdateLevelOf(unsigned long UpdateNumber) { return "3.1.0." + std::to_string(UpdateNumber); }

std::vector<RunAction> StandardRunScript(const StandardRunInput& Input) {
  Script S;
  S.Param("PRODUCT=orvane");
  S.Param("DIR=" + Input.dir);
  S.Param("SNAPSHOT=" + (Input.snapshotLocation.empty() ? std::string("NONE") : Input.snapshotLocation));
  S.Param("UPDATES=" + std::to_string(Input.updates.size()));
  S.Line("Orvane update engine simulator");

  if (!Input.snapshotLocation.empty()) SnapshotSection(S, Input.snapshotLocation);
  for (const UpdateFile& Update : Input.updates) UpdateSection(S, Input.dir, Update);

  if (Input.needReboot) S.Param("NEED_REBOOT");
  S.Status(999, "Update complete", 100);
  const std::string Last = Input.updates.empty() ? std::string() : UpdateLevelOf(Input.updates.back().number);
  S.Line("[Result]: SUCCESS Orvane updated to " + Last);
  return S.Take();
}

}  // namespace oue_sim
