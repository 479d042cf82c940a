#include "skinpreview/EditorItems.h"

namespace skinpreview
{
std::vector<std::string> EditorItems::sliders()
{
    return {"Slider", "SliderShort", "SliderSmall"};
}

std::vector<std::string> EditorItems::buttons()
{
    return {"Lid Up Button", "Lid Down Button", "Help Button",    "Adjust Button",
            "Dropdown",      "Dialog Close",    "Dialog Dropdown"};
}

std::vector<std::string> EditorItems::keyPrefixes()
{
    return {"Piano Keys Up Prefix", "Piano Keys Down Prefix"};
}

std::vector<std::string> EditorItems::all()
{
    std::vector<std::string> items = {"Piano-0",       "Piano-1",       "Piano-2",       "Piano-3",
                                      "Pedals-UpUp",   "Pedals-DownUp", "Pedals-UpDown", "Pedals-DownDown",
                                      "Control Panel", "Tone Controls", "splash"};
    for (const std::string& prefix : keyPrefixes())
        items.push_back(prefix);
    for (const std::string& slider : sliders())
        for (const char* part : {"-base", "-slider", "-slider-hi"})
            items.push_back(slider + part);
    for (const std::string& button : buttons())
        for (int state = 0; state < 4; ++state)
            items.push_back(button + "-" + std::to_string(state));
    return items;
}
} // namespace skinpreview
