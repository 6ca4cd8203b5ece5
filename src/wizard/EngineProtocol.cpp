#include "wizard/EngineProtocol.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "text/LangRes.h"
#include "text/TextFormat.h"

namespace {

// The engine's tags. Matched at column 0 in exact case: a tag the engine
// indented or wrote in another case is an ordinary detail line.
const char TagError[] = "[Error]:";
const char TagParam[] = "[PARAM]:";
const char TagResult[] = "[Result]:";
const char TagSection[] = "[SECTION]:";
const char TagStatus[] = "[STATUS]:";

const char NeedRebootParameter[] = "NEED_REBOOT";

// The transcript is cut back once it passes the limit rather than on every
// line, so keeping it bounded costs a constant amount per byte appended.
const std::size_t TranscriptLimit = 8192;
const std::size_t TranscriptKept = 4097;

// Returns the rest of Line after Tag, or false when Line does not start with
// it. The tag's length is known here, and a line that does not open with the
// tag's bracket is told at its first byte: most lines are details, and a
// flood of them must not pay for five string comparisons each.
template <std::size_t Size>
bool TakeTag(const std::string& Line, const char (&Tag)[Size], std::string& Rest) {
  constexpr std::size_t Length = Size - 1;
  if (Line.size() < Length || Line[0] != Tag[0] || !std::equal(Tag + 1, Tag + Length, Line.data() + 1)) return false;
  Rest.assign(Line, Length, std::string::npos);
  return true;
}

// Splits Rest at its first comma: the part before goes to Field (empty when
// there is no comma) and Rest keeps what follows it (all of it when there is
// no comma). A status line with a field missing thus leaves the fields before
// the percentage empty and its last text still to be read as a number.
void TakeField(std::string& Rest, std::string& Field) {
  const std::size_t Comma = Rest.find(',');
  if (Comma == std::string::npos) {
    Field.clear();
    return;
  }
  Field.assign(Rest, 0, Comma);
  Rest.erase(0, Comma + 1);
}

bool IsBlank(char C) { return static_cast<unsigned char>(C) <= 32; }

// The last Limit bytes of the error text, from the first line break within
// them (each error line starts with one), after a line that sends the reader
// to the log for the rest. The whole text when it fits.
std::string LatestErrors(const std::string& Errors, std::size_t Limit) {
  if (Errors.size() <= Limit) return Errors;
  const std::size_t TailStart = Errors.size() - Limit;
  std::size_t From = Errors.find_first_of("\r\n", TailStart);
  std::string Shown = "\r" + GetLangText("str_Message_Earlier_Errors_In_Log");
  // A single error longer than the limit shows its end on a line of its own.
  if (From == std::string::npos) {
    From = TailStart;
    Shown += '\r';
  }
  return Shown + Errors.substr(From);
}

}  // namespace

int PortableMulDiv(int Number, int Numerator, int Denominator) {
  if (Denominator == 0) return -1;
  long long Product = static_cast<long long>(Number) * Numerator;
  long long Divisor = Denominator;
  if (Divisor < 0) {
    Product = -Product;
    Divisor = -Divisor;
  }
  // Adding half the divisor before truncating towards zero rounds halves away
  // from zero, on either side of it.
  const long long Half = Divisor / 2;
  const long long Result = Product >= 0 ? (Product + Half) / Divisor : (Product - Half) / Divisor;
  if (Result > INT_MAX || Result < INT_MIN) return -1;
  return static_cast<int>(Result);
}

std::string ToCRLF(const std::string& Text) {
  std::string Result;
  Result.reserve(Text.size() + Text.size() / 16 + 2);
  for (std::size_t I = 0; I < Text.size(); ++I) {
    const char C = Text[I];
    if (C == '\r') {
      Result += "\r\n";
      if (I + 1 < Text.size() && Text[I + 1] == '\n') ++I;
    } else if (C == '\n') {
      Result += "\r\n";
    } else {
      Result += C;
    }
  }
  return Result;
}

std::string ShownText(const std::string& Text) { return Text.substr(0, MaxShownText); }

