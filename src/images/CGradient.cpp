#include "images/CGradient.h"

#include <algorithm>
#include <cmath>

#include "images/CImage.h"

namespace images
{

namespace
{
constexpr double kPi = 3.14159265358979323846;

// x scaled to 0..1000 across n pixels.
int Along(int x, int n)
{
    return n > 1 ? x * 1000 / (n - 1) : 0;
}

int Linear(int style, int x, int y, int w, int h)
{
    if (style <= 1)
        return Along(x, w);
    return Along(y, h);
}

int Diagonal(int style, int x, int y, int w, int h)
{
    const int across = style == 4 ? Along(x, w) : 1000 - Along(x, w);
    return (across + Along(y, h)) / 2;
}

int Mirrored(int style, int x, int y, int w, int h)
{
    const int p = style == 6 ? Along(x, w) : Along(y, h);
    return 1000 - std::abs(2 * p - 1000);
}

int Radial(int style, int x, int y, int w, int h)
{
    const double cx = style == 9 ? 0.0 : (w - 1) / 2.0;
    const double cy = style == 8 ? (h - 1) / 2.0 : style == 11 ? h - 1.0 : 0.0;
    double farthest = 0;
    for (double px : {0.0, w - 1.0})
        for (double py : {0.0, h - 1.0})
            farthest = std::max(farthest, std::hypot(px - cx, py - cy));
    if (farthest <= 0)
        return 0;
    return std::min(1000, static_cast<int>(std::lround(std::hypot(x - cx, y - cy) * 1000 / farthest)));
}

// Distances from the centre as fractions 0..1000 of the half width and half height.
void CentreOffsets(int x, int y, int w, int h, int& dx, int& dy)
{
    dx = std::abs(2 * Along(x, w) - 1000);
    dy = std::abs(2 * Along(y, h) - 1000);
}

int Rectangular(int style, int x, int y, int w, int h)
{
    int dx, dy;
    CentreOffsets(x, y, w, h, dx, dy);
    const int p = std::max(dx, dy);
    return style == 12 ? p : 1000 - p;
}

int Diamond(int style, int x, int y, int w, int h)
{
    int dx, dy;
    CentreOffsets(x, y, w, h, dx, dy);
    const int p = std::min(1000, (dx + dy) / 2);
    return style == 13 ? p : 1000 - p;
}

int Sweep(int style, int x, int y, int w, int h)
{
    const double start = (style - 16) * kPi / 2;
    double angle = std::atan2(y - (h - 1) / 2.0, x - (w - 1) / 2.0) - start;
    while (angle < 0)
        angle += 2 * kPi;
    while (angle >= 2 * kPi)
        angle -= 2 * kPi;
    return std::min(1000, static_cast<int>(std::lround(angle * 1000 / (2 * kPi))));
}

uint32_t MixChannel(uint32_t upper, uint32_t lower, int p)
{
    return (upper * static_cast<uint32_t>(p) + lower * static_cast<uint32_t>(1000 - p)) / 1000;
}
} // namespace

int CGradient::Position(int style, int x, int y, int w, int h)
{
    if (style < 0 || style >= kStyleCount)
        style = 0;
    if (style <= 3)
        return Linear(style, x, y, w, h);
    if (style <= 5)
        return Diagonal(style, x, y, w, h);
    if (style <= 7)
        return Mirrored(style, x, y, w, h);
    if (style <= 11)
        return Radial(style, x, y, w, h);
    if (style == 12 || style == 14)
        return Rectangular(style, x, y, w, h);
    if (style == 13 || style == 15)
        return Diamond(style, x, y, w, h);
    return Sweep(style, x, y, w, h);
}

ColourRef CGradient::ColourAt(int p, ColourRef start, ColourRef end, const std::vector<ColourStop>& stops)
{
    p = std::clamp(p, 0, 1000);
    ColourStop lower{start, 0};
    ColourStop upper{end, 1000};
    bool haveLower = false, haveUpper = false;
    for (const ColourStop& s : stops)
    {
        if (s.location <= p && (!haveLower || s.location > lower.location))
        {
            lower = s;
            haveLower = true;
        }
        if (s.location >= p && (!haveUpper || s.location < upper.location))
        {
            upper = s;
            haveUpper = true;
        }
    }
    if (upper.location == lower.location)
        return lower.colour;
    const int q = (p - lower.location) * 1000 / (upper.location - lower.location);
    return MakeColourRef(MixChannel(RedOf(upper.colour), RedOf(lower.colour), q),
                         MixChannel(GreenOf(upper.colour), GreenOf(lower.colour), q),
                         MixChannel(BlueOf(upper.colour), BlueOf(lower.colour), q));
}

void CGradient::Draw(CImage& image, int style, ColourRef start, ColourRef end,
                     const std::vector<ColourStop>& stops)
{
    if (!image.IsValid())
        return;
    if (style < 0 || style >= kStyleCount)
        style = 0;
    if (start == end && stops.empty())
    {
        image.Fill(start);
        return;
    }
    std::vector<ColourStop> effective = stops;
    if (style == 1 || style == 2)
    {
        std::swap(start, end);
        for (ColourStop& s : effective)
            s.location = 1000 - s.location;
    }
    uint32_t table[1001];
    for (int p = 0; p <= 1000; ++p)
        table[p] = PixelFromColourRef(ColourAt(p, start, end, effective));
    const int w = image.GetWidth(), h = image.GetHeight();
    for (int y = 0; y < h; ++y)
    {
        uint32_t* row = image.Row(y);
        for (int x = 0; x < w; ++x)
            row[x] = table[Position(style, x, y, w, h)];
    }
}

} // namespace images
