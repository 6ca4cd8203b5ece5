// /check before the maintenance window: the exit code the update would give
// before it starts, a log that says so, and nothing changed on the node (its
// files and registry are compared before and after), no engine started.
#include "Unattended.h"

#include <sstream>

#include "utils/win32/Handles.h"

using namespace unattended;

namespace {

// Every key and value under KeyPath, as text.
void DumpKey(HKEY Parent, const std::string& Path, std::ostringstream& Out) {
  TRegistryKey Key;
  if (RegOpenKeyExA(Parent, Path.c_str(), 0, KEY_READ, Key.Receive()) != ERROR_SUCCESS) {
    Out << Path << " (absent)\n";
    return;
  }
  Out << "[" << Path << "]\n";
  char Name[512];
  BYTE Data[4096];
  for (DWORD I = 0;; ++I) {
    DWORD NameSize = sizeof(Name), DataSize = sizeof(Data), Type = 0;
    if (RegEnumValueA(Key.Get(), I, Name, &NameSize, nullptr, &Type, Data, &DataSize) != ERROR_SUCCESS) break;
    Out << Name << "=" << Type << ":" << std::string(reinterpret_cast<char*>(Data), DataSize) << "\n";
  }
  std::vector<std::string> Subkeys;
  for (DWORD I = 0;; ++I) {
    DWORD NameSize = sizeof(Name);
    if (RegEnumKeyExA(Key.Get(), I, Name, &NameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    Subkeys.push_back(Name);
  }
  Key.Reset();
  for (const std::string& Sub : Subkeys) DumpKey(Parent, Path + "\\" + Sub, Out);
}

// Every file and folder under Folder with size and time of last write,
// except the folder Skip.
void DumpTree(const std::string& Folder, const std::string& Skip, std::ostringstream& Out) {
  WIN32_FIND_DATAA Found;
  TFindHandle Find(FindFirstFileA((Folder + "*").c_str(), &Found));
  if (!Find) return;
  do {
    const std::string Name = Found.cFileName;
    if (Name == "." || Name == "..") continue;
    const std::string Path = Folder + Name;
    if (Path + "\\" == Skip) continue;
    Out << Path << " " << Found.nFileSizeLow << " " << Found.ftLastWriteTime.dwLowDateTime << "\n";
    if (Found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) DumpTree(Path + "\\", Skip, Out);
  } while (FindNextFileA(Find.Get(), &Found));
}

class Preflight : public Unattended {
 protected:
  std::string Check(const std::string& Updates) {
    return "/check /updates=\"" + WithoutBackslash(Updates) + "\" /log=\"" + LogPath() + "\"";
  }
  // What a check must leave as it found it.
  std::string NodeState() {
    std::ostringstream Out;
    DumpKey(HKEY_LOCAL_MACHINE, "Software\\Dantor", Out);
    DumpKey(HKEY_LOCAL_MACHINE, TWorld::RunOnceKey(), Out);
    DumpTree(World().Root(), World().Root() + "fleet logs\\", Out);
    return Out.str();
  }
  void ExpectCheck(const std::string& Args, DWORD Expected, const std::string& Head) {
    const std::string Before = NodeState();
    ExpectOutcome(Args, Expected, Head);
    EXPECT_EQ(Before, NodeState()) << "the check changed the node";
    EXPECT_FALSE(EngineCopied());
  }
};

}  // namespace

TEST_F(Preflight, AReadyNodeGives0AndStaysAsItWas) {
  const std::string Updates = MakeUpdates(World().Root() + "update files", 0, 3);
  DWORD Code = 0;
  bool WindowSeen = true;
  const std::string Before = NodeState();
  ASSERT_TRUE(RunToExit(Check(Updates), Code, &WindowSeen));
  EXPECT_EQ(0u, Code) << Log();
  EXPECT_FALSE(WindowSeen);
  EXPECT_EQ(Before, NodeState()) << "the check changed the node";
  const std::string Line = FirstLine(Log());
  const std::string Snapshot = CatalogueText("str_Message_Check_Snapshot");  // up to its drive
  EXPECT_EQ(0u, Line.find(Head("str_Message_Check_Ready", {"3.0.3.2", "3.1.0.3", 0, 3}) + " " +
                          Snapshot.substr(0, Snapshot.find('%'))))
      << Line;
  EXPECT_NE(std::string::npos, Line.find(" MB free [")) << Line;
  ExpectCheck(Check(Updates) + " /nosnapshot /lang=fr", 0,
              "Ce serveur est pr\xEAt pour la mise \xE0 jour de 3.0.3.2 vers 3.1.0.3 (fichiers de mise \xE0 jour "
              "Orvane-3.1.0.0 \xE0 Orvane-3.1.0.3). Le moteur s'ex\xE9"
              "cuterait sans snapshot.");
}

TEST_F(Preflight, APendingRebootGives350AndRegistersNothing) {
  World().CreateRebootFlag();
  const std::string Updates = MakeUpdates(World().Root() + "updates", 0, 1);
  ExpectCheck(Check(Updates), 350, "The server was not rebooted before starting this update.");
  EXPECT_FALSE(World().RunOnceValue("DeleteOUERebootFlag").has_value());
}

TEST_F(Preflight, ARunningEngineGives1618) {
  ASSERT_TRUE(StartOtherEngine());
  ExpectCheck(Check(MakeUpdates(World().Root() + "updates", 0, 1)), 1618, EngineRunningNotice());
}

TEST_F(Preflight, AGapIsRefusedOrAcceptedAndAnUpToDateNodeGives2) {
  const std::string Updates = MakeUpdates(World().Root() + "updates", 0, 1);
  MakeUpdates(Updates, 3, 3);
  ExpectCheck(Check(Updates), 1, Head("str_Message_Missing_Update_Files_Continue"));
  ExpectCheck(
      Check(Updates) + " /acceptwarnings ~nosnapshot", 0,
      Head("str_Message_Check_Ready", {"3.0.3.2", "3.1.0.3", 0, 3}) + " " + Head("str_Message_Check_No_Snapshot"));
  World().SetLocalUpdateLevel("3.1.0.3");
  ExpectCheck(Check(Updates), 2, "No applicable updates for 3.1.0.3 available in the selected folder.");
}
