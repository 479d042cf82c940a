#pragma once
// Gradients between colour stops, drawn into an image in one of twenty styles. Every pixel gets a
// position p from 0 (start colour) to 1000 (end colour); stops sit at positions between.
//
//  0  left to right                       1  as 0 with the colours and stops mirrored
//  2  as 3 with the colours and stops mirrored   3  top to bottom
//  4  diagonal, top-left to bottom-right  5  diagonal, top-right to bottom-left
//  6  mirrored across: edges start, vertical centre line end
//  7  mirrored down: edges start, horizontal centre line end
//  8  radial from the centre              9  radial from the top-left corner
// 10  radial from the top centre         11  radial from the bottom centre
// 12  rectangular, centre out            14  rectangular, edges in
// 13  diamond, centre out                15  diamond, edges in
// 16  sweep clockwise around the centre starting to the right, 17 starting below, 18 left, 19 above
#include <vector>

#include "images/Colour.h"

namespace images
{

class CImage;

struct ColourStop
{
    ColourRef colour = 0;
    int location = 0; // 0..1000
};

class CGradient
{
public:
    static constexpr int kStyleCount = 20;

    // Fills the whole image; styles outside 0..19 draw style 0.
    static void Draw(CImage& image, int style, ColourRef start, ColourRef end,
                     const std::vector<ColourStop>& stops);
    // The colour at position p (0..1000) between start, the stops and end.
    static ColourRef ColourAt(int p, ColourRef start, ColourRef end, const std::vector<ColourStop>& stops);
    // The position 0..1000 of pixel (x, y) of a width × height image in a style's shape.
    static int Position(int style, int x, int y, int width, int height);
};

} // namespace images
