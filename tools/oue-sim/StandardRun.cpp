#include "StandardRun.h"

namespace oue_sim {
namespace {

class Script {
 public:
  void Line(const std::string& text) { actions_.push_back({RunActionKind::Line, text}); }
  void Param(const std::string& text) { Line("[PARAM]: " + text); }
  void Section(const std::string& name) { Line("[SECTION]: " + name); }
  // Step texts must not hold a comma: the status line has exactly three fields.
  void Status(int code, const std::string& step, int percent) {
    Line("[STATUS]: " + std::to_string(code) + "," + step + "," + std::to_string(percent));
  }
  void Level(const std::string& level) { actions_.push_back({RunActionKind::WriteLevel, level}); }
  std::vector<RunAction> Take() { return std::move(actions_); }

 private:
  std::vector<RunAction> actions_;
};

std::string InFolder(const std::string& dir, const std::string& name) {
  if (!dir.empty() && (dir.back() == '\\' || dir.back() == '/')) return dir + name;
  return dir + "\\" + name;
}

void SnapshotSection(Script& s, const std::string& drive) {
  s.Section("Snapshot");
  s.Status(101, "Stopping services", 10);
  s.Line("Stopping service KelvraAgent");
  s.Line("Stopping service OrvaneServer");
  s.Status(102, "Saving system state", 30);
  s.Line("Saving registry hive SOFTWARE");
  s.Line("Saving platform configuration");
  s.Status(103, "Writing snapshot to " + drive, 60);
  s.Line("Writing snapshot image to " + InFolder(drive, "OrvaneSnapshot"));
  s.Status(104, "Verifying snapshot", 90);
  s.Line("Snapshot verified");
  s.Status(105, "Snapshot complete", 100);
}

void UpdateSection(Script& s, const std::string& dir, const UpdateFile& update) {
  const std::string level = UpdateLevelOf(update.number);
  s.Section("Update Orvane-" + level);
  s.Status(201, "Checking update package", 5);
  s.Line("Reading " + InFolder(dir, update.fileName));
  s.Status(202, "Stopping services", 15);
  s.Line("Stopping service OrvaneServer");
  s.Status(203, "Copying files", 35);
  s.Line("Copying file 1 of 3");
  s.Line("Copying file 2 of 3");
  s.Line("Copying file 3 of 3");
  s.Status(204, "Updating database", 60);
  s.Line("Applying database changes");
  s.Status(205, "Registering components", 80);
  s.Status(206, "Starting services", 90);
  s.Line("Starting service OrvaneServer");
  s.Level(level);
  s.Line("Update level is now " + level);
  s.Status(207, "Update Orvane-" + level + " installed", 100);
}

}  // namespace

std::string UpdateLevelOf(unsigned long updateNumber) {
  return "3.1.0." + std::to_string(updateNumber);
}

std::vector<RunAction> StandardRunScript(const StandardRunInput& input) {
  Script s;
  s.Param("PRODUCT=orvane");
  s.Param("DIR=" + input.dir);
  s.Param("SNAPSHOT=" + (input.snapshotLocation.empty() ? std::string("NONE") : input.snapshotLocation));
  s.Param("UPDATES=" + std::to_string(input.updates.size()));
  s.Line("Orvane update engine simulator");

  if (!input.snapshotLocation.empty()) SnapshotSection(s, input.snapshotLocation);
  for (const UpdateFile& update : input.updates) UpdateSection(s, input.dir, update);

  if (input.needReboot) s.Param("NEED_REBOOT");
  s.Status(999, "Update complete", 100);
  const std::string last = input.updates.empty() ? std::string() : UpdateLevelOf(input.updates.back().number);
  s.Line("[Result]: SUCCESS Orvane updated to " + last);
  return s.Take();
}

}  // namespace oue_sim
