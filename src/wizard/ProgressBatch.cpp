#include "wizard/ProgressBatch.h"

void TProgressBatch::ShowSectionTitle(const std::string& Text) {
  FSectionTitle = ShownText(Text);
  FDirty |= dSection;
}

void TProgressBatch::ShowCurrentStep(const std::string& Text) {
  FCurrentStep = ShownText(Text);
  FDirty |= dStep;
}

void TProgressBatch::ShowDetail(const std::string& Text) {
  FDetail = ShownText(Text);
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
