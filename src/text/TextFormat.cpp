#include "text/TextFormat.h"

#include <cmath>
#include <cstdio>

namespace {

// The specifiers the catalogue uses, longest first so "%0.0d" is not taken
// for a broken "%0".
struct TSpecifier {
  const char* Text;
  bool Consumes;
  TFormatArg::TKind Kind;
};

const TSpecifier Specifiers[] = {
    {"%0.0d", true, TFormatArg::fkInteger}, {"%0.0n", true, TFormatArg::fkFloat}, {"%s", true, TFormatArg::fkString},
    {"%d", true, TFormatArg::fkInteger},    {"%%", false, TFormatArg::fkString},
};

const char* KindName(TFormatArg::TKind Kind) {
  switch (Kind) {
    case TFormatArg::fkString:
      return "a string";
    case TFormatArg::fkInteger:
      return "an integer";
    case TFormatArg::fkFloat:
      return "a floating-point number";
  }
  return "an unknown kind";
}

bool IsAsciiLetter(char C) { return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z'); }

std::string Quoted(const std::string& Text) { return "\"" + Text + "\""; }

// The specifier starting at Template[Pos], which holds a "%".
const TSpecifier& SpecifierAt(const std::string& Template, size_t Pos) {
  for (const TSpecifier& Specifier : Specifiers) {
    if (Template.compare(Pos, std::string::traits_type::length(Specifier.Text), Specifier.Text) == 0) return Specifier;
  }
  // Show the whole would-be specifier ("%x", "%5.2f") so the faulty template
  // can be found quickly; it ends at the first letter.
  size_t End = Pos + 1;
  while (End < Template.size() && End - Pos < 8 && !IsAsciiLetter(Template[End]) && Template[End] != '%') ++End;
  const std::string Seen = Template.substr(Pos, End - Pos + 1);
  throw EConvertError("Unsupported format specifier " + Quoted(Seen) + " at position " + std::to_string(Pos) +
                      " in template " + Quoted(Template));
}

std::string IntegerText(const TFormatArg& Arg) {
  std::string Text = std::to_string(Arg.Magnitude());
  return Arg.IsNegative() ? "-" + Text : Text;
}

std::string WholeNumberText(double Value, const std::string& Template, const std::string& ThousandsSeparator) {
  if (!std::isfinite(Value))
    throw EConvertError("Cannot format a number that is not finite for \"%0.0n\" in template " + Quoted(Template));
  double Whole = std::round(Value);
  // -0.4 rounds to -0, which must not show as "-0".
  if (Whole == 0.0) Whole = 0.0;
  const bool Negative = Whole < 0.0;
  // Whole is integral, so "%.0f" only spells out its digits; the buffer
  // holds the largest double (309 digits).
  char Buffer[400];
  std::snprintf(Buffer, sizeof Buffer, "%.0f", std::fabs(Whole));
  const std::string Grouped = GroupThousands(Buffer, ThousandsSeparator);
  return Negative ? "-" + Grouped : Grouped;
}

}  // namespace

TFormatArg::TFormatArg(const char* Value) : FKind(fkString) {
  if (Value == nullptr) throw EConvertError("A null string cannot be a format argument");
  FText = Value;
}

std::string GroupThousands(const std::string& Digits, const std::string& Separator) {
  std::string Result;
  Result.reserve(Digits.size() + Digits.size() / 3 * Separator.size());
  for (size_t I = 0; I < Digits.size(); ++I) {
    if (I > 0 && (Digits.size() - I) % 3 == 0) Result += Separator;
    Result += Digits[I];
  }
  return Result;
}

std::vector<std::string> FormatSpecifiers(const std::string& Template) {
  std::vector<std::string> Result;
  for (size_t Pos = Template.find('%'); Pos != std::string::npos;) {
    const TSpecifier& Specifier = SpecifierAt(Template, Pos);
    Result.emplace_back(Specifier.Text);
    Pos = Template.find('%', Pos + Result.back().size());
  }
  return Result;
}

std::string FormatText(const std::string& Template, const std::vector<TFormatArg>& Args,
                       const std::string& ThousandsSeparator) {
  std::string Result;
  Result.reserve(Template.size() + 32);
  size_t NextArg = 0;
  size_t Pos = 0;
  while (Pos < Template.size()) {
    const size_t Percent = Template.find('%', Pos);
    if (Percent == std::string::npos) {
      Result.append(Template, Pos, std::string::npos);
      break;
    }
    Result.append(Template, Pos, Percent - Pos);
    const TSpecifier& Specifier = SpecifierAt(Template, Percent);
    Pos = Percent + std::string::traits_type::length(Specifier.Text);
    if (!Specifier.Consumes) {
      Result += '%';
      continue;
    }
    if (NextArg >= Args.size())
      throw EConvertError("Missing argument " + std::to_string(NextArg + 1) + " for " + Quoted(Specifier.Text) +
                          " in template " + Quoted(Template) + " (" + std::to_string(Args.size()) + " given)");
    const TFormatArg& Arg = Args[NextArg];
    if (Arg.Kind() != Specifier.Kind)
      throw EConvertError("Argument " + std::to_string(NextArg + 1) + " for " + Quoted(Specifier.Text) +
                          " in template " + Quoted(Template) + " is " + KindName(Arg.Kind()) + ", not " +
                          KindName(Specifier.Kind));
    ++NextArg;
    switch (Specifier.Kind) {
      case TFormatArg::fkString:
        Result += Arg.Text();
        break;
      case TFormatArg::fkInteger:
        Result += IntegerText(Arg);
        break;
      case TFormatArg::fkFloat:
        Result += WholeNumberText(Arg.Float(), Template, ThousandsSeparator);
        break;
    }
  }
  // Every caller passes exactly what its template asks for; a surplus means
  // the caller and the template disagree.
  if (NextArg < Args.size())
    throw EConvertError(std::to_string(Args.size()) + " arguments given but template " + Quoted(Template) + " uses " +
                        std::to_string(NextArg));
  return Result;
}