std::string Trim(const std::string& Text) {
  std::size_t First = 0;
  std::size_t Last = Text.size();
  while (First < Last && IsBlank(Text[First])) ++First;
  while (Last > First && IsBlank(Text[Last - 1])) --Last;
  return Text.substr(First, Last - First);
}

bool ParsePercent(const std::string& Text, int& Value) {
  std::size_t I = 0;
  while (I < Text.size() && Text[I] == ' ') ++I;
  bool Negative = false;
  if (I < Text.size() && (Text[I] == '+' || Text[I] == '-')) {
    Negative = Text[I] == '-';
    ++I;
  }
  if (I == Text.size()) return false;
  // Accumulated as a magnitude with room for INT_MIN; stops growing past it.
  const long long Limit = Negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  long long Magnitude = 0;
  for (; I < Text.size(); ++I) {
    const char C = Text[I];
    if (C < '0' || C > '9') return false;
    Magnitude = Magnitude * 10 + (C - '0');
    if (Magnitude > Limit) return false;
  }
  Value = static_cast<int>(Negative ? -Magnitude : Magnitude);
  return true;
}

void TEngineProtocol::ProcessEngineLine(const std::string& Line, IProgressView& View) {
  std::string Rest;
  if (TakeTag(Line, TagError, Rest)) {
    AddError(Trim(Rest));
  } else if (TakeTag(Line, TagParam, Rest)) {
    if (Rest.find(NeedRebootParameter) != std::string::npos) FNeedReboot = true;
  } else if (TakeTag(Line, TagResult, Rest)) {
    FResultText = ShownText(Trim(Rest));
  } else if (TakeTag(Line, TagSection, Rest)) {
    FSection = ShownText(Trim(Rest));
    View.ShowSectionTitle(FSection);
    // Saturates: an engine that never stops starting sections must not wrap
    // the index round to the start of the bar.
    if (FSectionIndex < INT_MAX) ++FSectionIndex;
    SetSectionProgress(0, View);
    const std::string Initializing = GetControlText("txtCurrentStep", "_Initializing");
    View.ShowCurrentStep(Initializing);
    View.RefreshServerLevel();
    FCurrentStep = Initializing;
    FStepCode.clear();
    // The last detail stays in FDetail; only the panel is cleared.
    View.ShowDetail("");
  } else if (TakeTag(Line, TagStatus, Rest)) {
    TakeField(Rest, FStepCode);  // the step code is carried into the failure text as sent
    FStepCode = ShownText(FStepCode);
    std::string StepText;
    TakeField(Rest, StepText);
    FCurrentStep = ShownText(Trim(StepText));
    View.ShowCurrentStep(FCurrentStep);
    int Percent = 0;
    SetSectionProgress(ParsePercent(Rest, Percent) ? Percent : FSectionPercent, View);
    View.ShowDetail("");
  } else {
    // Only the part a label shows is kept: a detail of megabytes would
    // otherwise be copied whole for nothing.
    std::size_t First = 0, Last = Line.size();
    while (First < Last && IsBlank(Line[First])) ++First;
    while (Last > First && IsBlank(Line[Last - 1])) --Last;
    if (First == Last) return;
    FDetail.assign(Line, First, std::min(Last - First, MaxShownText));
    View.ShowDetail(FDetail);
  }
}

// The latest errors are kept, from a line's start, and the rest is dropped
// from the front once the text is twice the bound: a constant cost per byte,
// and an engine that writes error lines for ever cannot fill the memory. The
// log keeps every error line among the output.
void TEngineProtocol::AddError(const std::string& Error) {
  FErrorText += '\r';
  FErrorText += Error;
  if (FErrorText.size() <= 2 * KeptErrorLimit) return;
  std::size_t From = FErrorText.find('\r', FErrorText.size() - KeptErrorLimit);
  if (From == std::string::npos) From = FErrorText.size() - KeptErrorLimit;
  FErrorText.erase(0, From);
  if (FErrorText.empty() || FErrorText[0] != '\r') FErrorText.insert(0, 1, '\r');
  FEarlierErrorsDropped = true;
}

