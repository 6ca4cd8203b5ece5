// Owning wrappers for the handles the wizard opens: each one is closed by the
// function that belongs to its kind, exactly once, on every path.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

template <typename Traits>
class TScopedHandle {
 public:
  using Type = typename Traits::Type;

  TScopedHandle() = default;
  explicit TScopedHandle(Type Handle) : FHandle(Handle) {}
  ~TScopedHandle() { Reset(); }

  TScopedHandle(const TScopedHandle&) = delete;
  TScopedHandle& operator=(const TScopedHandle&) = delete;
  TScopedHandle(TScopedHandle&& Other) noexcept : FHandle(Other.Release()) {}
  TScopedHandle& operator=(TScopedHandle&& Other) noexcept {
    if (this != &Other) Reset(Other.Release());
    return *this;
  }

  Type Get() const { return FHandle; }
  bool IsValid() const { return Traits::IsValid(FHandle); }
  explicit operator bool() const { return IsValid(); }

  // Gives up ownership without closing.
  Type Release() { return std::exchange(FHandle, Traits::Empty()); }
  // Closes what is held and takes Handle instead.
  void Reset(Type Handle = Traits::Empty()) {
    Type Old = std::exchange(FHandle, Handle);
    if (Traits::IsValid(Old)) Traits::Close(Old);
  }
  // For API calls that return a handle through a pointer.
  Type* Receive() {
    Reset();
    return &FHandle;
  }

 private:
  Type FHandle = Traits::Empty();
};

struct TKernelHandleTraits {
  using Type = HANDLE;
  static Type Empty() { return nullptr; }
  // Some calls report failure as 0, others as INVALID_HANDLE_VALUE.
  static bool IsValid(Type Handle) { return Handle != nullptr && Handle != INVALID_HANDLE_VALUE; }
  static void Close(Type Handle) { CloseHandle(Handle); }
};

struct TFindHandleTraits {
  using Type = HANDLE;
  static Type Empty() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(Type Handle) { return Handle != nullptr && Handle != INVALID_HANDLE_VALUE; }
  static void Close(Type Handle) { FindClose(Handle); }
};

// A registry key, or the root of another machine's registry from
// RegConnectRegistryA: closing it also ends that connection.
struct TRegistryKeyTraits {
  using Type = HKEY;
  static Type Empty() { return nullptr; }
  static bool IsValid(Type Key) { return Key != nullptr; }
  static void Close(Type Key) { RegCloseKey(Key); }
};

// Fonts, brushes, bitmaps: DeleteObject.
template <typename T>
struct TGdiObjectTraits {
  using Type = T;
  static Type Empty() { return nullptr; }
  static bool IsValid(Type Object) { return Object != nullptr; }
  static void Close(Type Object) { DeleteObject(Object); }
};

struct TImageListTraits {
  using Type = HIMAGELIST;
  static Type Empty() { return nullptr; }
  static bool IsValid(Type List) { return List != nullptr; }
  static void Close(Type List) { ImageList_Destroy(List); }
};

// A device context made by CreateCompatibleDC.
struct TMemoryDcTraits {
  using Type = HDC;
  static Type Empty() { return nullptr; }
  static bool IsValid(Type Dc) { return Dc != nullptr; }
  static void Close(Type Dc) { DeleteDC(Dc); }
};

// A window's device context from GetDC: ReleaseDC wants the window back.
struct TWindowDcTraits {
  struct Type {
    HWND Window;
    HDC Dc;
  };
  static Type Empty() { return {nullptr, nullptr}; }
  static bool IsValid(const Type& Handle) { return Handle.Dc != nullptr; }
  static void Close(const Type& Handle) { ReleaseDC(Handle.Window, Handle.Dc); }
};

// An object selected into a device context: what was there before goes back
// in, so the object can be deleted and the context released cleanly.
struct TSelectionTraits {
  struct Type {
    HDC Dc;
    HGDIOBJ Previous;
  };
  static Type Empty() { return {nullptr, nullptr}; }
  static bool IsValid(const Type& Handle) {
    return Handle.Dc != nullptr && Handle.Previous != nullptr && Handle.Previous != HGDI_ERROR;
  }
  static void Close(const Type& Handle) { SelectObject(Handle.Dc, Handle.Previous); }
};

// Memory the shell or COM hands over (item ID lists and the like).
template <typename T>
struct TCoTaskMemTraits {
  using Type = T*;
  static Type Empty() { return nullptr; }
  static bool IsValid(Type Memory) { return Memory != nullptr; }
  static void Close(Type Memory) { CoTaskMemFree(Memory); }
};

// Memory the security functions hand out (descriptors, SID texts).
struct TLocalMemTraits {
  using Type = HLOCAL;
  static Type Empty() { return nullptr; }
  static bool IsValid(Type Memory) { return Memory != nullptr; }
  static void Close(Type Memory) { LocalFree(Memory); }
};

// A library loaded for a lookup of functions newer than the oldest system
// the wizard runs on.
struct TLibraryTraits {
  using Type = HMODULE;
  static Type Empty() { return nullptr; }
  static bool IsValid(Type Module) { return Module != nullptr; }
  static void Close(Type Module) { FreeLibrary(Module); }
};

using TKernelHandle = TScopedHandle<TKernelHandleTraits>;
using TFindHandle = TScopedHandle<TFindHandleTraits>;
using TRegistryKey = TScopedHandle<TRegistryKeyTraits>;
template <typename T>
using TGdiObject = TScopedHandle<TGdiObjectTraits<T>>;
using TImageListHandle = TScopedHandle<TImageListTraits>;
using TMemoryDc = TScopedHandle<TMemoryDcTraits>;
using TWindowDc = TScopedHandle<TWindowDcTraits>;
using TSelection = TScopedHandle<TSelectionTraits>;
template <typename T>
using TCoTaskMem = TScopedHandle<TCoTaskMemTraits<T>>;
using TLibrary = TScopedHandle<TLibraryTraits>;
using TLocalMem = TScopedHandle<TLocalMemTraits>;

// The device context of Window (nullptr: the screen), released on every path.
inline TWindowDc WindowDc(HWND Window) { return TWindowDc({Window, GetDC(Window)}); }
// Object selected into Dc until the result goes out of scope.
inline TSelection SelectInto(HDC Dc, HGDIOBJ Object) { return TSelection({Dc, SelectObject(Dc, Object)}); }
