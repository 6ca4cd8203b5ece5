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
  // Closes the ends still open.
  ~TPipeStream() override;

  HANDLE ReadHandle() const { return FReadHandle.Get(); }
  HANDLE WriteHandle() const { return FWriteHandle.Get(); }
  // The end this stream does not use: the one for the child; 0 without one
  // (or once it is closed).
  HANDLE OtherEndHandle() const;
  // The child has started with its own copy of the other end: this one is
  // closed, so that the pipe ends when the child's copies end. A reader
  // then sees the end of the output (Ended), a writer a broken pipe.
  void CloseOtherEnd();

  // Line reading over what the pipe holds (see TLineBuffer).
  char PeekChar() { return FLines.PeekChar(); }
  char ReadChar() { return FLines.ReadChar(); }
  std::string ReadLine() { return FLines.ReadLine(); }
  std::string ReadLinePart(std::size_t PartLimit, bool& Complete) { return FLines.ReadLinePart(PartLimit, Complete); }
  bool ReadLinePart(std::string& Line, std::size_t PartLimit, bool& Complete) {
    return FLines.ReadLinePart(Line, PartLimit, Complete);
  }
  std::string TakePending() { return FLines.TakePending(); }
  bool HasPendingLine() const { return FLines.HasPendingLine(); }
  std::size_t PendingSize() const { return FLines.PendingSize(); }

  // Bytes the pipe holds for this stream's end right now, without waiting.
  std::size_t BytesWaiting() override;
  // For the reading end: every writer has closed its end and everything
  // they wrote has been taken out of the pipe (what is still pending in
  // the line reader aside). Learnt by BytesWaiting.
  bool Ended() const { return FEnded; }

  // For the writing end: from now on a write never waits for the reader.
  // Raises EInOutError when the pipe refuses.
  void NeverWait();
  // After NeverWait: writes as much of Buffer as the pipe takes now (on
  // Wine, the largest half, quarter, ... that fits) and returns how much
  // that was, 0 when it is full. Raises EStreamWriteError
  // when the pipe is broken (nobody reads any more).
  std::size_t WriteSome(const void* Buffer, std::size_t Count);

 private:
  std::size_t ReadBytes(char* Buffer, std::size_t Count) override;

  TKernelHandle FReadHandle;
  TKernelHandle FWriteHandle;
  bool FEnded = false;
  TLineBuffer FLines{*this};
};
