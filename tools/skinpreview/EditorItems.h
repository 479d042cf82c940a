#pragma once
// The names of every skin item that the editor, its controls, the tone controls dialog and the
// splash screen ask for, as the editor's layout names them; the key pictures are named through the
// two prefix items.
#include <string>
#include <vector>

namespace skinpreview
{
struct EditorItems
{
    static std::vector<std::string> all();
    static std::vector<std::string> sliders();     // "Slider", ...: each has -base, -slider, -slider-hi
    static std::vector<std::string> buttons();     // "Lid Up Button", ...: each has -0 to -3
    static std::vector<std::string> keyPrefixes(); // up, then down
};
} // namespace skinpreview
