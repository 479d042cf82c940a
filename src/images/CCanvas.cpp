#include "images/CCanvas.h"

#include <cstring>
#include <vector>

using namespace platform;

namespace images
{

namespace
{
struct Line
{
    const char* text;
    size_t length;
};

std::vector<Line> SplitLines(const char* text, bool singleLine)
{
    std::vector<Line> lines;
    if (!text)
        return lines;
    if (singleLine)
    {
        lines.push_back({text, std::strcspn(text, "\r\n")});
        return lines;
    }
    const char* p = text;
    while (true)
    {
        const size_t n = std::strcspn(p, "\n");
        size_t len = n;
        if (len > 0 && p[len - 1] == '\r')
            --len;
        lines.push_back({p, len});
        if (p[n] == '\0')
            break;
        p += n + 1;
    }
    return lines;
}
} // namespace

CCanvas::CCanvas(CImage& targetImage, const Rect& clipRect, Point originPoint)
    : target(targetImage), clip(Intersect(clipRect, targetImage.GetRect())), origin(originPoint)
{
}

void CCanvas::ClipTo(const Rect& r)
{
    clip = Intersect(clip, r.Offset(origin.x, origin.y));
}

void CCanvas::FillRect(const Rect& r, ColourRef colour)
{
    target.FillRect(Intersect(r.Offset(origin.x, origin.y), clip), colour);
}

void CCanvas::FrameRect(const Rect& r, ColourRef pen)
{
    if (r.IsEmpty())
        return;
    FillRect({r.left, r.top, r.right, r.top + 1}, pen);
    FillRect({r.left, r.bottom - 1, r.right, r.bottom}, pen);
    FillRect({r.left, r.top, r.left + 1, r.bottom}, pen);
    FillRect({r.right - 1, r.top, r.right, r.bottom}, pen);
}

bool CCanvas::ClipTransfer(Rect& src, int& x, int& y) const
{
    const Rect dest{x + origin.x, y + origin.y, x + origin.x + src.Width(), y + origin.y + src.Height()};
    const Rect visible = Intersect(dest, clip);
    if (visible.IsEmpty())
        return false;
    src = Rect{src.left + visible.left - dest.left, src.top + visible.top - dest.top, 0, 0};
    src.right = src.left + visible.Width();
    src.bottom = src.top + visible.Height();
    x = visible.left;
    y = visible.top;
    return true;
}

void CCanvas::DrawImage(const CImage& image, const Rect& src, int x, int y)
{
    Rect s = src;
    if (ClipTransfer(s, x, y))
        target.CopyRect(image, s, x, y);
}

void CCanvas::BlendImage(const CImage& image, const Rect& src, int x, int y, int opacityPercent)
{
    Rect s = src;
    if (ClipTransfer(s, x, y))
        target.BlendRect(image, s, x, y, opacityPercent);
}

void CCanvas::AlphaBlendImage(const CImage& image, const Rect& src, int x, int y, int opacityPercent)
{
    Rect s = src;
    if (ClipTransfer(s, x, y))
        target.AlphaBlendRect(image, s, x, y, opacityPercent);
}

Point CCanvas::MeasureText(const Font& font, const char* text, bool singleLine)
{
    Point size;
    for (const Line& line : SplitLines(text, singleLine))
    {
        size.x = std::max(size.x, font.MeasureWidth(line.text, line.length));
        size.y += font.GetHeight();
    }
    return size;
}

void CCanvas::DrawText(const Font& font, const char* text, const Rect& r, unsigned flags)
{
    const std::vector<Line> lines = SplitLines(text, (flags & kTextSingleLine) != 0);
    const Rect box = r.Offset(origin.x, origin.y);
    const Rect visible = Intersect(box, clip);
    if (visible.IsEmpty())
        return;
    const int blockHeight = static_cast<int>(lines.size()) * font.GetHeight();
    int top = box.top;
    if (flags & kTextVCentre)
        top += (box.Height() - blockHeight) / 2;
    for (const Line& line : lines)
    {
        int left = box.left;
        if (flags & kTextCentre)
            left += (box.Width() - font.MeasureWidth(line.text, line.length)) / 2;
        font.DrawLine(target, line.text, line.length, left, top + font.GetAscent(), textColour, visible);
        top += font.GetHeight();
    }
}

} // namespace images
