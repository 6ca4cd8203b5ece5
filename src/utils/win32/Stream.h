// Byte streams: the abstract stream and the stream over a Windows handle.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

enum class TSeekOrigin { Beginning, Current, End };

class TStream {
 public:
  TStream() = default;
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;
  virtual ~TStream() = default;

  // Both return the bytes actually moved; 0 on failure.
  virtual std::size_t Read(void* Buffer, std::size_t Count) = 0;
  virtual std::size_t Write(const void* Buffer, std::size_t Count) = 0;
  // The new position, or -1 on failure.
  virtual std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) = 0;

  std::int64_t Position();
  std::int64_t Size();
  // Writes all Count bytes in one Write or raises EStreamWriteError.
  void WriteBuffer(const void* Buffer, std::size_t Count);
};

// A stream over a handle it does not own.
class THandleStream : public TStream {
 public:
  explicit THandleStream(HANDLE Handle) : FHandle(Handle) {}

  HANDLE Handle() const { return FHandle; }

  std::size_t Read(void* Buffer, std::size_t Count) override;
  std::size_t Write(const void* Buffer, std::size_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;

 protected:
  // For streams that learn their handle only inside their own constructor.
  THandleStream() = default;
  void SetHandle(HANDLE Handle) { FHandle = Handle; }

 private:
  HANDLE FHandle = nullptr;
};

// Writes Text and CR LF through the stream's WriteBuffer, in one call.
void WriteLine(TStream& Stream, const std::string& Text);
