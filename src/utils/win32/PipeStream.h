// A stream over one end of an anonymous pipe whose other end goes to a child
// process, with a line reader that never waits for the child.
#pragma once

#include "utils/LineBuffer.h"
#include "utils/win32/Handles.h"
#include "utils/win32/Stream.h"

#include <windows.h>

#include <string>

class TPipeStream : public THandleStream, private ILineSource {
 public:
  static constexpr unsigned char ReadEnd = 0;
  static constexpr unsigned char WriteEnd = 1;
  inline static const std::string NoLine = std::string(1, '\0');

  // Creates a pipe. PipeEnd 0: this stream reads from the pipe; 1: it writes
  // into it; any other value: it has no handle of its own. Only the end for
  // the child is inheritable. Raises EInOutError when the pipe cannot be
  // created.
  TPipeStream(unsigned char PipeEnd, DWORD BufferSize);
  // Closes both ends.
  ~TPipeStream() override;

  HANDLE ReadHandle() const { return FReadHandle.Get(); }
  HANDLE WriteHandle() const { return FWriteHandle.Get(); }
  // The end this stream does not use: the one for the child; 0 without one.
  HANDLE OtherEndHandle() const;

  // Line reading over what the pipe holds (see TLineBuffer).
  char PeekChar() { return FLines.PeekChar(); }
  char ReadChar() { return FLines.ReadChar(); }
  std::string ReadLine() { return FLines.ReadLine(); }
  bool HasPendingLine() const { return FLines.HasPendingLine(); }
  std::size_t PendingSize() const { return FLines.PendingSize(); }

  // Bytes the pipe holds for this stream's end right now, without waiting.
  std::size_t BytesWaiting() override;
  // For the writing end: how many bytes a write takes now without waiting,
  // the pipe's buffer less what it holds unread. 0 for a reading end.
  std::size_t RoomToWrite() const;

 private:
  std::size_t ReadBytes(char* Buffer, std::size_t Count) override;

  TKernelHandle FReadHandle;
  TKernelHandle FWriteHandle;
  DWORD FBufferSize;
  TLineBuffer FLines{*this};
};
