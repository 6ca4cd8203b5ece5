#include "utils/win32/PipeStream.h"

#include "utils/Errors.h"

TPipeStream::TPipeStream(unsigned char PipeEnd, DWORD BufferSize) : FBufferSize(BufferSize) {
  // Created inheritable, so the child gets the end the caller hands it; the
  // wizard keeps both ends for the stream's whole life, so the reader never
  // sees an end of file, and the end of a run is told by the process.
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
  // The stream's own end stays with the wizard. Inherited, it would let the
  // engine, and any program the engine starts, hold the wizard's side of
  // the pipe: a writer could then never be told that nobody reads.
  if (Handle() != nullptr && !SetHandleInformation(Handle(), HANDLE_FLAG_INHERIT, 0)) {
    const int Code = static_cast<int>(GetLastError());
    throw EInOutError("Erorr " + std::to_string(Code) + " creating pipe.");
  }
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

std::size_t TPipeStream::RoomToWrite() const {
  // The wizard holds the reading end too, so it can see what is still unread.
  DWORD Unread = 0;
  if (Handle() == nullptr || Handle() != FWriteHandle.Get() ||
      !PeekNamedPipe(FReadHandle.Get(), nullptr, 0, nullptr, &Unread, nullptr))
    return 0;
  return Unread >= FBufferSize ? 0 : FBufferSize - Unread;
}

std::size_t TPipeStream::ReadBytes(char* Buffer, std::size_t Count) {
  if (Handle() == nullptr) return 0;
  return Read(Buffer, Count);
}
