// The engine-output line reader: the same bytes give the same lines however
// they arrive. Input: a chunk plan (one byte per chunk, its size), a 0xFF
// byte, then the engine's bytes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "utils/LineBuffer.h"

namespace {

// Bytes that arrive in chunks: the next chunk comes only once the reader has
// taken all of the previous ones.
class TChunkedSource : public ILineSource {
 public:
  TChunkedSource(const std::string& Bytes, std::vector<std::size_t> Chunks) : FBytes(Bytes), FChunks(Chunks) {}
  std::size_t BytesWaiting() override { return FArrived - FTaken; }
  std::size_t ReadBytes(char* Buffer, std::size_t Count) override {
    if (Count > FArrived - FTaken) Count = FArrived - FTaken;
    FBytes.copy(Buffer, Count, FTaken);
    FTaken += Count;
    return Count;
  }
  // False once everything has arrived.
  bool Arrive() {
    if (FArrived == FBytes.size()) return false;
    std::size_t Size = FNext < FChunks.size() ? FChunks[FNext++] : FBytes.size();
    if (Size == 0) Size = 1;
    FArrived += Size < FBytes.size() - FArrived ? Size : FBytes.size() - FArrived;
    FEnds.push_back(FArrived);
    return true;
  }
  bool AllTaken() const { return FTaken == FBytes.size(); }
  // Where each chunk ended: the reader drains one before the next arrives,
  // so two bytes in different chunks always reach it in different reads.
  const std::vector<std::size_t>& Ends() const { return FEnds; }

 private:
  const std::string& FBytes;
  std::vector<std::size_t> FChunks;
  std::vector<std::size_t> FEnds;
  std::size_t FArrived = 0, FTaken = 0, FNext = 0;
};

struct TLines {
  std::vector<std::string> Lines;
  std::string Pending;
};

// What the bytes mean: NUL dropped, then CR LF, CR or LF ends a line; what
// follows the last terminator is pending. Ends (where the chunks ended) are
// the one thing that may change the lines: a CR whose LF arrives in a later
// read ends its line at once (the engine may never send more), and the LF
// then ends an empty line. Without Ends the bytes are read in one piece.
TLines Reference(const std::string& Bytes, const std::vector<std::size_t>& Ends = {}) {
  std::vector<std::size_t> At;  // where each kept byte stood
  std::string Text;
  for (std::size_t I = 0; I < Bytes.size(); ++I)
    if (Bytes[I] != '\0') {
      Text += Bytes[I];
      At.push_back(I);
    }
  auto Chunk = [&Ends](std::size_t Byte) { return std::upper_bound(Ends.begin(), Ends.end(), Byte) - Ends.begin(); };
  TLines Result;
  std::string Line;
  for (std::size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] != '\r' && Text[I] != '\n') {
      Line += Text[I];
      continue;
    }
    Result.Lines.push_back(Line);
    Line.clear();
    if (Text[I] == '\r' && I + 1 < Text.size() && Text[I + 1] == '\n') {
      if (Chunk(At[I]) != Chunk(At[I + 1])) Result.Lines.push_back(std::string());
      ++I;
    }
  }
  Result.Pending = Line;
  return Result;
}

TLines ReadAll(TChunkedSource& Source) {
  TLineBuffer Reader(Source);
  TLines Result;
  Source.Arrive();
  for (std::size_t Calls = 0;; ++Calls) {
    if (Calls > 4 * 1024 * 1024) std::abort();  // a reader that never finishes
    const std::string Line = Reader.ReadLine();
    if (Line != TLineBuffer::NoLine) {
      Result.Lines.push_back(Line);
      continue;
    }
    if (Source.BytesWaiting() > 0) continue;  // a read that took in only part
    // A read that ended on a CR with its budget: the reader asks again, and
    // only an empty source makes the CR a line end of its own.
    if (Reader.HasPendingLine()) continue;
    if (!Source.Arrive()) break;
  }
  if (!Source.AllTaken()) std::abort();
  Result.Pending = Reader.PendingText();
  return Result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  std::vector<std::size_t> Chunks;
  std::size_t At = 0;
  while (At < Size && Data[At] != 0xFF) Chunks.push_back(Data[At++]);
  if (At < Size) ++At;
  const std::string Bytes(reinterpret_cast<const char*>(Data) + At, Size - At);
  const TLines Expected = Reference(Bytes);

  // Everything at once: exactly the reference.
  TChunkedSource Whole(Bytes, {Bytes.size()});
  const TLines AtOnce = ReadAll(Whole);
  if (AtOnce.Lines != Expected.Lines || AtOnce.Pending != Expected.Pending) std::abort();

  // In chunks: the same lines, with an empty one more exactly where a CR and
  // its LF came in different reads. Chunks beyond TLineBuffer::MaxTakeIn
  // (the plan's last chunk is the whole rest) make the reader stop within one.
  TChunkedSource Chunked(Bytes, Chunks);
  const TLines Pieces = ReadAll(Chunked);
  const TLines Split = Reference(Bytes, Chunked.Ends());
  if (Pieces.Lines != Split.Lines || Pieces.Pending != Split.Pending) std::abort();
  return 0;
}
