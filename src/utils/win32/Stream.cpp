#include "utils/win32/Stream.h"

#include "utils/Errors.h"

#include <algorithm>

std::int64_t TStream::Position() { return Seek(0, TSeekOrigin::Current); }

std::int64_t TStream::Size() {
  std::int64_t Here = Seek(0, TSeekOrigin::Current);
  std::int64_t End = Seek(0, TSeekOrigin::End);
  Seek(Here, TSeekOrigin::Beginning);
  return End;
}

void TStream::WriteBuffer(const void* Buffer, std::size_t Count) {
  if (Count != 0 && Write(Buffer, Count) != Count) throw EStreamWriteError();
}

std::size_t THandleStream::Read(void* Buffer, std::size_t Count) {
  DWORD Done = 0;
  DWORD Asked = static_cast<DWORD>(std::min<std::size_t>(Count, MAXDWORD));
  if (!ReadFile(FHandle, Buffer, Asked, &Done, nullptr)) return 0;
  return Done;
}

std::size_t THandleStream::Write(const void* Buffer, std::size_t Count) {
  DWORD Done = 0;
  DWORD Asked = static_cast<DWORD>(std::min<std::size_t>(Count, MAXDWORD));
  if (!WriteFile(FHandle, Buffer, Asked, &Done, nullptr)) return 0;
  return Done;
}

std::int64_t THandleStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  static const DWORD Methods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
  LARGE_INTEGER Distance, Result;
  Distance.QuadPart = Offset;
  if (!SetFilePointerEx(FHandle, Distance, &Result, Methods[static_cast<int>(Origin)])) return -1;
  return Result.QuadPart;
}

void WriteLine(TStream& Stream, const std::string& Text) {
  const std::string Line = Text + "\r\n";
  Stream.WriteBuffer(Line.data(), Line.size());
}
