// Memory borrowed inside the wizard's process, owned like every other handle
// the driver holds (the kernel objects use utils/win32/Handles.h).
#pragma once
#include <windows.h>

#include <cstddef>

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
