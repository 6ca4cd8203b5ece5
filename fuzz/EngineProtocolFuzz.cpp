// The engine protocol: any sequence of lines is interpreted without a fault,
// the bar and the overall percentage stay within their scale, and the verdict
// and the result text agree. Input: four bytes of expected section count,
// then the lines, separated by LF.
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "text/LangRes.h"
#include "wizard/EngineProtocol.h"

namespace {

class TCheckingView : public IProgressView {
 public:
  void ShowSectionTitle(const std::string&) override {}
  void ShowCurrentStep(const std::string&) override {}
  void ShowDetail(const std::string&) override {}
  void ShowProgress(int BarPosition, int BarMax, const std::string& Title) override {
    if (BarMax < 0 || BarPosition < 0 || BarPosition > BarMax) std::abort();
    // "Progress N%": the overall percentage is a whole number 0..100.
    const std::size_t Space = Title.rfind(' ');
    if (Space == std::string::npos || Title.back() != '%') std::abort();
    const int Overall = std::atoi(Title.c_str() + Space + 1);
    if (Overall < 0 || Overall > 100) std::abort();
  }
  void RefreshServerLevel() override {}
};

bool StartsWith(const std::string& Text, const char* Prefix) {
  return Text.compare(0, std::strlen(Prefix), Prefix) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static const bool Loaded = (LoadEnglish(), true);
  (void)Loaded;
  if (Size < 4) return 0;
  int32_t Count;
  std::memcpy(&Count, Data, 4);
  const std::string Text(reinterpret_cast<const char*>(Data) + 4, Size - 4);

  TEngineProtocol Run;
  TCheckingView View;
  Run.FSectionCount = Count;
  std::size_t Start = 0;
  while (Start <= Text.size()) {
    std::size_t End = Text.find('\n', Start);
    if (End == std::string::npos) End = Text.size();
    const std::string Line = Text.substr(Start, End - Start);
    const int IndexBefore = Run.FSectionIndex;
    Run.ProcessEngineLine(Line, View);
    Run.AppendTranscript(Line);
    if (Run.FSectionIndex < IndexBefore || Run.FSectionIndex < -1) std::abort();
    if (Run.FTranscript.size() > 8192) std::abort();
    Start = End + 1;
  }

  const bool Succeeded = Run.FSectionPercent == 100 && !Run.FResultText.empty();
  if (Run.Succeeded() != Succeeded) std::abort();
  const std::string Page = Run.RunResultText("3.1.0.3");
  if (StartsWith(Page, "Congratulations!") != Succeeded || StartsWith(Page, "Error!") == Succeeded) std::abort();
  if (!Succeeded && Page.size() > 1024 + 2 * (TEngineProtocol::ShownErrorLimit + Run.FSection.size() +
                                              Run.FStepCode.size() + Run.FCurrentStep.size()))
    std::abort();
  if (Run.LogResultText("3.1.0.3").size() < Page.size()) std::abort();
  return 0;
}
