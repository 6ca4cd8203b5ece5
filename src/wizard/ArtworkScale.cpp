#include "wizard/ArtworkScale.h"

namespace {
constexpr int ScaleCount = sizeof(ArtworkScales) / sizeof(ArtworkScales[0]);
}

int ArtworkScaleForDpi(int Dpi) {
  for (int Scale : ArtworkScales)
    if (static_cast<long long>(Dpi) * 100 <= static_cast<long long>(Scale) * 96) return Scale;
  return ArtworkScales[ScaleCount - 1];
}

int ArtworkSize(int DesignSize, int Scale) { return (DesignSize * Scale + 50) / 100; }

int ArtworkDesignSize(int Pixels, int Scale) { return Scale > 0 ? (Pixels * 100 + Scale / 2) / Scale : Pixels; }

int ArtworkResourceId(int BaseId, int Scale) {
  for (int I = 0; I < ScaleCount; ++I)
    if (ArtworkScales[I] == Scale) return BaseId + 1000 * I;
  return BaseId;
}
