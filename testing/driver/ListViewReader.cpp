#include "ListViewReader.h"

#include <commctrl.h>

#include "Cp1252.h"
#include "DriverError.h"
#include "RemoteBuffer.h"
#include "WindowMessages.h"

namespace {

// One buffer in the wizard's process: the structure the message fills, then
// the room for the text it points to.
constexpr size_t TextOffset = 256;
constexpr int TextChars = 1024;
static_assert(sizeof(LVITEMW) <= TextOffset && sizeof(HDITEMW) <= TextOffset, "structure overlaps its text");

std::string ReadRemoteText(const TRemoteBuffer& Buffer, size_t Chars) {
  if (Chars > static_cast<size_t>(TextChars) - 1) Chars = TextChars - 1;
  std::wstring Text(Chars, L'\0');
  if (Chars > 0) Buffer.Read(TextOffset, Text.data(), Chars * sizeof(wchar_t));
  return ToCp1252(Text);
}

std::string HeaderTitle(HWND List, TRemoteBuffer& Buffer) {
  HWND Header = reinterpret_cast<HWND>(SendToWindow(List, LVM_GETHEADER, 0, 0, "LVM_GETHEADER"));
  if (Header == nullptr || SendToWindow(Header, HDM_GETITEMCOUNT, 0, 0, "HDM_GETITEMCOUNT") <= 0) return std::string();
  HDITEMW Item = {};
  Item.mask = HDI_TEXT;
  Item.pszText = static_cast<LPWSTR>(Buffer.At(TextOffset));
  Item.cchTextMax = TextChars;
  const wchar_t Empty = L'\0';
  Buffer.Write(TextOffset, &Empty, sizeof Empty);
  Buffer.Write(0, &Item, sizeof Item);
  if (!SendToWindow(Header, HDM_GETITEMW, 0, reinterpret_cast<LPARAM>(Buffer.At(0)), "HDM_GETITEMW"))
    throw TDriverError("the list's header did not give its first title");
  std::wstring Text(TextChars, L'\0');
  Buffer.Read(TextOffset, Text.data(), Text.size() * sizeof(wchar_t));
  Text.resize(Text.find(L'\0') == std::wstring::npos ? Text.size() : Text.find(L'\0'));
  return ToCp1252(Text);
}

}  // namespace

std::vector<std::string> ReadListViewColumn(HWND List, HANDLE Process) {
  TRemoteBuffer Buffer(Process, TextOffset + TextChars * sizeof(wchar_t));
  std::vector<std::string> Rows{HeaderTitle(List, Buffer)};
  LRESULT Count = SendToWindow(List, LVM_GETITEMCOUNT, 0, 0, "LVM_GETITEMCOUNT");
  for (LRESULT Index = 0; Index < Count; ++Index) {
    LVITEMW Item = {};
    Item.iSubItem = 0;
    Item.pszText = static_cast<LPWSTR>(Buffer.At(TextOffset));
    Item.cchTextMax = TextChars;
    Buffer.Write(0, &Item, sizeof Item);
    LRESULT Chars = SendToWindow(List, LVM_GETITEMTEXTW, static_cast<WPARAM>(Index),
                                 reinterpret_cast<LPARAM>(Buffer.At(0)), "LVM_GETITEMTEXTW");
    Rows.push_back(ReadRemoteText(Buffer, static_cast<size_t>(Chars)));
  }
  return Rows;
}
