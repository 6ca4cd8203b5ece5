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
  std::vector<TSpan> spans(To);
  for (int n = 0; n < To; ++n) {
    const long long lo = static_cast<long long>(n) * From, hi = lo + From;
    TSpan& s = spans[n];
    s.First = static_cast<int>(lo / To);
    for (long long i = s.First; i * To < hi && i < From; ++i)
      s.W.push_back(std::min(hi, (i + 1) * To) - std::max(lo, i * To));
  }
  return spans;
}

TPixels Resample(const TPixels& From, int Width, int Height, bool Keyed, uint32_t Key) {
  TPixels to;
  if (Width <= 0 || Height <= 0 || From.Width <= 0 || From.Height <= 0) return to;
  to.Width = Width;
  to.Height = Height;
  to.Rgb.resize(static_cast<size_t>(Width) * Height);
  const std::vector<TSpan> xs = Spans(From.Width, Width), ys = Spans(From.Height, Height);
  for (int y = 0; y < Height; ++y) {
    for (int x = 0; x < Width; ++x) {
      long long sum[3] = {0, 0, 0}, drawn = 0, total = 0;
      for (size_t j = 0; j < ys[y].W.size(); ++j) {
        const uint32_t* row = &From.Rgb[static_cast<size_t>(ys[y].First + j) * From.Width];
        for (size_t i = 0; i < xs[x].W.size(); ++i) {
          const long long w = ys[y].W[j] * xs[x].W[i];
          const uint32_t c = row[xs[x].First + i];
          total += w;
          if (Keyed && c == Key) continue;
          drawn += w;
          for (int k = 0; k < 3; ++k) sum[k] += w * ((c >> (16 - 8 * k)) & 0xFF);
        }
      }
      uint32_t& out = to.Rgb[static_cast<size_t>(y) * Width + x];
      if (drawn == 0 || (Keyed && drawn * 2 <= total)) {
        out = Key;
        continue;
      }
      out = 0;
      for (int k = 0; k < 3; ++k) out |= static_cast<uint32_t>((sum[k] + drawn / 2) / drawn) << (16 - 8 * k);
      // An average that happens to land on the key would punch a hole.
      if (Keyed && out == Key) out ^= 1;
    }
  }
  return to;
}
}  // namespace

TPixels ResamplePixels(const TPixels& From, int Width, int Height) { return Resample(From, Width, Height, false, 0); }

TPixels ResampleKeyedPixels(const TPixels& From, int Width, int Height, uint32_t Key) {
  return Resample(From, Width, Height, true, Key);
}
