// The template formatter never reads past its arguments: any template with
// any arguments either expands or is refused with EConvertError, and an
// expansion used exactly the arguments its specifiers call for.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "text/TextFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  FuzzedDataProvider Input(Data, Size);
  const std::string Separator = Input.ConsumeRandomLengthString(4);
  const std::string Template = Input.ConsumeRandomLengthString(256);
  std::vector<TFormatArg> Args;
  const int Count = Input.ConsumeIntegralInRange<int>(0, 6);
  for (int I = 0; I < Count; ++I) {
    switch (Input.ConsumeIntegralInRange<int>(0, 3)) {
      case 0:
        Args.emplace_back(Input.ConsumeRandomLengthString(64));
        break;
      case 1:
        Args.emplace_back(Input.ConsumeIntegral<long long>());
        break;
      case 2:
        Args.emplace_back(Input.ConsumeIntegral<unsigned long long>());
        break;
      default:
        Args.emplace_back(Input.ConsumeFloatingPoint<double>());
        break;
    }
  }
  std::size_t Called = 0;
  try {
    for (const std::string& Specifier : FormatSpecifiers(Template))
      if (Specifier != "%%") ++Called;
  } catch (const EConvertError&) {
    try {
      FormatText(Template, Args, Separator);
    } catch (const EConvertError&) {
      return 0;
    }
    std::abort();  // a template the specifier list refuses must not expand
  }
  try {
    const std::string Text = FormatText(Template, Args, Separator);
    if (Called != Args.size()) std::abort();
    (void)Text;
  } catch (const EConvertError&) {
  }
  // Grouping any text of digits keeps every digit.
  const std::string Digits = Input.ConsumeRandomLengthString(40);
  const std::string Grouped = GroupThousands(Digits, Separator);
  if (Grouped.size() < Digits.size()) std::abort();
  return 0;
}
