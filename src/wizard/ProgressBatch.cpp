#include "wizard/ProgressBatch.h"

// Each text is assigned in place: a flood of lines passes through here
// without one allocation per line.
void TProgressBatch::ShowSectionTitle(const std::string& Text) {
  FSectionTitle.assign(Text, 0, MaxShownText);
  FDirty |= dSection;
}

void TProgressBatch::ShowCurrentStep(const std::string& Text) {
  FCurrentStep.assign(Text, 0, MaxShownText);
  FDirty |= dStep;
}

void TProgressBatch::ShowDetail(const std::string& Text) {
  FDetail.assign(Text, 0, MaxShownText);
  FDirty |= dDetail;
}

void TProgressBatch::ShowProgress(int BarPosition, int BarMax, const std::string& Title) {
  FBarPosition = BarPosition;
  FBarMax = BarMax;
  FTitle = Title;
  FDirty |= dProgress;
}

void TProgressBatch::RefreshServerLevel() { FDirty |= dLevel; }

void TProgressBatch::Flush(IProgressView& Target) {
  // Cleared first: a target that throws does not get the same batch again.
  const unsigned Dirty = FDirty;
  FDirty = 0;
  if (Dirty & dSection) Target.ShowSectionTitle(FSectionTitle);
  if (Dirty & dStep) Target.ShowCurrentStep(FCurrentStep);
  if (Dirty & dDetail) Target.ShowDetail(FDetail);
  if (Dirty & dProgress) Target.ShowProgress(FBarPosition, FBarMax, FTitle);
  if (Dirty & dLevel) Target.RefreshServerLevel();
}
