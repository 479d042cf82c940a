#pragma once

#include <ostream>
#include <string>

namespace render
{

// A one-line progress display for a terminal: redrawn in place with a carriage return, and only when
// what it shows has changed, so frequent updates cost nothing.
class ProgressBar
{
public:
    ProgressBar(std::ostream& stream, std::string text, int widthChars = 30);

    // A known share of the work, 0..1.
    void showFraction(double fraction);
    // Work of unknown length: a marker sweeps to and fro beside the time waited so far.
    void showWaiting(double seconds);
    // Ends the line with a closing remark beside the bar as last shown.
    void finish(const std::string& remark);

private:
    void draw(const std::string& bar, const std::string& remark);

    std::ostream& out;
    std::string label;
    int width;
    std::string lastBar;
    std::string lastLine;
};

} // namespace render
