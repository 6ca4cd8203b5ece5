#include "wizard/PictureResample.h"

#include <algorithm>

namespace {
struct TSpan {
  int First;                 // first source pixel the new pixel covers
  std::vector<long long> W;  // how much of each, in units where the new pixel is From * To
};

// Along one axis of From pixels shown as To: new pixel n covers the source
// stretch [n * From, (n + 1) * From) measured in units of 1 / To source pixel.
std::vector<TSpan> Spans(int From, int To) {
  std::vector<TSpan> Spans(To);
  for (int N = 0; N < To; ++N) {
    const long long Lo = static_cast<long long>(N) * From, Hi = Lo + From;
    TSpan& S = Spans[N];
    S.First = static_cast<int>(Lo / To);
    for (long long I = S.First; I * To < Hi && I < From; ++I)
      S.W.push_back(std::min(Hi, (I + 1) * To) - std::max(Lo, I * To));
  }
  return Spans;
}

TPixels Resample(const TPixels& From, int Width, int Height, bool Keyed, uint32_t Key) {
  TPixels To;
  if (Width <= 0 || Height <= 0 || From.Width <= 0 || From.Height <= 0) return To;
  To.Width = Width;
  To.Height = Height;
  To.Rgb.resize(static_cast<size_t>(Width) * Height);
  const std::vector<TSpan> Xs = Spans(From.Width, Width), Ys = Spans(From.Height, Height);
  for (int Y = 0; Y < Height; ++Y) {
    for (int X = 0; X < Width; ++X) {
      long long Sum[3] = {0, 0, 0}, Drawn = 0, Total = 0;
      for (size_t J = 0; J < Ys[Y].W.size(); ++J) {
        const uint32_t* Row = &From.Rgb[static_cast<size_t>(Ys[Y].First + J) * From.Width];
        for (size_t I = 0; I < Xs[X].W.size(); ++I) {
          const long long W = Ys[Y].W[J] * Xs[X].W[I];
          const uint32_t C = Row[Xs[X].First + I];
          Total += W;
          if (Keyed && C == Key) continue;
          Drawn += W;
          for (int K = 0; K < 3; ++K) Sum[K] += W * ((C >> (16 - 8 * K)) & 0xFF);
        }
      }
      uint32_t& Out = To.Rgb[static_cast<size_t>(Y) * Width + X];
      if (Drawn == 0 || (Keyed && Drawn * 2 <= Total)) {
        Out = Key;
        continue;
      }
      Out = 0;
      for (int K = 0; K < 3; ++K) Out |= static_cast<uint32_t>((Sum[K] + Drawn / 2) / Drawn) << (16 - 8 * K);
      // An average that happens to land on the key would punch a hole.
      if (Keyed && Out == Key) Out ^= 1;
    }
  }
  return To;
}
}  // namespace

TPixels ResamplePixels(const TPixels& From, int Width, int Height) { return Resample(From, Width, Height, false, 0); }

TPixels ResampleKeyedPixels(const TPixels& From, int Width, int Height, uint32_t Key) {
  return Resample(From, Width, Height, true, Key);
}
