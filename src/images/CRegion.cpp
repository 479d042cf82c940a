#include "images/CRegion.h"

#include <algorithm>

namespace images
{

void CRegion::SubtractRect(const Rect& a, const Rect& b, std::vector<Rect>& out)
{
    const Rect common = Intersect(a, b);
    if (common.IsEmpty())
    {
        out.push_back(a);
        return;
    }
    if (a.top < common.top)
        out.push_back({a.left, a.top, a.right, common.top});
    if (common.bottom < a.bottom)
        out.push_back({a.left, common.bottom, a.right, a.bottom});
    if (a.left < common.left)
        out.push_back({a.left, common.top, common.left, common.bottom});
    if (common.right < a.right)
        out.push_back({common.right, common.top, a.right, common.bottom});
}

void CRegion::Add(const Rect& r)
{
    if (r.IsEmpty())
        return;
    // Rectangles the new one covers go, so a large invalidation stays one rectangle.
    rects.erase(
        std::remove_if(rects.begin(), rects.end(), [&r](const Rect& e) { return Intersect(e, r) == e; }),
        rects.end());
    std::vector<Rect> pieces{r};
    std::vector<Rect> next;
    for (const Rect& existing : rects)
    {
        next.clear();
        for (const Rect& piece : pieces)
            SubtractRect(piece, existing, next);
        pieces.swap(next);
        if (pieces.empty())
            return;
    }
    rects.insert(rects.end(), pieces.begin(), pieces.end());
}

void CRegion::Subtract(const Rect& r)
{
    if (r.IsEmpty())
        return;
    std::vector<Rect> kept;
    for (const Rect& existing : rects)
        SubtractRect(existing, r, kept);
    rects.swap(kept);
}

bool CRegion::Intersects(const Rect& r) const
{
    for (const Rect& existing : rects)
        if (images::Intersects(existing, r))
            return true;
    return false;
}

Rect CRegion::Bounds() const
{
    Rect bounds;
    for (const Rect& existing : rects)
        bounds = UnionBounds(bounds, existing);
    return bounds;
}

} // namespace images
