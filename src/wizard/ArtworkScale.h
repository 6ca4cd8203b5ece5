// Which of the sizes each picture is shipped in suits a display, and how
// large a picture is at a scale. The artwork script draws every picture at
// each of the scales and rounds its sizes the same way.
#pragma once

// Percent of the design size (the pixels at 96 DPI), smallest first.
constexpr int ArtworkScales[] = {100, 150, 200};

// The smallest shipped scale that is at least as large as Dpi asks for, so a
// picture is only ever made smaller; above the largest, the largest.
int ArtworkScaleForDpi(int Dpi);

// Pixels of a side of DesignSize when the picture is drawn at Scale percent.
int ArtworkSize(int DesignSize, int Scale);

// The design size of a side that measures Pixels in the picture drawn at
// Scale: the inverse of ArtworkSize.
int ArtworkDesignSize(int Pixels, int Scale);

// The resource of a picture at Scale: the 100 % picture's id, plus 1000 for
// each larger scale.
int ArtworkResourceId(int BaseId, int Scale);
