#include "utils/LineBuffer.h"

#include <algorithm>

namespace {
// Consumed bytes are dropped from the front of the text only once they are at
// least this many and at least as many as the bytes still pending, so each
// byte is moved at most a bounded number of times: reading stays linear in
// the bytes read, however the engine splits its output.
constexpr std::size_t CompactThreshold = 4096;
// From this length on a line leaves the pending text by a move.
constexpr std::size_t LongLine = 1 << 20;
}  // namespace

TLineBuffer::TLineBuffer(ILineSource& Source) : FSource(Source) {}

bool TLineBuffer::TakeIn(std::size_t& Budget) {
  if (Budget == 0) return false;
  std::size_t Count = FSource.BytesWaiting();
  if (Count == 0) return false;
  Count = std::min(Count, Budget);
  // Read straight into the pending text, then squeeze the NULs out of what came.
  const std::size_t Old = FText.size();
  FText.resize(Old + Count);
  const std::size_t Delivered = std::min(FSource.ReadBytes(&FText[Old], Count), Count);
  const auto Kept = std::remove(FText.begin() + static_cast<std::ptrdiff_t>(Old),
                                FText.begin() + static_cast<std::ptrdiff_t>(Old + Delivered), '\0');
  FText.resize(static_cast<std::size_t>(Kept - FText.begin()));
  Budget -= Delivered;
  return Delivered != 0;
}

char TLineBuffer::PeekChar() {
  std::size_t Budget = MaxTakeIn;
  TakeIn(Budget);
  return FStart < FText.size() ? FText[FStart] : '\0';
}

char TLineBuffer::ReadChar() {
  char C = PeekChar();
  if (FStart < FText.size()) {
    ++FStart;
    FScanned = std::max(FScanned, FStart);
    Compact();
  }
  return C;
}

// A plain loop: find_first_of asks its set once per byte, and a memchr for
// each of CR and LF would scan to the end of a text that holds only LFs.
std::size_t TLineBuffer::FindTerminator(std::size_t From) const {
  const char* const Text = FText.data();
  for (std::size_t At = From, End = FText.size(); At < End; ++At)
    if (Text[At] == '\n' || Text[At] == '\r') return At;
  return std::string::npos;
}

bool TLineBuffer::HasPendingLine() const { return FindTerminator(std::max(FScanned, FStart)) != std::string::npos; }

std::string TLineBuffer::ReadLine() {
  std::string Line;
  return ReadLine(Line) ? Line : NoLine;
}

bool TLineBuffer::ReadLine(std::string& Line) {
  std::size_t Budget = MaxTakeIn;
  for (;;) {
    std::size_t End = FindTerminator(std::max(FScanned, FStart));
    if (End != std::string::npos) {
      if (FText[End] == '\n') {
        TakeLine(End, 1, Line);
        return true;
      }
      // A CR as the last byte taken in: its LF may already wait in the
      // source, and then the two are one terminator. Reads that delivered
      // only NUL bytes do not count as an answer; when the budget runs out
      // among them the question stays open for the next call.
      while (End + 1 == FText.size() && TakeIn(Budget)) {
      }
      if (End + 1 == FText.size() && Budget == 0) {
        FScanned = End;
        return false;
      }
      bool WithLf = End + 1 < FText.size() && FText[End + 1] == '\n';
      TakeLine(End, WithLf ? 2 : 1, Line);
      return true;
    }
    FScanned = FText.size();
    if (!TakeIn(Budget)) return false;
  }
}

std::string TLineBuffer::ReadLinePart(std::size_t PartLimit, bool& Complete) {
  std::string Line;
  return ReadLinePart(Line, PartLimit, Complete) ? Line : NoLine;
}

bool TLineBuffer::ReadLinePart(std::string& Line, std::size_t PartLimit, bool& Complete) {
  Complete = ReadLine(Line);
  // A terminator among the pending bytes (a CR whose LF may still come)
  // makes a line on a later call: only a text without any is cut.
  if (Complete || PartLimit == 0 || PendingSize() < PartLimit ||
      FindTerminator(std::max(FScanned, FStart)) != std::string::npos)
    return Complete;
  Line.assign(FText, FStart, PartLimit);
  FStart += PartLimit;
  FScanned = std::max(FScanned, FStart);
  Compact();
  return true;
}

std::string TLineBuffer::TakePending() {
  std::string Rest = FText.substr(FStart);
  FText.clear();
  FStart = FScanned = 0;
  return Rest;
}

void TLineBuffer::TakeLine(std::size_t End, std::size_t TerminatorLength, std::string& Line) {
  if (End - FStart >= LongLine) {
    // The pending text becomes the line and only what follows it is copied:
    // a line of megabytes is not copied once more on its way out.
    std::string Rest = FText.substr(End + TerminatorLength);
    Line = std::move(FText);
    Line.resize(End);
    Line.erase(0, FStart);
    FText = std::move(Rest);
    FStart = FScanned = 0;
    return;
  }
  Line.assign(FText, FStart, End - FStart);
  FStart = End + TerminatorLength;
  FScanned = FStart;
  Compact();
}

void TLineBuffer::Compact() {
  if (FStart == FText.size()) {
    FText.clear();
    FStart = FScanned = 0;
  } else if (FStart >= CompactThreshold && FStart >= FText.size() - FStart) {
    FText.erase(0, FStart);
    FScanned -= FStart;
    FStart = 0;
  }
}
