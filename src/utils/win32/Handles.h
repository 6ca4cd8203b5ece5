// Owning wrappers for the handles the wizard opens: each one is closed by the
// function that belongs to its kind, exactly once, on every path.
#pragma once

#include <windows.h>

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

using TKernelHandle = TScopedHandle<TKernelHandleTraits>;
using TFindHandle = TScopedHandle<TFindHandleTraits>;
using TRegistryKey = TScopedHandle<TRegistryKeyTraits>;
