#include "wizard/AccessibleNames.h"

#include "wizard/ControlIds.h"

namespace {
// The language list stands before any language is chosen, so its name is
// given in all four.
const char* const LanguageListName = "Language / Sprache / Langue / Idioma";
}  // namespace

TNameSource AccessibleNameSource(int Id) {
  switch (Id) {
    case ID_cbLocale:
      return {nkFixed, 0, LanguageListName};
    case ID_btUpdateSystem:
      return {nkLabel, ID_lbUpdateSystemTitle, nullptr};  // a picture only
    case ID_edUpdateFilesPath:
    case ID_btUpdateFilesPathBrowse:
      return {nkLabel, ID_lbUpdateFilesPathTitle, nullptr};
    case ID_txtUpdateFilesPathEcho:
      return {nkLabel, ID_lbUpdateFilesPathEchoTitle, nullptr};
    case ID_grdUpdateFileList:
      return {nkLabel, ID_lbUpdateFileListTitle, nullptr};
    case ID_cbSnapshotDrive:
      return {nkLabel, ID_lbSnapshotDriveTitle, nullptr};
    case ID_txtCurrentStep:
      return {nkLabel, ID_lbCurrentStepTitle, nullptr};
    case ID_sbarProgress:
      return {nkLabel, ID_lbProgressTitle, nullptr};
    case ID_txtProgressDetails:
      return {nkLabel, ID_lbProgressDetailsTitle, nullptr};
    case ID_txtCompletionStatusInfo:
      return {nkFirstLine, 0, nullptr};
    default:
      return {};
  }
}

std::string SpokenText(const std::string& Caption, bool AccessKeys, bool FirstLineOnly) {
  std::string Out;
  for (size_t I = 0; I < Caption.size(); ++I) {
    const char C = Caption[I];
    if (FirstLineOnly && (C == '\r' || C == '\n')) {
      if (!Out.empty()) break;
      continue;  // leading blank lines say nothing
    }
    if (AccessKeys && C == '&') {
      if (I + 1 < Caption.size() && Caption[I + 1] == '&') Out += Caption[++I];
      continue;
    }
    Out += C;
  }
  return Out;
}
