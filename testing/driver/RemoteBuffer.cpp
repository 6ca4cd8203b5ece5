#include "RemoteBuffer.h"

#include <string>

#include "DriverError.h"

TRemoteBuffer::TRemoteBuffer(HANDLE Process, std::size_t Size)
    : FProcess(Process),
      FAddress(VirtualAllocEx(Process, nullptr, Size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)),
      FSize(Size) {
  if (FAddress == nullptr)
    throw TDriverError("cannot reserve " + std::to_string(Size) + " bytes in the wizard's process (error " +
                       std::to_string(GetLastError()) + ")");
}

TRemoteBuffer::~TRemoteBuffer() { VirtualFreeEx(FProcess, FAddress, 0, MEM_RELEASE); }

void TRemoteBuffer::Write(std::size_t Offset, const void* Data, std::size_t Size) {
  SIZE_T Done = 0;
  if (Offset + Size > FSize || !WriteProcessMemory(FProcess, At(Offset), Data, Size, &Done) || Done != Size)
    throw TDriverError("cannot write " + std::to_string(Size) + " bytes into the wizard's process");
}

void TRemoteBuffer::Read(std::size_t Offset, void* Data, std::size_t Size) const {
  SIZE_T Done = 0;
  if (Offset + Size > FSize || !ReadProcessMemory(FProcess, At(Offset), Data, Size, &Done) || Done != Size)
    throw TDriverError("cannot read " + std::to_string(Size) + " bytes from the wizard's process");
}
