// The engine-output line reader: the same bytes give the same lines however
// they arrive. Input: a chunk plan (one byte per chunk, its size), a 0xFF
// byte, then the engine's bytes.
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
    ++FBoundaries;
    return true;
  }
  bool AllTaken() const { return FTaken == FBytes.size(); }
  std::size_t Boundaries() const { return FBoundaries; }

 private:
  const std::string& FBytes;
  std::vector<std::size_t> FChunks;
  std::size_t FArrived = 0, FTaken = 0, FNext = 0, FBoundaries = 0;
};

struct TLines {
  std::vector<std::string> Lines;
  std::string Pending;
};

// What the bytes mean, read in one piece: NUL dropped, then CR LF, CR or LF
// ends a line; what follows the last terminator is pending.
TLines Reference(const std::string& Bytes) {
  std::string Text;
  for (char C : Bytes)
    if (C != '\0') Text += C;
  TLines Result;
  std::string Line;
  for (std::size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] != '\r' && Text[I] != '\n') {
      Line += Text[I];
      continue;
    }
    if (Text[I] == '\r' && I + 1 < Text.size() && Text[I + 1] == '\n') ++I;
    Result.Lines.push_back(Line);
    Line.clear();
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
    if (!Source.Arrive()) break;
  }
  if (!Source.AllTaken()) std::abort();
  Result.Pending = Reader.PendingText();
  return Result;
}

std::vector<std::string> NonEmpty(const std::vector<std::string>& Lines) {
  std::vector<std::string> Result;
  for (const std::string& Line : Lines)
    if (!Line.empty()) Result.push_back(Line);
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

  // In chunks: the same lines. A CR that ends a chunk ends its line at once
  // (the engine may never send more), so an LF opening the next chunk can add
  // one empty line per boundary, and nothing else may differ.
  TChunkedSource Chunked(Bytes, Chunks);
  const TLines Pieces = ReadAll(Chunked);
  if (NonEmpty(Pieces.Lines) != NonEmpty(Expected.Lines) || Pieces.Pending != Expected.Pending) std::abort();
  if (Pieces.Lines.size() < Expected.Lines.size() || Pieces.Lines.size() > Expected.Lines.size() + Chunked.Boundaries())
    std::abort();
  return 0;
}
