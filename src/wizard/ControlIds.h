// Control identifiers of the wizard window, by the names the whole team uses.
// The window creates its controls with these IDs and the end-to-end driver
// finds them by name, so both sides include this one list.
#pragma once
#include <cstring>

#define OUPDATE_CONTROLS(X)           \
  X(PageControl1, 1000)               \
  X(pnlImage, 1001)                   \
  X(imgImage1, 1002)                  \
  X(lbServerVersionTitle, 1003)       \
  X(lbServerVersion, 1004)            \
  X(lbResponceCenter, 1005)           \
  X(Bevel1, 1006)                     \
  X(Image1, 1007)                     \
  X(btPrev, 1008)                     \
  X(btNext, 1009)                     \
  X(btExit, 1010)                     \
  X(TabSheet0, 1100)                  \
  X(TabSheet1, 1101)                  \
  X(TabSheet2, 1102)                  \
  X(TabSheet3, 1103)                  \
  X(TabSheet5, 1105)                  \
  X(TabSheet6, 1106)                  \
  X(TabSheet7, 1107)                  \
  X(btUpdateSystem, 1200)             \
  X(lbUpdateSystemTitle, 1201)        \
  X(lbUpdateSystemInfo, 1202)         \
  X(cbLocale, 1203)                   \
  X(lbUpdateFilesPathTitle, 1210)     \
  X(edUpdateFilesPath, 1211)          \
  X(btUpdateFilesPathBrowse, 1212)    \
  X(lbUpdateFilesPathInfo, 1213)      \
  X(lbUpdateFilesPathEchoTitle, 1220) \
  X(txtUpdateFilesPathEcho, 1221)     \
  X(lbUpdateFileListTitle, 1222)      \
  X(grdUpdateFileList, 1223)          \
  X(lbSnapshotDriveTitle, 1230)       \
  X(cbSnapshotDrive, 1231)            \
  X(lbSnapshotDriveSizeInfo, 1232)    \
  X(lbSnapshotDriveInfo, 1233)        \
  X(lbAboutToInstallInfo1, 1250)      \
  X(lbAboutToInstallInfo2, 1251)      \
  X(lbCurrentStepTitle, 1260)         \
  X(txtCurrentStep, 1261)             \
  X(lbProgressTitle, 1262)            \
  X(sbarProgress, 1263)               \
  X(lbProgressDetailsTitle, 1264)     \
  X(txtProgressDetails, 1265)         \
  X(lbProgressInfo, 1266)             \
  X(edOUEInput, 1267)                 \
  X(memOUEOutput, 1268)               \
  X(txtCompletionStatusInfo, 1270)

enum TControlId {
#define OUPDATE_CONTROL_ENUM(name, id) ID_##name = id,
  OUPDATE_CONTROLS(OUPDATE_CONTROL_ENUM)
#undef OUPDATE_CONTROL_ENUM
};

// The window class of the wizard, for FindWindow.
#define OUPDATE_WINDOW_CLASS "TLauncherForm"

// Control ID of a control name, or 0 when there is no such control.
inline int ControlIdByName(const char* Name) {
#define OUPDATE_CONTROL_LOOKUP(n, id) \
  if (std::strcmp(Name, #n) == 0) return id;
  OUPDATE_CONTROLS(OUPDATE_CONTROL_LOOKUP)
#undef OUPDATE_CONTROL_LOOKUP
  return 0;
}

// Name of a control ID, or nullptr.
inline const char* ControlNameById(int Id) {
#define OUPDATE_CONTROL_NAME(n, i) \
  if (Id == i) return #n;
  OUPDATE_CONTROLS(OUPDATE_CONTROL_NAME)
#undef OUPDATE_CONTROL_NAME
  return nullptr;
}
