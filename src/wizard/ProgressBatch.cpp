#include "wizard/ProgressBatch.h"

void TProgressBatch::ShowSectionTitle(const std::string& Text) {
  FSectionTitle = Text;
  FDirty |= dSection;
}

void TProgressBatch::ShowCurrentStep(const std::string& Text) {
  FCurrentStep = Text;
  FDirty |= dStep;
}

void TProgressBatch::ShowDetail(const std::string& Text) {
  FDetail = Text;
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
  const unsigned dirty = FDirty;
  FDirty = 0;
  if (dirty & dSection) Target.ShowSectionTitle(FSectionTitle);
  if (dirty & dStep) Target.ShowCurrentStep(FCurrentStep);
  if (dirty & dDetail) Target.ShowDetail(FDetail);
  if (dirty & dProgress) Target.ShowProgress(FBarPosition, FBarMax, FTitle);
  if (dirty & dLevel) Target.RefreshServerLevel();
}
