#include "CatalogueText.h"

#include <windows.h>

#include "DriverError.h"
#include "text/LangRes.h"

std::string CatalogueText(const std::string& Key, int Language, const std::vector<TFormatArg>& Args) {
  SelectLanguage(Language);
  const std::string Template = GetLangText(Key);
  LoadEnglish();
  if (Template.empty()) throw TDriverError("the catalogue has no text " + Key);
  return Args.empty() ? Template : FormatText(Template, Args);
}

std::string WithCrLf(const std::string& Text) {
  std::string Result;
  for (std::size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] == '\r' || Text[I] == '\n') {
      Result += "\r\n";
      if (Text[I] == '\r' && I + 1 < Text.size() && Text[I + 1] == '\n') ++I;
    } else {
      Result += Text[I];
    }
  }
  return Result;
}

std::string SystemMessage(unsigned long Code) {
  char Buffer[512] = {};
  DWORD Length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, Code, 0, Buffer,
                                sizeof Buffer, nullptr);
  while (Length > 0 && (static_cast<unsigned char>(Buffer[Length - 1]) <= ' ' || Buffer[Length - 1] == '.')) --Length;
  return std::string(Buffer, Length);
}

std::string SystemErrorReport(unsigned long Code, const std::string& Detail) {
  return CatalogueText("str_Message_Generic_Error") + "\r\r[" + std::to_string(Code) + "] " + SystemMessage(Code) +
         ": " + Detail;
}
