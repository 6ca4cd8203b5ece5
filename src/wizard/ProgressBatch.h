// What the progress page is to show, gathered while a pass of the run loop
// reads engine lines and handed on once at the end of the pass, so that a
// flood of lines does not redraw the page per line. Each text keeps at most
// what a label shows (MaxShownText).
#pragma once
#include <string>

#include "wizard/EngineProtocol.h"

class TProgressBatch : public IProgressView {
 public:
  void ShowSectionTitle(const std::string& Text) override;
  void ShowCurrentStep(const std::string& Text) override;
  void ShowDetail(const std::string& Text) override;
  void ShowProgress(int BarPosition, int BarMax, const std::string& Title) override;
  void RefreshServerLevel() override;
  // Tells Target the last value of each part told since the last flush, in
  // the page's order (section, step, detail, bar, level); nothing for a part
  // nobody told.
  void Flush(IProgressView& Target);

 private:
  enum : unsigned { dSection = 1, dStep = 2, dDetail = 4, dProgress = 8, dLevel = 16 };
  unsigned FDirty = 0;
  std::string FSectionTitle, FCurrentStep, FDetail, FTitle;
  int FBarPosition = 0, FBarMax = 0;
};
