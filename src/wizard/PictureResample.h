// Resizes a picture by averaging, for each new pixel, the part of the old
// picture it covers: the smooth reduction from the next larger shipped scale
// to a display between two scales.
#pragma once
#include <cstdint>
#include <vector>

struct TPixels {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Rgb;  // 0x00RRGGBB, rows top down
};

// With Key given, pixels of that colour are holes: a new pixel becomes a hole
// when holes cover half of it or more, and otherwise takes the average of
// the drawn colours alone, so the key never tints an edge.
TPixels ResamplePixels(const TPixels& From, int Width, int Height);
TPixels ResampleKeyedPixels(const TPixels& From, int Width, int Height, uint32_t Key);
