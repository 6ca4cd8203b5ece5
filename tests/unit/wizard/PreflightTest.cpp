#include "wizard/Preflight.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "text/LangRes.h"

namespace {

TEST(Preflight, UpdateNumberRange) {
  const struct {
    const char* List;
    bool Any;
    long long First, Last;
  } Cases[] = {{":0:1:2:3:", true, 0, 3}, {":7:", true, 7, 7}, {":4:0:2147483647:", true, 0, 2147483647},
               {"", false, 0, 0},         {"::", false, 0, 0}, {":x:5:", true, 5, 5}};
  for (const auto& Case : Cases) {
    long long First = -1, Last = -1;
    EXPECT_EQ(Case.Any, UpdateNumberRange(Case.List, First, Last)) << Case.List;
    if (Case.Any) {
      EXPECT_EQ(Case.First, First) << Case.List;
      EXPECT_EQ(Case.Last, Last) << Case.List;
    }
  }
}

TEST(Preflight, ReadyTextInEachLanguage) {
  const struct {
    int Language;
    bool Snapshot;
    const char* Expected;
  } Cases[] = {
      {0, true,
       "This server is ready for the update from 3.0.3.2 to 3.1.0.3 (update files Orvane-3.1.0.0 to "
       "Orvane-3.1.0.3). The engine would first store a snapshot on drive D: (25,600 MB free [25%])."},
      {0, false,
       "This server is ready for the update from 3.0.3.2 to 3.1.0.3 (update files Orvane-3.1.0.0 to "
       "Orvane-3.1.0.3). The engine would run without a snapshot."},
      {1, false,
       "Dieser Server ist bereit f\xFCr das Update von 3.0.3.2 auf 3.1.0.3 (Update-Dateien Orvane-3.1.0.0 bis "
       "Orvane-3.1.0.3). Das Update-Programm w\xFCrde ohne Snapshot laufen."},
      {2, true,
       "Ce serveur est pr\xEAt pour la mise \xE0 jour de 3.0.3.2 vers 3.1.0.3 (fichiers de mise \xE0 jour "
       "Orvane-3.1.0.0 \xE0 Orvane-3.1.0.3). Le moteur enregistrerait d'abord un snapshot sur le lecteur D: "
       "(25,600 MB free [25%])."},
      {3, false,
       "Este servidor est\xE1 listo para la actualizaci\xF3n de 3.0.3.2 a 3.1.0.3 (archivos de actualizaci\xF3n "
       "Orvane-3.1.0.0 a Orvane-3.1.0.3). El motor se ejecutar\xED"
       "a sin snapshot."},
  };
  for (const auto& Case : Cases) {
    SelectLanguage(Case.Language);
    EXPECT_EQ(Case.Expected, PreflightReadyText("3.0.3.2", ":2:0:3:1:", Case.Snapshot, "D:", "25,600 MB free [25%]"))
        << "language " << Case.Language;
  }
  SelectLanguage(0);
  EXPECT_THROW(PreflightReadyText("3.0.3.2", "", false, "", ""), std::invalid_argument);
}

}  // namespace
