#include "wizard/ArtworkScale.h"

namespace {
constexpr int ScaleCount = sizeof(ArtworkScales) / sizeof(ArtworkScales[0]);
}

int ArtworkScaleForDpi(int Dpi) {
  for (int scale : ArtworkScales)
    if (static_cast<long long>(Dpi) * 100 <= static_cast<long long>(scale) * 96) return scale;
  return ArtworkScales[ScaleCount - 1];
}

int ArtworkSize(int DesignSize, int Scale) { return (DesignSize * Scale + 50) / 100; }

int ArtworkDesignSize(int Pixels, int Scale) { return Scale > 0 ? (Pixels * 100 + Scale / 2) / Scale : Pixels; }

int ArtworkResourceId(int BaseId, int Scale) {
  for (int i = 0; i < ScaleCount; ++i)
    if (ArtworkScales[i] == Scale) return BaseId + 1000 * i;
  return BaseId;
}
