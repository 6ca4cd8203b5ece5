#include "Screenshot.h"

#include <algorithm>

#include "DriverError.h"
#include "Files.h"
#include "Wait.h"
#include "utils/win32/Handles.h"

namespace {

int RowBytes(int Width) { return (Width * 3 + 3) & ~3; }

// Bottom-up 24-bit rows, as a .bmp file stores them.
std::string CaptureRect(const RECT& Area) {
  const int Width = Area.right - Area.left, Height = Area.bottom - Area.top;
  const TWindowDc Screen = WindowDc(nullptr);
  const TMemoryDc Memory(CreateCompatibleDC(Screen.Get().Dc));
  BITMAPINFO Info = {};
  Info.bmiHeader.biSize = sizeof Info.bmiHeader;
  Info.bmiHeader.biWidth = Width;
  Info.bmiHeader.biHeight = Height;
  Info.bmiHeader.biPlanes = 1;
  Info.bmiHeader.biBitCount = 24;
  Info.bmiHeader.biCompression = BI_RGB;
  void* Bits = nullptr;
  const TGdiObject<HBITMAP> Bitmap(CreateDIBSection(Screen.Get().Dc, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0));
  if (!Bitmap || Bits == nullptr) throw TDriverError("cannot create a bitmap for a screenshot");
  const TSelection Selected = SelectInto(Memory.Get(), Bitmap.Get());
  if (!BitBlt(Memory.Get(), 0, 0, Width, Height, Screen.Get().Dc, Area.left, Area.top, SRCCOPY | CAPTUREBLT))
    throw TDriverError("cannot copy the screen (error " + std::to_string(GetLastError()) + ")");
  GdiFlush();
  return std::string(static_cast<const char*>(Bits), static_cast<size_t>(RowBytes(Width)) * Height);
}

template <class T>
void AppendRaw(std::string& Out, const T& Value) {
  Out.append(reinterpret_cast<const char*>(&Value), sizeof Value);
}

std::string BitmapFile(int Width, int Height, const std::string& Rows) {
  BITMAPFILEHEADER File = {};
  BITMAPINFOHEADER Info = {};
  File.bfType = 0x4D42;  // "BM"
  File.bfOffBits = sizeof File + sizeof Info;
  File.bfSize = static_cast<DWORD>(File.bfOffBits + Rows.size());
  Info.biSize = sizeof Info;
  Info.biWidth = Width;
  Info.biHeight = Height;
  Info.biPlanes = 1;
  Info.biBitCount = 24;
  Info.biCompression = BI_RGB;
  Info.biSizeImage = static_cast<DWORD>(Rows.size());
  std::string Out;
  AppendRaw(Out, File);
  AppendRaw(Out, Info);
  return Out + Rows;
}

}  // namespace

std::string ArtifactsFolder() {
  char Value[MAX_PATH * 2] = {};
  DWORD Length = GetEnvironmentVariableA("OUPDATE_ARTIFACTS", Value, sizeof Value);
  std::string Folder = (Length > 0 && Length < sizeof Value) ? std::string(Value, Length) : ".\\artifacts";
  if (!MakeDirectories(Folder)) throw TDriverError("cannot create the artifacts folder " + Folder);
  return Folder;
}

void SaveScreenArea(const std::vector<HWND>& Windows, const std::string& Path) {
  RECT Area = {0, 0, 0, 0};
  bool Any = false;
  for (HWND Window : Windows) {
    RECT Box;
    if (Window == nullptr || !GetWindowRect(Window, &Box)) continue;
    RedrawWindow(Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Area = Any ? RECT{std::min(Area.left, Box.left), std::min(Area.top, Box.top), std::max(Area.right, Box.right),
                      std::max(Area.bottom, Box.bottom)}
               : Box;
    Any = true;
  }
  if (!Any) throw TDriverError("no window to take a picture of for " + Path);
  // Only what is on the screen can be copied.
  Area.left = std::max<LONG>(Area.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
  Area.top = std::max<LONG>(Area.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
  Area.right = std::min<LONG>(Area.right, GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN));
  Area.bottom = std::min<LONG>(Area.bottom, GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN));
  if (Area.right <= Area.left || Area.bottom <= Area.top) throw TDriverError("the windows are off the screen: " + Path);

  // The wizard paints, and Wine copies its drawing to the screen, in their
  // own time: a picture that stayed the same for a while is the finished one.
  // A window that keeps changing is taken as it is.
  constexpr ULONGLONG QuietMs = 150;
  std::string Previous = CaptureRect(Area);
  ULONGLONG SameSince = GetTickCount64();
  WaitUntil(
      [&] {
        std::string Current = CaptureRect(Area);
        if (Current != Previous) {
          Previous.swap(Current);
          SameSince = GetTickCount64();
        }
        return GetTickCount64() - SameSince >= QuietMs;
      },
      3000);
  WriteFileBytes(Path, BitmapFile(Area.right - Area.left, Area.bottom - Area.top, Previous));
}