void TEngineProtocol::SetSectionProgress(int Percent, IProgressView& View) {
  FSectionPercent = Percent;
  // Worked in 64 bits: an index far along and a percentage near INT_MAX must
  // clamp, not wrap round to a small position.
  long long BarMax = static_cast<long long>(FSectionCount) * 100;
  if (BarMax < 0) BarMax = 0;
  if (BarMax > INT_MAX) BarMax = INT_MAX;
  long long Position = static_cast<long long>(FSectionIndex) * 100 + Percent;
  if (Position < 0) Position = 0;
  if (Position > BarMax) Position = BarMax;
  // A run with no sections expected has an empty bar; it shows 0% rather
  // than MulDiv's -1 for a zero maximum.
  const int Overall = BarMax > 0 ? PortableMulDiv(static_cast<int>(Position), 100, static_cast<int>(BarMax)) : 0;
  const std::string Title = FormatText(GetControlText("lbProgressTitle"), {Overall});
  View.ShowProgress(static_cast<int>(Position), static_cast<int>(BarMax), Title);
  if (FSectionPercent >= 90) View.RefreshServerLevel();
}

void TEngineProtocol::AppendTranscript(const std::string& Line, bool StartsLine) {
  // A line that alone fills what is kept leaves only its own end: taken
  // straight from it, a line of megabytes is not copied in and cut again.
  if (Line.size() >= TranscriptKept && FTranscript.size() + 2 + Line.size() > TranscriptLimit) {
    FTranscript.assign(Line, Line.size() - TranscriptKept, TranscriptKept);
    return;
  }
  if (StartsLine) {
    FTranscript.push_back('\r');  // in place, not a copy call per line
    FTranscript.push_back('\n');
  }
  FTranscript += Line;
  if (FTranscript.size() > TranscriptLimit) FTranscript.erase(0, FTranscript.size() - TranscriptKept);
}

bool IsCrashExitCode(unsigned long ExitCode) { return ExitCode >= 0xC0000000UL && ExitCode <= 0xFFFFFFFFUL; }

std::string EngineCrashText(unsigned long ExitCode) {
  char Code[16];
  std::snprintf(Code, sizeof Code, "0x%08lX", ExitCode & 0xFFFFFFFFUL);
  return std::string("oue.exe ended abnormally with exit code ") + Code + ".";
}

void TEngineProtocol::EngineEnded(unsigned long ExitCode) {
  FEngineExitCode = ExitCode;
  FEngineCrashed = IsCrashExitCode(ExitCode);
}

bool TEngineProtocol::Succeeded() const { return FSectionPercent == 100 && !FResultText.empty() && !FEngineCrashed; }

std::string TEngineProtocol::RunResultText(const std::string& LocalLevel) {
  return ResultText(LocalLevel, ShownErrorLimit);
}

std::string TEngineProtocol::LogResultText(const std::string& LocalLevel) {
  return ResultText(LocalLevel, std::string::npos);
}

std::string TEngineProtocol::ResultText(const std::string& LocalLevel, std::size_t ErrorLimit) {
  if (Succeeded()) return ToCRLF(FormatText(GetControlText("txtCompletionStatusInfo", "_Success"), {LocalLevel}));
  if (FErrorText.empty()) FErrorText = ToCRLF(FTranscript);
  // The crash comes after whatever the engine said: its last words are what
  // the Response Center needs besides the code.
  // The page's text and the log's are both asked for: the line goes in once.
  std::string Errors = FErrorText;
  if (FEngineCrashed) Errors += "\r" + EngineCrashText(FEngineExitCode);
  std::string Shown = LatestErrors(Errors, ErrorLimit);
  // What was dropped while the errors came is told as the page tells it.
  if (FEarlierErrorsDropped && Shown.size() == Errors.size())
    Shown = "\r" + GetLangText("str_Message_Earlier_Errors_In_Log") + Shown;
  return ToCRLF(
      FormatText(GetControlText("txtCompletionStatusInfo", "_Failed"), {FSection, FStepCode, FCurrentStep, Shown}));
}
