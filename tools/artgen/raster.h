// Anti-aliased shape filling by supersampling, for the pictures and icons.
#pragma once

#include <functional>
#include <vector>

#include "tools/artgen/image.h"

namespace artgen {

struct Point {
    float x, y;
};

// The colour of a shape at a point of the image (pixel units), for gradients and shading.
using Paint = std::function<Colour(float x, float y)>;

Paint Solid(const Colour& colour);

// Fills the polygon (non-zero winding) with `paint`; each pixel takes the share of its samples
// that fall inside.
void FillPolygon(Image& image, const std::vector<Point>& polygon, const Paint& paint);
void FillCircle(Image& image, Point centre, float radius, const Paint& paint);

}  // namespace artgen
