#include "images/CCanvas.h"

#include <cstring>
#include <vector>

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

CCanvas::CCanvas(CImage& target, const Rect& clip, Point origin)
    : target_(target), clip_(Intersect(clip, target.GetRect())), origin_(origin)
{
}

void CCanvas::ClipTo(const Rect& r)
{
    clip_ = Intersect(clip_, r.Offset(origin_.x, origin_.y));
}

void CCanvas::FillRect(const Rect& r, ColourRef colour)
{
    target_.FillRect(Intersect(r.Offset(origin_.x, origin_.y), clip_), colour);
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
    const Rect dest{x + origin_.x, y + origin_.y, x + origin_.x + src.Width(), y + origin_.y + src.Height()};
    const Rect visible = Intersect(dest, clip_);
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
        target_.CopyRect(image, s, x, y);
}

void CCanvas::BlendImage(const CImage& image, const Rect& src, int x, int y, int opacityPercent)
{
    Rect s = src;
    if (ClipTransfer(s, x, y))
        target_.BlendRect(image, s, x, y, opacityPercent);
}

void CCanvas::AlphaBlendImage(const CImage& image, const Rect& src, int x, int y, int opacityPercent)
{
    Rect s = src;
    if (ClipTransfer(s, x, y))
        target_.AlphaBlendRect(image, s, x, y, opacityPercent);
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
    const Rect box = r.Offset(origin_.x, origin_.y);
    const Rect clip = Intersect(box, clip_);
    if (clip.IsEmpty())
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
        font.DrawLine(target_, line.text, line.length, left, top + font.GetAscent(), textColour, clip);
        top += font.GetHeight();
    }
}

} // namespace images
