#include "render/ProgressBar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace render
{

ProgressBar::ProgressBar(std::ostream& stream, std::string text, int widthChars)
    : out(stream), label(std::move(text)), width(std::max(widthChars, 4))
{
}

void ProgressBar::draw(const std::string& bar, const std::string& remark)
{
    const std::string line = label + " [" + bar + "] " + remark;
    if (line == lastLine)
        return;
    // Blanks cover what is left of a longer previous line.
    const size_t cover = lastLine.size() > line.size() ? lastLine.size() - line.size() : 0;
    out << '\r' << line << std::string(cover, ' ') << std::flush;
    lastBar = bar;
    lastLine = line;
}

void ProgressBar::showFraction(double fraction)
{
    if (!(fraction >= 0.0))
        fraction = 0.0;
    fraction = std::min(fraction, 1.0);
    const int filled = int(fraction * width);
    char percent[8];
    std::snprintf(percent, sizeof percent, "%3d%%", int(fraction * 100.0));
    draw(std::string(size_t(filled), '#') + std::string(size_t(width - filled), '.'), percent);
}

void ProgressBar::showWaiting(double seconds)
{
    // Four steps a second across the free width and back.
    const int travel = width - 3;
    const int step = int(std::max(seconds, 0.0) * 4.0) % (2 * travel);
    const int position = step <= travel ? step : 2 * travel - step;
    std::string bar(size_t(width), ' ');
    bar.replace(size_t(position), 3, "<=>");
    char elapsed[32];
    std::snprintf(elapsed, sizeof elapsed, "%.1f s", seconds);
    draw(bar, elapsed);
}

void ProgressBar::finish(const std::string& remark)
{
    draw(lastBar.empty() ? std::string(size_t(width), '.') : lastBar, remark);
    out << '\n' << std::flush;
    lastBar.clear();
    lastLine.clear();
}

} // namespace render
