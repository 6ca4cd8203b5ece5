#include "wizard/UpdateFiles.h"

#include "utils/AsciiCase.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>

const char* const NoUpdatesPattern = "Orvane-3.1.0.*.oue";

namespace {

const char* const UpdateFilePrefix = "Orvane-";
const char* const UpdateFileExtension = ".oue";
const char* const UpdateRelease = "3.1.0.";

bool StartsWith(const std::string& Text, const std::string& Prefix) {
  return Text.compare(0, Prefix.size(), Prefix) == 0;
}

int HexDigitValue(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

// Drops bracketed remarks such as "[fix]" so that variants of one update read
// as that update. A "]" before the first "[" is not a remark: stop there.
void RemoveBracketedText(std::string& Text) {
  for (;;) {
    size_t Open = Text.find('[');
    size_t Close = Text.find(']');
    if (Open == std::string::npos || Close == std::string::npos || Close < Open) return;
    Text.erase(Open, Close - Open + 1);
  }
}

}  // namespace

bool TryStrToInt(const std::string& Text, int& Value) {
  size_t I = 0;
  while (I < Text.size() && Text[I] == ' ') ++I;
  bool Negative = false;
  if (I < Text.size() && (Text[I] == '-' || Text[I] == '+')) {
    Negative = Text[I] == '-';
    ++I;
  }
  int Base = 10;
  if (I < Text.size() && (Text[I] == '$' || Text[I] == 'x' || Text[I] == 'X')) {
    Base = 16;
    I += 1;
  } else if (I + 1 < Text.size() && Text[I] == '0' && (Text[I + 1] == 'x' || Text[I + 1] == 'X')) {
    Base = 16;
    I += 2;
  }
  if (I >= Text.size()) return false;
  // The magnitude may reach 2^31 only for a negative value.
  const int64_t Limit = Negative ? INT64_C(2147483648) : INT64_C(2147483647);
  int64_t Magnitude = 0;
  for (; I < Text.size(); ++I) {
    int Digit = HexDigitValue(Text[I]);
    if (Digit < 0 || Digit >= Base) return false;
    Magnitude = Magnitude * Base + Digit;
    if (Magnitude > Limit) return false;
  }
  Value = static_cast<int>(Negative ? -Magnitude : Magnitude);
  return true;
}

int StrToIntDef(const std::string& Text, int Default) {
  int Value = 0;
  return TryStrToInt(Text, Value) ? Value : Default;
}

int ParseUpdateNumber(const std::string& FileName) {
  std::string Text = AsciiLowerCase(FileName);
  const std::string Prefix = AsciiLowerCase(UpdateFilePrefix);
  if (!StartsWith(Text, Prefix)) return -1;
  Text.erase(0, Prefix.size());

  // The extension must be the only ".oue" and end the name, so that
  // "x.oue.oue" or "x.oue.bak" never pass for an update.
  const std::string Extension = UpdateFileExtension;
  size_t ExtensionAt = Text.find(Extension);
  if (ExtensionAt == std::string::npos || ExtensionAt + Extension.size() != Text.size()) return -1;
  Text.erase(ExtensionAt);

  RemoveBracketedText(Text);

  if (!StartsWith(Text, UpdateRelease)) return -1;
  Text.erase(0, std::char_traits<char>::length(UpdateRelease));

  size_t Dot = Text.find('.');
  if (Dot != std::string::npos) Text.erase(Dot);

  // One trailing marker such as the "b" of "12b" is tolerated, no more.
  int Number = 0;
  if (Text.size() > 1 && !TryStrToInt(Text, Number)) Text.pop_back();
  return StrToIntDef(Text, -1);
}

void ColonListAdd(std::string& List, const std::string& Item) {
  if (List.empty()) List = ":";
  List += Item;
  List += ':';
}

bool ColonListContains(const std::string& List, const std::string& Item) {
  return List.find(":" + Item + ":") != std::string::npos;
}

std::string DrivePart(const std::string& Path) {
  if (Path.size() >= 2 && Path[1] == ':') return Path.substr(0, 2);
  if (Path.size() >= 2 && Path[0] == '\\' && Path[1] == '\\') {
    size_t ServerEnd = Path.find('\\', 2);
    if (ServerEnd == std::string::npos) return Path;
    size_t ShareEnd = Path.find('\\', ServerEnd + 1);
    if (ShareEnd != std::string::npos) return Path.substr(0, ShareEnd);
    // "\\server\" names no share yet: the server is all there is.
    if (ServerEnd + 1 == Path.size()) return Path.substr(0, ServerEnd);
    return Path;
  }
  return "";
}

bool LacksDriveLetter(const std::string& Path) {
  std::string Drive = DrivePart(Path);
  return !(Drive.size() == 2 && Drive[1] == ':');
}

std::string UpdateSearchPattern(const std::string& Folder) {
  std::string Pattern = Folder;
  if (Pattern.empty() || Pattern.back() != '\\') Pattern += '\\';
  return Pattern + "Orvane-*.oue";
}

TUpdateScan ScanUpdateNames(const std::vector<std::string>& FileNames) {
  TUpdateScan Scan;
  int Smallest = 2147483647;
  int Largest = -1;
  // The colon list stays the result, but asking it whether a number was seen
  // costs a search of the whole list per file: a folder of tens of thousands
  // of files would hold the window for seconds.
  std::unordered_set<int> Seen;
  for (const std::string& Name : FileNames) {
    int Number = ParseUpdateNumber(Name);
    if (Number < 0) continue;
    // A second file with a number already seen (a bracketed variant, say)
    // adds nothing: the engine takes each update once.
    if (!Seen.insert(Number).second) continue;
    ColonListAdd(Scan.FoundUpdates, std::to_string(Number));
    Scan.Numbers.push_back(Number);
    ++Scan.Count;
    Smallest = std::min(Smallest, Number);
    Largest = std::max(Largest, Number);
  }
  std::sort(Scan.Numbers.begin(), Scan.Numbers.end());
  for (int Number : Scan.Numbers) Scan.Rows.push_back("Orvane-3.1.0." + std::to_string(Number));
  // 0 and 2147483647 together span more than 32 bits can count.
  if (Scan.Count > 0)
    Scan.UpdatesMissing = static_cast<int64_t>(Largest) - Smallest + 1 > static_cast<int64_t>(Scan.Count);
  return Scan;
}
