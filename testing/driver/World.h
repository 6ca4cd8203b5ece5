// TWorld: a clean server node for one test. The wizard and the engine
// simulator are copied into a folder of their own, the platform's install
// root is a fresh folder, and the registry holds only what the test seeds.
// Everything is removed again when the world ends, and also when it begins,
// in case an earlier run was cut short.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "ChildProcess.h"

// A file to place in an update folder.
struct TUpdateFile {
  std::string Name;
  bool Hidden = false;
  bool Folder = false;  // a folder of that name instead of a file
};

class TWorld {
 public:
  // Name becomes the world's folder name: C:\OUpdTest\<Name>\. Characters
  // that cannot stand in a folder name are replaced by "_".
  explicit TWorld(const std::string& Name);
  ~TWorld();
  TWorld(const TWorld&) = delete;
  TWorld& operator=(const TWorld&) = delete;

  // ---- folders (all with a trailing backslash unless said otherwise) ----
  const std::string& Root() const { return FRoot; }
  std::string WizardDir() const { return FRoot + "wizard\\"; }
  std::string WizardExe() const { return WizardDir() + "OUpdate.exe"; }
  std::string EngineExe() const { return WizardDir() + "oue.exe"; }
  // The platform's install root, the value of KelvraHome: no trailing backslash.
  std::string InstallRoot() const { return FRoot + "Kelvra"; }
  std::string SupportBinDir() const { return InstallRoot() + "\\DantorKelvra\\support\\bin\\"; }
  std::string RebootFlagPath() const;

  // Copies OUpdate.exe and (WithEngine) oue.exe from the test program's own
  // folder into WizardDir(). Throws TDriverError when one is missing there.
  // The folder and the files get the access list the fleet playbook gives
  // them: only Administrators and SYSTEM may write, Users read and run.
  void InstallWizard(bool WithEngine = true);
  // Lets Everyone write, append to and delete Path (under Wine: the write bit
  // of "others", which is what Wine shows as Everyone's entry).
  static void LetEveryoneWrite(const std::string& Path);
  // Creates the install root with its support\bin folder (as an installed
  // platform has it).
  void InstallPlatform();
  void CreateRebootFlag();
  // A folder Root()\updates\<Name>\ holding Files (empty files, or folders);
  // returns its path with a trailing backslash.
  std::string MakeUpdateFolder(const std::string& Name, const std::vector<TUpdateFile>& Files);
  // Log files the wizard wrote beside itself (names only).
  std::vector<std::string> LogFiles() const;

  // ---- registry ----
  // The usual node: the platform at release "3.0.3", product level 3.0.3.2,
  // this computer its own primary node (so the primary node's registry is
  // this machine's), maintenance mode "ON", no backup running; the platform
  // installed and KelvraHome set.
  void SeedTypicalNode();
  void SetCurrentRelease(const std::string& Release);
  void SetLocalUpdateLevel(const std::string& Level);     // product key
  std::string LocalUpdateLevel() const;                   // product key; "" when there is none
  void SetPlatformUpdateLevel(const std::string& Level);  // platform key
  // A value of the release settings key's "System" section (the release is
  // the one last given to SetCurrentRelease).
  void SetSystemValue(const std::string& Name, const std::string& Value);
  void SetSystemDword(const std::string& Name, unsigned long Value);
  void DeleteSystemValue(const std::string& Name);
  std::string SystemKeyPath() const;
  // The RunOnce entries the wizard registers before a reboot.
  std::optional<std::string> RunOnceValue(const std::string& Name, unsigned long* Type = nullptr) const;

  static const char* PlatformKey() { return "Software\\Dantor\\Kelvra"; }
  static const char* ProductKey() { return "Software\\Dantor\\Kelvra\\Products\\Orvane"; }
  static const char* RunOnceKey() { return "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce"; }
  static std::string ComputerName();

  // ---- environment of the wizard ----
  // Starts with KelvraHome = InstallRoot(); tests add OUE_SIM_SCENARIO,
  // OUE_SIM_DELAY_MS, ... or remove variables (nullopt).
  TEnvironment& Environment() { return FEnvironment; }
  void SetEnv(const std::string& Name, const std::string& Value) { FEnvironment[Name] = Value; }
  void UnsetEnv(const std::string& Name) { FEnvironment[Name] = std::nullopt; }
  // The engine simulator's settings (see tools/oue-sim/README.md): a scenario
  // file written into the world (returns its path), the pause after each line
  // of the standard run, and whether the standard run asks for a reboot.
  std::string UseScenario(const std::string& Name, const std::string& Text);
  void SetEngineDelayMs(int Ms) { SetEnv("OUE_SIM_DELAY_MS", std::to_string(Ms)); }
  void SetEngineNeedsReboot(bool NeedsReboot) { SetEnv("OUE_SIM_NEED_REBOOT", NeedsReboot ? "1" : "0"); }

  // Ends every program started from this world's folders, removes the
  // world's folder, the Dantor keys and the RunOnce entries of the wizard.
  void Reset();

 private:
  std::string FRoot;
  std::string FRelease = "3.0.3";
  TEnvironment FEnvironment;
};

// Ends every process whose program file lies under Folder; returns how many.
int KillProcessesUnder(const std::string& Folder);
