#include "utils/win32/PipeStream.h"

#include "utils/Errors.h"

TPipeStream::TPipeStream(unsigned char PipeEnd, DWORD BufferSize) {
  // Both ends inheritable: the child gets whichever end the caller hands it,
  // and the wizard keeps both for the stream's whole life, so the reader
  // never sees an end of file; the end of a run is told by the process.
  SECURITY_ATTRIBUTES Attributes{};
  Attributes.nLength = sizeof(Attributes);
  Attributes.lpSecurityDescriptor = nullptr;
  Attributes.bInheritHandle = TRUE;
  HANDLE Read = nullptr;
  HANDLE Write = nullptr;
  if (!CreatePipe(&Read, &Write, &Attributes, BufferSize)) {
    const int Code = static_cast<int>(GetLastError());
    throw EInOutError("Erorr " + std::to_string(Code) + " creating pipe.");
  }
  FReadHandle.Reset(Read);
  FWriteHandle.Reset(Write);
  if (PipeEnd == ReadEnd)
    SetHandle(FReadHandle.Get());
  else if (PipeEnd == WriteEnd)
    SetHandle(FWriteHandle.Get());
}

TPipeStream::~TPipeStream() {
  FReadHandle.Reset();
  FWriteHandle.Reset();
  SetHandle(nullptr);
}

HANDLE TPipeStream::OtherEndHandle() const {
  if (Handle() == nullptr) return nullptr;
  if (Handle() == FReadHandle.Get()) return FWriteHandle.Get();
  if (Handle() == FWriteHandle.Get()) return FReadHandle.Get();
  return nullptr;
}

std::size_t TPipeStream::BytesWaiting() {
  // The handle stream's size less its position gives 0 for a pipe, so ask the
  // pipe itself; PeekNamedPipe never waits.
  DWORD Available = 0;
  if (Handle() == nullptr || !PeekNamedPipe(Handle(), nullptr, 0, nullptr, &Available, nullptr)) return 0;
  return Available;
}

std::size_t TPipeStream::ReadBytes(char* Buffer, std::size_t Count) {
  if (Handle() == nullptr) return 0;
  return Read(Buffer, Count);
}
