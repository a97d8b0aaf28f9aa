// Shape coverage from a 4 x 4 grid of samples per pixel.
#include "tools/artgen/raster.h"

#include <algorithm>
#include <cmath>

namespace artgen {

namespace {

constexpr int SAMPLES_PER_AXIS = 4;

template <typename Inside>
void FillShape(Image& image, float minX, float minY, float maxX, float maxY, const Inside& inside,
               const Paint& paint) {
    const int left = std::max(0, static_cast<int>(std::floor(minX)));
    const int top = std::max(0, static_cast<int>(std::floor(minY)));
    const int right = std::min(image.Width() - 1, static_cast<int>(std::ceil(maxX)));
    const int bottom = std::min(image.Height() - 1, static_cast<int>(std::ceil(maxY)));
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            int hits = 0;
            for (int sy = 0; sy < SAMPLES_PER_AXIS; ++sy) {
                for (int sx = 0; sx < SAMPLES_PER_AXIS; ++sx) {
                    const float px =
                        static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) / SAMPLES_PER_AXIS;
                    const float py =
                        static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) / SAMPLES_PER_AXIS;
                    hits += inside(px, py) ? 1 : 0;
                }
            }
            if (hits > 0) {
                const float coverage =
                    static_cast<float>(hits) / (SAMPLES_PER_AXIS * SAMPLES_PER_AXIS);
                image.BlendOver(x, y,
                                paint(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f),
                                coverage);
            }
        }
    }
}

bool InsidePolygon(const std::vector<Point>& polygon, float x, float y) {
    int winding = 0;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const Point& a = polygon[i];
        const Point& b = polygon[(i + 1) % polygon.size()];
        const float side = (b.x - a.x) * (y - a.y) - (x - a.x) * (b.y - a.y);
        if (a.y <= y) {
            if (b.y > y && side > 0) {
                ++winding;
            }
        } else if (b.y <= y && side < 0) {
            --winding;
        }
    }
    return winding != 0;
}

}  // namespace

Paint Solid(const Colour& colour) {
    return [colour](float, float) { return colour; };
}

void FillPolygon(Image& image, const std::vector<Point>& polygon, const Paint& paint) {
    if (polygon.size() < 3) {
        return;
    }
    float minX = polygon[0].x, maxX = polygon[0].x, minY = polygon[0].y, maxY = polygon[0].y;
    for (const Point& p : polygon) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    FillShape(
        image, minX, minY, maxX, maxY,
        [&polygon](float x, float y) { return InsidePolygon(polygon, x, y); }, paint);
}

void FillCircle(Image& image, Point centre, float radius, const Paint& paint) {
    FillShape(
        image, centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius,
        [centre, radius](float x, float y) {
            return (x - centre.x) * (x - centre.x) + (y - centre.y) * (y - centre.y) <=
                   radius * radius;
        },
        paint);
}

}  // namespace artgen
