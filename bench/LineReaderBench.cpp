// Whether reading the engine's output stays linear in the bytes read, however
// the engine splits it: a line of megabytes arriving in small pieces, and a
// flood of short lines behind characters taken one at a time, each at two
// sizes four times apart. What counts is the ratio of the time per byte at
// the larger size to that at the smaller: about 1 when reading is linear,
// about 4 when every piece rescans or moves what is pending.
//
//   bench_line_reader
//
// Exit code 0 when every line came out whole, 1 when one did not, 2 when the
// benchmark itself could not run. Times are printed, never judged.
#include <algorithm>
#include <cstdio>
#include <string>

#include "BenchMain.h"
#include "utils/LineBuffer.h"

namespace {

// Bytes arrive between reads, as from a pipe.
class TArrivals : public ILineSource {
 public:
  void Arrive(const std::string& Bytes) { FWaiting.append(Bytes); }
  std::size_t BytesWaiting() override { return FWaiting.size() - FTaken; }
  std::size_t ReadBytes(char* Buffer, std::size_t Count) override {
    const std::size_t Given = std::min(Count, FWaiting.size() - FTaken);
    std::copy_n(FWaiting.data() + FTaken, Given, Buffer);
    FTaken += Given;
    if (FTaken == FWaiting.size()) {
      FWaiting.clear();
      FTaken = 0;
    }
    return Given;
  }

 private:
  std::string FWaiting;
  std::size_t FTaken = 0;
};

// One line of Bytes in pieces of 255, a read after each; true when it came whole.
bool LongLineInPieces(std::size_t Bytes) {
  TArrivals Source;
  TLineBuffer Buffer(Source);
  const std::string Piece(255, 'p');
  std::size_t Sent = 0;
  for (; Sent < Bytes; Sent += Piece.size()) {
    Source.Arrive(Piece);
    if (Buffer.ReadLine() != TLineBuffer::NoLine) return false;
  }
  Source.Arrive("\n");
  return Buffer.ReadLine().size() == Sent;
}

// Lines short lines, after 20,000 characters were taken one at a time.
bool FloodAfterCharacters(std::size_t Lines) {
  TArrivals Source;
  TLineBuffer Buffer(Source);
  std::string Flood;
  for (std::size_t Line = 0; Line < Lines; ++Line) Flood += "s\r\n";
  Source.Arrive(Flood);
  for (int Taken = 0; Taken < 20000; ++Taken) Buffer.PeekChar();
  std::size_t Read = 0;
  while (Buffer.ReadLine() == "s") ++Read;
  return Read == Lines;
}

// Times Case at Small and at four times Small; prints the ratio of the times
// per byte. False when a case lost or broke a line.
template <class TCase>
bool Compare(const char* What, std::size_t Small, std::size_t BytesPerUnit, TCase&& Case) {
  double Seconds[2];
  bool Whole = true;
  for (int Size = 0; Size < 2; ++Size) {
    const TStopwatch Watch;
    Whole = Case(Small << (2 * Size)) && Whole;
    Seconds[Size] = Watch.Seconds();
  }
  const double Megabytes = static_cast<double>(Small * BytesPerUnit) / (1 << 20);
  std::printf("  %-38s %6.1f MB %7.3f s, %6.1f MB %7.3f s; ratio per byte %5.2f (linear: about 1)%s\n", What, Megabytes,
              Seconds[0], 4 * Megabytes, Seconds[1], Seconds[1] / Seconds[0] / 4, Whole ? "" : "  LINES LOST");
  return Whole;
}

}  // namespace

int main() {
  return RunBench("bench_line_reader", [] {
    std::printf("line reader: time per byte at two sizes\n");
    bool Whole = Compare("a long line in pieces of 255 bytes:", 512u << 10, 1, LongLineInPieces);
    Whole = Compare("short lines after one-character reads:", 1u << 16, 3, FloodAfterCharacters) && Whole;
    return Whole ? 0 : 1;
  });
}
