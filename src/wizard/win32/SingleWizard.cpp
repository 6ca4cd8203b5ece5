#include "wizard/win32/SingleWizard.h"

#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>

#include "wizard/ControlIds.h"

namespace {
// Owned by Administrators; Administrators and SYSTEM only, nothing inherited
// from the shared parent (where every user may create files).
const char* const LockSecurity = "O:BAD:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)";
const char* const LockFolderName = "\\Orvane Update Utility";
const char* const LockFileName = "\\Wizard.lock";

std::string SidText(PSID Sid) {
  char* Text = nullptr;
  if (!Sid || !ConvertSidToStringSidA(Sid, &Text)) return std::string();
  const TLocalMem Owned(Text);
  return Text;
}

std::string OwnSid() {
  TKernelHandle Token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, Token.Receive())) return std::string();
  char Buffer[256];
  DWORD Size = 0;
  if (!GetTokenInformation(Token.Get(), TokenUser, Buffer, sizeof(Buffer), &Size)) return std::string();
  return SidText(reinterpret_cast<TOKEN_USER*>(Buffer)->User.Sid);
}

// The owner of an open file or folder, as a SID text; empty when unknown.
std::string OwnerOf(HANDLE Object) {
  PSID Owner = nullptr;
  PSECURITY_DESCRIPTOR Descriptor = nullptr;
  if (GetSecurityInfo(Object, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &Owner, nullptr, nullptr, nullptr,
                      &Descriptor) != ERROR_SUCCESS)
    return std::string();
  const TLocalMem Owned(Descriptor);
  return SidText(Owner);
}

std::string OwnerOf(const std::string& Path) {
  // READ_CONTROL is not subject to the sharing of whoever holds the file.
  const TKernelHandle File(CreateFileA(Path.c_str(), READ_CONTROL,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  return File ? OwnerOf(File.Get()) : std::string();
}

std::string LockFolder() {
  char Common[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, Common)))
    return std::string();
  return std::string(Common) + LockFolderName;
}

std::string Failure(const std::string& Path, const char* What) {
  return Path + ": " + What + " (error " + std::to_string(GetLastError()) + ")";
}

BOOL CALLBACK FindOtherWizard(HWND Window, LPARAM Found) {
  char Class[64] = {};
  DWORD Process = 0;
  GetWindowThreadProcessId(Window, &Process);
  if (Process == GetCurrentProcessId() || !IsWindowVisible(Window)) return TRUE;
  if (!GetClassNameA(Window, Class, sizeof(Class)) || lstrcmpA(Class, OUPDATE_WINDOW_CLASS) != 0) return TRUE;
  *reinterpret_cast<HWND*>(Found) = Window;
  return FALSE;
}
}  // namespace

// Made with the access list, or found: then taken only when it is a plain
// folder (never a link someone placed) owned by a trusted account, and given
// the access list again on that very handle, so nothing made before by
// others can follow the path in between.
bool TWizardLock::TakeFolder(const std::string& Folder, PSECURITY_DESCRIPTOR Descriptor) {
  SECURITY_ATTRIBUTES Attributes = {sizeof(Attributes), Descriptor, FALSE};
  if (CreateDirectoryA(Folder.c_str(), &Attributes)) return FMadeFolder = Folder, true;
  if (GetLastError() != ERROR_ALREADY_EXISTS) return FProblem = Failure(Folder, "the folder cannot be made"), false;
  const TKernelHandle Handle(CreateFileA(Folder.c_str(), READ_CONTROL | WRITE_DAC,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  BY_HANDLE_FILE_INFORMATION Info = {};
  if (!Handle || !GetFileInformationByHandle(Handle.Get(), &Info) ||
      (Info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != FILE_ATTRIBUTE_DIRECTORY)
    return FProblem = Failure(Folder, "is not a plain folder"), false;
  if (!IsTrustedLockOwner(OwnerOf(Handle.Get()), OwnSid()))
    return FProblem = Failure(Folder, "belongs to an account other than Administrators or SYSTEM"), false;
  BOOL Present = FALSE, Defaulted = FALSE;
  PACL Dacl = nullptr;
  GetSecurityDescriptorDacl(Descriptor, &Present, &Dacl, &Defaulted);
  if (SetSecurityInfo(Handle.Get(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                      nullptr, nullptr, Dacl, nullptr) != ERROR_SUCCESS)
    return FProblem = Failure(Folder, "its access list cannot be set"), false;
  return true;
}

TWizardLock::TWizardLock() {
  TLockAttempt Attempt;
  const std::string Folder = LockFolder();
  PSECURITY_DESCRIPTOR Descriptor = nullptr;
  if (Folder.empty() ||
      !ConvertStringSecurityDescriptorToSecurityDescriptorA(LockSecurity, SDDL_REVISION_1, &Descriptor, nullptr)) {
    FProblem = Failure("the common application data folder", "cannot be found");
    return;
  }
  const TLocalMem OwnedDescriptor(Descriptor);
  Attempt.FolderReady = Attempt.FolderTrusted = TakeFolder(Folder, Descriptor);
  const std::string Path = Folder + LockFileName;
  if (Attempt.FolderTrusted) {
    // Not inheritable: the engine we start must not keep it alive after us.
    // Deleted when the system closes it, however the process ends.
    SECURITY_ATTRIBUTES Attributes = {sizeof(Attributes), Descriptor, FALSE};
    FFile.Reset(CreateFileA(Path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, &Attributes, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    const DWORD Error = GetLastError();
    Attempt.Open = FFile                              ? TLockOpen::Opened
                   : Error == ERROR_SHARING_VIOLATION ? TLockOpen::HeldOpen
                                                      : TLockOpen::Failed;
    if (Attempt.Open == TLockOpen::HeldOpen) Attempt.HolderTrusted = IsTrustedLockOwner(OwnerOf(Path), OwnSid());
    SetLastError(Error);
    if (Attempt.Open == TLockOpen::Failed) FProblem = Failure(Path, "cannot be opened");
    if (Attempt.Open == TLockOpen::HeldOpen && !Attempt.HolderTrusted)
      FProblem = Path + ": held by a program of an account other than Administrators or SYSTEM";
  }
  FVerdict = DecideWizardLock(Attempt);
}

TWizardLock::~TWizardLock() {
  FFile.Reset();
  // Only an empty folder goes: another wizard's lock keeps it.
  if (!FMadeFolder.empty()) RemoveDirectoryA(FMadeFolder.c_str());
}

bool BringOtherWizardToFront() {
  HWND Other = nullptr;
  EnumWindows(FindOtherWizard, reinterpret_cast<LPARAM>(&Other));
  if (!Other) return false;
  if (IsIconic(Other)) ShowWindow(Other, SW_RESTORE);
  // Its own message box, if it waits on one, stays above it as the owner's popup.
  SetForegroundWindow(GetLastActivePopup(Other));
  return true;
}
