// The pending text of a pipe reader and the line reading over it, apart from
// the pipe itself so it can be exercised without one.
#pragma once

#include <cstddef>
#include <string>

// Where the bytes come from. Neither call may block: the GUI thread polls.
class ILineSource {
 public:
  virtual ~ILineSource() = default;
  // How many bytes can be read right now without waiting.
  virtual std::size_t BytesWaiting() = 0;
  // Reads at most Count bytes; returns how many were delivered (0 on failure).
  virtual std::size_t ReadBytes(char* Buffer, std::size_t Count) = 0;
};

// Bytes already taken out of the source and not yet handed out, with the
// reader's three operations. A read never waits: only what the source holds
// at the moment of the call is taken in, at most MaxTakeIn bytes per call, so
// an engine that writes megabytes without a line break cannot keep one call
// busy: the partial line stays pending and grows over later calls.
//
// Line ends: LF, CR, or CR LF together. A CR whose LF has not arrived yet ends
// its line at once; an LF arriving later then ends an empty line. NUL bytes
// are dropped as they are taken in, since NUL is the reader's own mark for
// "nothing pending" and would otherwise stop reading for good.
class TLineBuffer {
 public:
  // Large enough that a flood of short lines costs few reads, small enough
  // that one call stays short whatever the engine writes.
  static constexpr std::size_t MaxTakeIn = 64 * 1024;
  // What ReadLine returns when no complete line is pending. Distinct from the
  // empty string, which is an empty line. Inline, so that it is ready before
  // any object defined after this header in another file copies it.
  inline static const std::string NoLine = std::string(1, '\0');

  explicit TLineBuffer(ILineSource& Source);

  // Takes in what the source holds (at most MaxTakeIn bytes), then returns the
  // first pending character, or NUL when nothing is pending.
  char PeekChar();
  // PeekChar, then that character leaves the pending text.
  char ReadChar();
  // One complete line without its terminator, or NoLine. A partial line stays
  // pending and is returned whole once its terminator has arrived. When the
  // pending text already holds a complete line the source is not touched.
  // NoLine while the source still holds bytes means this call's MaxTakeIn
  // was used up: the caller may call again when its own budget allows.
  std::string ReadLine();
  // The same into Line, whose storage is reused: false for NoLine (Line then
  // holds nothing of use). A reader of millions of lines keeps one string.
  bool ReadLine(std::string& Line);
  // ReadLine with the pending text bounded: a complete line (Complete true),
  // or, while what is pending holds no line end and has reached PartLimit
  // bytes, its first PartLimit bytes as the start of a line that goes on
  // (Complete false; the next parts and the line's end follow), or NoLine.
  // However long a line without a break, at most PartLimit + MaxTakeIn of
  // it is held here.
  std::string ReadLinePart(std::size_t PartLimit, bool& Complete);
  bool ReadLinePart(std::string& Line, std::size_t PartLimit, bool& Complete);
  // Everything pending, handed out whole without taking anything in.
  std::string TakePending();

  // Whether the pending text holds a complete line (ReadLine would return one
  // without taking anything in).
  bool HasPendingLine() const;
  std::size_t PendingSize() const { return FText.size() - FStart; }
  std::string PendingText() const { return FText.substr(FStart); }

 private:
  // Reads once from the source, at most Budget bytes, and lowers Budget by
  // what was delivered; false when nothing was delivered.
  bool TakeIn(std::size_t& Budget);
  std::size_t FindTerminator(std::size_t From) const;
  void TakeLine(std::size_t End, std::size_t TerminatorLength, std::string& Line);
  void Compact();

  ILineSource& FSource;
  std::string FText;  // pending text is FText[FStart, end)
  std::size_t FStart = 0;
  std::size_t FScanned = 0;  // FText[FStart, FScanned) is known to hold no CR or LF
};
