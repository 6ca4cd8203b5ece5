// Expansion of the catalogue's text templates.
//
// The catalogue's texts use a handful of specifiers and nothing else. A
// general-purpose formatter would give some of them other meanings ("%n"
// writes through a pointer in C), so templates are expanded only here, with
// arguments that carry their kind, and anything unexpected is refused loudly
// instead of producing a half-right caption.
#pragma once

#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

// One argument of a template: a string, an integer or a floating-point number.
// Integers of every width and signedness convert without loss, so a DWORD
// error code or a size_t count can be passed as it is.
class TFormatArg {
 public:
  enum TKind { fkString, fkInteger, fkFloat };

  TFormatArg(const std::string& Value) : FKind(fkString), FText(Value) {}
  TFormatArg(const char* Value);

  template <typename T,
            std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, char>, int> = 0>
  TFormatArg(T Value) : FKind(fkInteger) {
    if constexpr (std::is_signed_v<T>) {
      FNegative = Value < 0;
      // Negate in the unsigned domain so the most negative value survives.
      FMagnitude = FNegative ? 0ULL - static_cast<unsigned long long>(Value) : static_cast<unsigned long long>(Value);
    } else {
      FMagnitude = Value;
    }
  }

  template <typename T, std::enable_if_t<std::is_floating_point_v<T>, int> = 0>
  TFormatArg(T Value) : FKind(fkFloat), FFloat(static_cast<double>(Value)) {}

  // A bool or a single char is almost certainly a mistake at the call site.
  TFormatArg(bool) = delete;
  TFormatArg(char) = delete;

  TKind Kind() const { return FKind; }
  const std::string& Text() const { return FText; }
  bool IsNegative() const { return FNegative; }
  unsigned long long Magnitude() const { return FMagnitude; }
  double Float() const { return FFloat; }

 private:
  TKind FKind;
  std::string FText;
  bool FNegative = false;
  unsigned long long FMagnitude = 0;
  double FFloat = 0.0;
};

class EConvertError : public std::runtime_error {
 public:
  using runtime_error::runtime_error;
};

// Expands Template with Args, taken in the order of the specifiers:
//   "%s"    a string, inserted as it is
//   "%d"    an integer in decimal, "-" in front when negative
//   "%0.0d" the same as "%d" (no width, no zero fill)
//   "%0.0n" a floating-point number rounded to a whole number, halves away
//           from zero (2.5 gives 3, -2.5 gives -3), digits grouped in threes
//           with ThousandsSeparator, no decimal part
//   "%%"    one "%"
// Raises EConvertError for any other specifier (or a "%" ending the
// template), for a missing argument, for an argument of the wrong kind, for
// arguments left over, and for a number that is not finite.
std::string FormatText(const std::string& Template, const std::vector<TFormatArg>& Args,
                       const std::string& ThousandsSeparator = ",");

// The specifiers of Template in the order they appear, "%%" included, e.g.
// {"%0.0n", "%0.0d", "%%"}. Raises EConvertError as FormatText does for a
// specifier it does not know.
std::vector<std::string> FormatSpecifiers(const std::string& Template);

// Digits of a whole number grouped in threes from the right with Separator:
// "1234567" gives "1,234,567". A leading "-" is kept out of the grouping.
std::string GroupThousands(const std::string& Digits, const std::string& Separator);
