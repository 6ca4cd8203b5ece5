// The reboot flag's deletion at the next boot: what the platform is asked to
// do before anybody logs on. The request is read back from where the platform
// keeps it and taken away again, so no later start of the test prefix acts
// on it.
#include "TestSupport.h"

#include "utils/win32/Handles.h"
#include "utils/win32/RestartRegistration.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

const char* const SessionManager = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const char* const Pending = "PendingFileRenameOperations";

std::optional<std::vector<BYTE>> ReadPending() {
  HKEY Opened = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SessionManager, 0, KEY_READ, &Opened) != ERROR_SUCCESS) return std::nullopt;
  TRegistryKey Key(Opened);
  DWORD Size = 0;
  if (RegQueryValueExA(Key.Get(), Pending, nullptr, nullptr, nullptr, &Size) != ERROR_SUCCESS) return std::nullopt;
  std::vector<BYTE> Data(Size);
  if (RegQueryValueExA(Key.Get(), Pending, nullptr, nullptr, Data.data(), &Size) != ERROR_SUCCESS) return std::nullopt;
  Data.resize(Size);
  return Data;
}

void RestorePending(const std::optional<std::vector<BYTE>>& Saved) {
  HKEY Opened = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, SessionManager, 0, KEY_SET_VALUE, &Opened), ERROR_SUCCESS);
  TRegistryKey Key(Opened);
  if (Saved)
    RegSetValueExA(Key.Get(), Pending, 0, REG_MULTI_SZ, Saved->data(), static_cast<DWORD>(Saved->size()));
  else
    RegDeleteValueA(Key.Get(), Pending);
}

// The pairs of the value: each source is followed by its target, empty for a
// deletion.
std::vector<std::string> Strings(const std::vector<BYTE>& Data) {
  std::vector<std::string> Result;
  std::string Current;
  for (BYTE B : Data) {
    if (B) {
      Current += static_cast<char>(B);
    } else {
      Result.push_back(Current);
      Current.clear();
    }
  }
  return Result;
}

TEST(DeletionAtBoot, AsksThePlatformToDeleteTheFileAtTheNextBoot) {
  TTempFolder Folder;
  const std::string Flag = Folder / "Kelvra Home\\oueRebootCheck.txt";
  MakeDirectories(Folder / "Kelvra Home");
  WriteFileBytes(Flag, "reboot pending");
  const auto Saved = ReadPending();

  const bool Registered = RegisterDeletionAtBoot(Flag);
  const auto After = ReadPending();
  RestorePending(Saved);

  ASSERT_TRUE(Registered);
  ASSERT_TRUE(After) << "nothing pending after the registration";
  const std::vector<std::string> Pairs = Strings(*After);
  bool Found = false;
  for (size_t I = 0; I + 1 < Pairs.size(); I += 2)
    if (Pairs[I] == "\\??\\" + Flag && Pairs[I + 1].empty()) Found = true;
  EXPECT_TRUE(Found) << "no deletion of " << Flag << " among " << Pairs.size() << " pending strings";
  EXPECT_TRUE(FileExists(Flag)) << "the flag must stay until the boot";
}

}  // namespace
