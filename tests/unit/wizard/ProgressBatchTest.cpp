// The progress page is told once per pass: the last value of each part told
// during the pass, in the page's order, and nothing for the parts not told.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "wizard/ProgressBatch.h"

namespace {

class TEventLog : public IProgressView {
 public:
  std::string Events;
  void ShowSectionTitle(const std::string& Text) override { Add("title=" + Text); }
  void ShowCurrentStep(const std::string& Text) override { Add("step=" + Text); }
  void ShowDetail(const std::string& Text) override { Add("detail=" + Text); }
  void ShowProgress(int Position, int Max, const std::string& Title) override {
    Add("bar=" + std::to_string(Position) + "/" + std::to_string(Max) + " " + Title);
  }
  void RefreshServerLevel() override { Add("level"); }

 private:
  void Add(const std::string& Event) { Events += (Events.empty() ? "" : " | ") + Event; }
};

struct TBatchCase {
  const char* Name;
  std::function<void(IProgressView&)> Pass;
  const char* Flushed;
};

TEST(ProgressBatch, FlushTellsTheLastValueOfEachPartInThePagesOrder) {
  const std::vector<TBatchCase> Cases = {
      {"nothing told", [](IProgressView&) {}, ""},
      {"last detail wins",
       [](IProgressView& V) {
         V.ShowDetail("a");
         V.ShowDetail("b");
       },
       "detail=b"},
      {"an empty text is told too",
       [](IProgressView& V) {
         V.ShowDetail("a");
         V.ShowDetail("");
       },
       "detail="},
      {"page order, not call order",
       [](IProgressView& V) {
         V.RefreshServerLevel();
         V.ShowProgress(150, 300, "50 %");
         V.ShowDetail("file");
         V.ShowCurrentStep("Copying");
         V.ShowSectionTitle("Update 2");
       },
       "title=Update 2 | step=Copying | detail=file | bar=150/300 50 % | level"},
      {"bar keeps position, range and title of the last move",
       [](IProgressView& V) {
         V.ShowProgress(10, 100, "10 %");
         V.ShowProgress(20, 200, "10 %!");
       },
       "bar=20/200 10 %!"},
  };
  for (const TBatchCase& Case : Cases) {
    TProgressBatch Batch;
    TEventLog Page;
    Case.Pass(Batch);
    Batch.Flush(Page);
    EXPECT_EQ(Page.Events, Case.Flushed) << Case.Name;
  }
}

TEST(ProgressBatch, APartIsToldOnceAndNotAgainOnTheNextFlush) {
  TProgressBatch Batch;
  TEventLog First, Second, Third;
  Batch.ShowSectionTitle("Snapshot");
  Batch.RefreshServerLevel();
  Batch.Flush(First);
  Batch.Flush(Second);
  Batch.ShowCurrentStep("Done");
  Batch.Flush(Third);
  EXPECT_EQ(First.Events, "title=Snapshot | level");
  EXPECT_EQ(Second.Events, "");
  EXPECT_EQ(Third.Events, "step=Done");
}

}  // namespace
