#include "World.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <tlhelp32.h>

#include "DriverError.h"
#include "Files.h"
#include "utils/win32/Handles.h"
#include "RegistryAccess.h"

namespace {

constexpr const char* WorldsFolder = "C:\\OUpdTest\\";

std::string FolderName(const std::string& Name) {
  std::string Safe;
  for (char C : Name) Safe += (std::string("<>:\"/\\|?* ").find(C) != std::string::npos || C < 32) ? '_' : C;
  return Safe.empty() ? std::string("_") : Safe;
}

bool StartsWithNoCase(const std::string& Text, const std::string& Prefix) {
  return Text.size() >= Prefix.size() &&
         CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, Text.c_str(), static_cast<int>(Prefix.size()),
                        Prefix.c_str(), static_cast<int>(Prefix.size())) == CSTR_EQUAL;
}

void CopyProgram(const std::string& Name, const std::string& ToFolder) {
  std::string From = ProgramFolder() + Name;
  if (!FileExists(From)) throw TDriverError(Name + " is not beside the test program: " + From);
  MakeDirectories(ToFolder);
  if (!CopyFileA(From.c_str(), (ToFolder + Name).c_str(), FALSE))
    throw TDriverError("cannot copy " + From + " to " + ToFolder + " (error " + std::to_string(GetLastError()) + ")");
}

// Replaces Path's access list with the protected one an SDDL string gives.
// Wine keeps no access list: it sets the mode bits from Everyone's entry
// (others) and the account's, and shows them as entries again.
void SetAccessList(const std::string& Path, const char* Sddl) {
  PSECURITY_DESCRIPTOR Descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(Sddl, SDDL_REVISION_1, &Descriptor, nullptr))
    throw TDriverError("bad access list " + std::string(Sddl));
  BOOL Present = FALSE, Defaulted = FALSE;
  PACL Dacl = nullptr;
  GetSecurityDescriptorDacl(Descriptor, &Present, &Dacl, &Defaulted);
  const DWORD Error = SetNamedSecurityInfoA(const_cast<char*>(Path.c_str()), SE_FILE_OBJECT,
                                            DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr,
                                            nullptr, Dacl, nullptr);
  LocalFree(Descriptor);
  if (Error != ERROR_SUCCESS)
    throw TDriverError("cannot set the access list of " + Path + " (error " + std::to_string(Error) + ")");
}

}  // namespace

int KillProcessesUnder(const std::string& Folder) {
  int Killed = 0;
  TKernelHandle Snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!Snapshot) return 0;
  PROCESSENTRY32 Entry = {};
  Entry.dwSize = sizeof Entry;
  for (BOOL More = Process32First(Snapshot.Get(), &Entry); More; More = Process32Next(Snapshot.Get(), &Entry)) {
    TKernelHandle Process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE, Entry.th32ProcessID));
    if (!Process) continue;
    char Path[MAX_PATH * 2] = {};
    DWORD Size = sizeof Path;
    if (QueryFullProcessImageNameA(Process.Get(), 0, Path, &Size)) {
      if (!StartsWithNoCase(std::string(Path, Size), Folder)) continue;
    } else if (lstrcmpiA(Entry.szExeFile, "oue.exe") != 0 && lstrcmpiA(Entry.szExeFile, "OUpdate.exe") != 0) {
      // A process in its first moments may not tell its image yet; an engine or
      // a wizard of ours must not survive the test that started it.
      continue;
    }
    if (TerminateProcess(Process.Get(), 1)) ++Killed;
    WaitForSingleObject(Process.Get(), 5000);
  }
  return Killed;
}

TWorld::TWorld(const std::string& Name) : FRoot(std::string(WorldsFolder) + FolderName(Name) + "\\") {
  Reset();
  FEnvironment["KelvraHome"] = InstallRoot();
}

TWorld::~TWorld() {
  try {
    Reset();
  } catch (const TDriverError&) {
    // A folder still in use is removed by the next world of the same name.
  }
}

std::string TWorld::RebootFlagPath() const {
  return InstallRoot() + "\\DantorKelvra\\Support\\patches\\admin\\oueRebootCheck.txt";
}

void TWorld::InstallWizard(bool WithEngine) {
  CopyProgram("OUpdate.exe", WizardDir());
  if (WithEngine) CopyProgram("oue.exe", WizardDir());
  SetAccessList(WizardDir(), "D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)");
  for (const char* Name : {"OUpdate.exe", "oue.exe"})
    if (FileExists(WizardDir() + Name))
      SetAccessList(WizardDir() + Name, "D:P(A;;FA;;;BA)(A;;FA;;;SY)(A;;0x1200a9;;;BU)");
}

