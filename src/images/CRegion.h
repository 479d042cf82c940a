#pragma once
// A set of pixels kept as non-overlapping rectangles: the dirty and update regions of a window.
#include <cstddef>
#include <vector>

#include "images/Rect.h"

namespace images
{

class CRegion
{
public:
    void Clear() { rects.clear(); }
    bool IsEmpty() const { return rects.empty(); }
    // Adds the pixels of r that are not in the region yet.
    void Add(const Rect& r);
    void Subtract(const Rect& r);
    bool Intersects(const Rect& r) const;
    Rect Bounds() const;
    size_t Count() const { return rects.size(); }
    const std::vector<Rect>& Rects() const { return rects; }

    // The parts of a that lie outside b (at most four rectangles) appended to out.
    static void SubtractRect(const Rect& a, const Rect& b, std::vector<Rect>& out);

private:
    std::vector<Rect> rects;
};

} // namespace images
