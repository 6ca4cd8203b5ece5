// Who may change a file, as the wizard reads it, and the hold that keeps the
// engine's program as it was checked. Under Wine a file's access list is
// made from its mode bits (Everyone's entry from the bits of others), so
// only Everyone can be made a writer here; the other accounts, deny entries
// and owners are decided natively (WriteAccessTest).
#include "utils/win32/WriteAccessQuery.h"

#include <aclapi.h>
#include <gtest/gtest.h>
#include <sddl.h>

#include "TestSupport.h"

namespace {

void LetEveryoneWrite(const std::string& Path) {
  PSECURITY_DESCRIPTOR Descriptor = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;FA;;;SY)(A;;0x1301bf;;;WD)", SDDL_REVISION_1,
                                                                   &Descriptor, nullptr));
  BOOL Present = FALSE, Defaulted = FALSE;
  PACL Dacl = nullptr;
  GetSecurityDescriptorDacl(Descriptor, &Present, &Dacl, &Defaulted);
  EXPECT_EQ(ERROR_SUCCESS, SetNamedSecurityInfoA(const_cast<char*>(Path.c_str()), SE_FILE_OBJECT,
                                                 DACL_SECURITY_INFORMATION, nullptr, nullptr, Dacl, nullptr));
  LocalFree(Descriptor);
}

TEST(WriteAccessQuery, OtherWritersByNameAndThroughAHandle) {
  TTempFolder Folder("writers");
  const std::string File = Folder / "oue.exe";
  WriteFileBytes(File, "engine");
  EXPECT_EQ(std::vector<std::string>{}, OtherWritersOf(Folder.Path() + "\\"));
  EXPECT_EQ(std::vector<std::string>{}, OtherWritersOf(File));

  LetEveryoneWrite(File);
  EXPECT_EQ(std::vector<std::string>{"Everyone"}, OtherWritersOf(File));
  TKernelHandle Held = HoldAgainstChanges(File);
  ASSERT_TRUE(Held);
  EXPECT_EQ(std::vector<std::string>{"Everyone"}, OtherWritersOf(Held.Get()));
  // What cannot be read cannot be vouched for: the system's reason instead.
  EXPECT_EQ(1u, OtherWritersOf(Folder / "missing.exe").size());
}

TEST(WriteAccessQuery, AHeldFileCanBeReadAndCopiedButNotChanged) {
  TTempFolder Folder("hold");
  const std::string File = Folder / "oue.exe";
  WriteFileBytes(File, "engine");
  WriteFileBytes(Folder / "x", "other engine");
  TKernelHandle Held = HoldAgainstChanges(File);
  ASSERT_TRUE(Held);
  const struct {
    const char* What;
    bool Done;
  } Cases[] = {
      {"write", TKernelHandle(CreateFileA(File.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr))
                    .IsValid()},
      {"delete", DeleteFileA(File.c_str()) != FALSE},
      {"rename", MoveFileA(File.c_str(), (Folder / "other.exe").c_str()) != FALSE},
      {"replace", MoveFileExA((Folder / "x").c_str(), File.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE},
  };
  for (const auto& Case : Cases) EXPECT_FALSE(Case.Done) << Case.What << " went through the hold";
  EXPECT_TRUE(CopyFileA(File.c_str(), (Folder / "copy.exe").c_str(), FALSE)) << GetLastError();
  EXPECT_TRUE(TKernelHandle(CreateFileA(File.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, 0, nullptr)));
  Held.Reset();
  EXPECT_TRUE(DeleteFileA(File.c_str())) << GetLastError();
}

}  // namespace
