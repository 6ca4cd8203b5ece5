// Owners for the kernel objects the harness holds: process handles, snapshots
// and memory borrowed inside the wizard's process.
#pragma once
#include <windows.h>

#include <cstddef>
#include <memory>

struct THandleCloser {
  void operator()(HANDLE Handle) const {
    if (Handle != nullptr && Handle != INVALID_HANDLE_VALUE) CloseHandle(Handle);
  }
};
using TUniqueHandle = std::unique_ptr<void, THandleCloser>;

// A block of memory inside another process. Controls whose messages carry
// pointers (list views, headers) are not marshalled between processes, so the
// structures they fill must live in the owner's address space.
class TRemoteBuffer {
 public:
  // Throws TDriverError when the memory cannot be reserved.
  TRemoteBuffer(HANDLE Process, std::size_t Size);
  ~TRemoteBuffer();
  TRemoteBuffer(const TRemoteBuffer&) = delete;
  TRemoteBuffer& operator=(const TRemoteBuffer&) = delete;

  // Address of Offset inside the other process, to be passed in a message.
  void* At(std::size_t Offset) const { return static_cast<char*>(FAddress) + Offset; }
  void Write(std::size_t Offset, const void* Data, std::size_t Size);
  void Read(std::size_t Offset, void* Data, std::size_t Size) const;

 private:
  HANDLE FProcess;
  void* FAddress;
  std::size_t FSize;
};
