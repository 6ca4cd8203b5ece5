#include "utils/win32/PipeStream.h"

#include "utils/Errors.h"

#include <algorithm>

namespace {
[[noreturn]] void RaisePipeError() {
  const int Code = static_cast<int>(GetLastError());
  throw EInOutError("Erorr " + std::to_string(Code) + " creating pipe.");
}
}  // namespace

TPipeStream::TPipeStream(unsigned char PipeEnd, DWORD BufferSize) {
  // Created inheritable, so the child gets the end the caller hands it.
  SECURITY_ATTRIBUTES Attributes{};
  Attributes.nLength = sizeof(Attributes);
  Attributes.lpSecurityDescriptor = nullptr;
  Attributes.bInheritHandle = TRUE;
  HANDLE Read = nullptr;
  HANDLE Write = nullptr;
  if (!CreatePipe(&Read, &Write, &Attributes, BufferSize)) RaisePipeError();
  FReadHandle.Reset(Read);
  FWriteHandle.Reset(Write);
  if (PipeEnd == ReadEnd)
    SetHandle(FReadHandle.Get());
  else if (PipeEnd == WriteEnd)
    SetHandle(FWriteHandle.Get());
  // The stream's own end stays with the wizard. Inherited, it would let the
  // engine, and any program the engine starts, hold the wizard's side of
  // the pipe: a writer could then never be told that nobody reads.
  if (Handle() != nullptr && !SetHandleInformation(Handle(), HANDLE_FLAG_INHERIT, 0)) RaisePipeError();
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

void TPipeStream::CloseOtherEnd() {
  if (Handle() == nullptr) return;
  if (Handle() == FReadHandle.Get())
    FWriteHandle.Reset();
  else
    FReadHandle.Reset();
}

std::size_t TPipeStream::BytesWaiting() {
  // The handle stream's size less its position gives 0 for a pipe, so ask the
  // pipe itself; PeekNamedPipe on the wizard's own end never waits (nobody
  // else reads through that end). A pipe whose writers have all gone and
  // which is empty answers ERROR_BROKEN_PIPE: the output has ended.
  DWORD Available = 0;
  if (Handle() == nullptr) return 0;
  if (!PeekNamedPipe(Handle(), nullptr, 0, nullptr, &Available, nullptr)) {
    if (GetLastError() == ERROR_BROKEN_PIPE) FEnded = true;
    return 0;
  }
  return Available;
}

void TPipeStream::NeverWait() {
  // PIPE_NOWAIT holds for this end's handle alone; the child's end keeps
  // waiting as a child expects.
  DWORD Mode = PIPE_READMODE_BYTE | PIPE_NOWAIT;
  if (Handle() == nullptr || !SetNamedPipeHandleState(Handle(), &Mode, nullptr, nullptr)) RaisePipeError();
}

std::size_t TPipeStream::WriteSome(const void* Buffer, std::size_t Count) {
  // A byte pipe that does not wait takes what its buffer has room for and
  // answers success ("Named Pipe Type, Read, and Wait Modes"); Wine takes a
  // write only whole, else nothing. Halving a write that took nothing serves
  // both: at most a dozen calls for the 4 KB the wizard writes at once.
  std::size_t Asked = std::min<std::size_t>(Count, MAXDWORD);
  for (;;) {
    DWORD Done = 0;
    if (Handle() == nullptr || !WriteFile(Handle(), Buffer, static_cast<DWORD>(Asked), &Done, nullptr))
      throw EStreamWriteError();
    if (Done > 0 || Asked <= 1) return Done;
    Asked /= 2;
  }
}

std::size_t TPipeStream::ReadBytes(char* Buffer, std::size_t Count) {
  if (Handle() == nullptr) return 0;
  return Read(Buffer, Count);
}