void TWorld::LetEveryoneWrite(const std::string& Path) {
  SetAccessList(Path, "D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1301bf;;;WD)");
}

void TWorld::InstallPlatform() {
  if (!MakeDirectories(SupportBinDir())) throw TDriverError("cannot create " + SupportBinDir());
}

void TWorld::CreateRebootFlag() { WriteFileBytes(RebootFlagPath(), "reboot pending\r\n"); }

std::string TWorld::MakeUpdateFolder(const std::string& Name, const std::vector<TUpdateFile>& Files) {
  std::string Folder = FRoot + "updates\\" + FolderName(Name) + "\\";
  if (!MakeDirectories(Folder)) throw TDriverError("cannot create " + Folder);
  for (const TUpdateFile& File : Files) {
    std::string Path = Folder + File.Name;
    if (File.Folder) {
      if (!MakeDirectories(Path)) throw TDriverError("cannot create " + Path);
    } else {
      WriteFileBytes(Path, "update " + File.Name + "\r\n");
    }
    if (File.Hidden && !SetFileAttributesA(Path.c_str(), FILE_ATTRIBUTE_HIDDEN | GetFileAttributesA(Path.c_str())))
      throw TDriverError("cannot hide " + Path);
  }
  return Folder;
}

std::string TWorld::UseScenario(const std::string& Name, const std::string& Text) {
  std::string Path = FRoot + "scenarios\\" + FolderName(Name);
  WriteFileBytes(Path, Text);
  SetEnv("OUE_SIM_SCENARIO", Path);
  return Path;
}

std::vector<std::string> TWorld::LogFiles() const { return ListFiles(WizardDir(), "*.log"); }

// ---- registry ----

std::string TWorld::ComputerName() {
  char Name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD Size = sizeof Name;
  if (!GetComputerNameA(Name, &Size)) return std::string();
  return std::string(Name, Size);
}

void TWorld::SeedTypicalNode() {
  InstallPlatform();
  SetCurrentRelease("3.0.3");
  SetLocalUpdateLevel("3.0.3.2");
  SetSystemValue("PrimaryNodeName", ComputerName());
  SetSystemValue("MaintenanceMode", "ON");
  FEnvironment["KelvraHome"] = InstallRoot();
}

void TWorld::SetCurrentRelease(const std::string& Release) {
  FRelease = Release;
  WriteRegistryString(PlatformKey(), "CurrentRelease", Release);
}

void TWorld::SetLocalUpdateLevel(const std::string& Level) { WriteRegistryString(ProductKey(), "UpdateLevel", Level); }

std::string TWorld::LocalUpdateLevel() const {
  return ReadRegistryValue(ProductKey(), "UpdateLevel").value_or(TRegistryValue{}).Data;
}

void TWorld::SetPlatformUpdateLevel(const std::string& Level) {
  WriteRegistryString(PlatformKey(), "UpdateLevel", Level);
}

std::string TWorld::SystemKeyPath() const {
  // A release beginning with a backslash names its key from the root.
  if (!FRelease.empty() && FRelease[0] == '\\') return FRelease.substr(1) + "\\Default\\System";
  return std::string(PlatformKey()) + "\\" + FRelease + "\\Default\\System";
}

void TWorld::SetSystemValue(const std::string& Name, const std::string& Value) {
  WriteRegistryString(SystemKeyPath(), Name, Value);
}

void TWorld::SetSystemDword(const std::string& Name, unsigned long Value) {
  WriteRegistryDword(SystemKeyPath(), Name, Value);
}

void TWorld::DeleteSystemValue(const std::string& Name) { DeleteRegistryValue(SystemKeyPath(), Name); }

std::optional<std::string> TWorld::RunOnceValue(const std::string& Name, unsigned long* Type) const {
  std::optional<TRegistryValue> Value = ReadRegistryValue(RunOnceKey(), Name);
  if (!Value) return std::nullopt;
  if (Type != nullptr) *Type = Value->Type;
  return Value->Data;
}

// ---- clean-up ----

void TWorld::Reset() {
  // An engine the wizard started just before it ended shows up a moment later.
  for (int Round = 0; Round < 3 && KillProcessesUnder(FRoot) > 0; ++Round) Sleep(100);
  DeleteRegistryTree("Software\\Dantor");
  DeleteRegistryValue(RunOnceKey(), "StartOUpdate");
  DeleteRegistryValue(RunOnceKey(), "DeleteOUERebootFlag");
  if (!DeleteTree(FRoot)) throw TDriverError("cannot remove the test folder " + FRoot);
}
