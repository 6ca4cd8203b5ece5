#include "wizard/Preflight.h"

#include <stdexcept>

#include "text/LangRes.h"
#include "text/TextFormat.h"

bool UpdateNumberRange(const std::string& FoundUpdates, long long& First, long long& Last) {
  bool Any = false;
  size_t At = 0;
  while (At < FoundUpdates.size()) {
    size_t Next = FoundUpdates.find(':', At);
    if (Next == std::string::npos) Next = FoundUpdates.size();
    const std::string Item = FoundUpdates.substr(At, Next - At);
    At = Next + 1;
    if (Item.empty() || Item.size() > 18 || Item.find_first_not_of("0123456789") != std::string::npos) continue;
    const long long N = std::stoll(Item);
    if (!Any || N < First) First = N;
    if (!Any || N > Last) Last = N;
    Any = true;
  }
  return Any;
}

std::string PreflightReadyText(const std::string& LocalLevel, const std::string& FoundUpdates, bool Snapshot,
                               const std::string& Drive, const std::string& DriveSpace) {
  long long First = 0, Last = 0;
  if (!UpdateNumberRange(FoundUpdates, First, Last)) throw std::invalid_argument("no update numbers");
  std::string Text =
      FormatText(GetLangText("str_Message_Check_Ready"), {LocalLevel, "3.1.0." + std::to_string(Last), First, Last});
  Text += ' ';
  Text += Snapshot ? FormatText(GetLangText("str_Message_Check_Snapshot"), {Drive, DriveSpace})
                   : GetLangText("str_Message_Check_No_Snapshot");
  return Text;
}
