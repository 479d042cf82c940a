// Draws every picture of Virellando's skin and writes the skin file that names them.
// Usage: virellando-mkskin <bundle folder>
//   writes <bundle folder>/Virellando.SKIN and its pictures into <bundle folder>/skin/.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "mkskin/ControlPainter.h"
#include "mkskin/FontBook.h"
#include "mkskin/KeyImageSet.h"
#include "mkskin/KeyboardGeometry.h"
#include "mkskin/PanelPainter.h"
#include "mkskin/PianoPainter.h"
#include "mkskin/SkinFile.h"
#include "mkskin/SkinLayout.h"
#include "mkskin/Surface.h"

namespace mkskin
{
namespace
{
const char* const kFolder = "skin";

class SkinBuilder
{
public:
    explicit SkinBuilder(const std::string& folder) : bundle(folder), pictures(folder + "/" + kFolder) {}

    bool build();
    uintmax_t bytes() const { return totalBytes; }
    int files() const { return fileCount; }

private:
    // Writes a finished picture and names it in the skin under item.
    bool save(Surface& surface, const std::string& item, const std::string& fileName);
    bool buildPiano();
    bool buildKeys();
    bool buildControls();
    bool buildPanels();

    std::string bundle;
    std::string pictures;
    FontBook fonts;
    KeyboardGeometry geometry;
    SkinFile skin;
    uintmax_t totalBytes = 0;
    int fileCount = 0;
};

bool SkinBuilder::save(Surface& surface, const std::string& item, const std::string& fileName)
{
    const std::string path = pictures + "/" + fileName;
    if (!surface.writePng(path))
    {
        std::fprintf(stderr, "mkskin: %s cannot be written\n", path.c_str());
        return false;
    }
    if (!item.empty())
        skin.addImage(item, std::string(kFolder) + "/" + fileName);
    totalBytes += std::filesystem::file_size(path);
    ++fileCount;
    return true;
}

bool SkinBuilder::buildPiano()
{
    const PianoPainter painter(fonts, geometry);
    for (int lid = 0; lid < 4; ++lid)
    {
        Surface piano(kPianoWidth, kPianoHeight, false);
        painter.paint(piano.cr(), lid, false, false);
        const std::string name = "Piano-" + std::to_string(lid);
        if (!save(piano, name, name + ".png"))
            return false;
    }
    // The pedals' four pictures are cut from the piano, so they sit on it without a seam.
    const char* const states[2] = {"Up", "Down"};
    for (int sustain = 0; sustain < 2; ++sustain)
        for (int soft = 0; soft < 2; ++soft)
        {
            Surface piano(kPianoWidth, kPianoHeight, false);
            painter.paint(piano.cr(), 3, soft != 0, sustain != 0);
            Surface pedals(kPedalsWidth, kPedalsHeight, false);
            piano.copyInto(pedals, kPedalsX, kPedalsY);
            const std::string name = std::string("Pedals-") + states[soft] + states[sustain];
            if (!save(pedals, name, name + ".png"))
                return false;
        }
    return true;
}

bool SkinBuilder::buildKeys()
{
    if (!KeyImageSet(geometry).write(pictures))
    {
        std::fprintf(stderr, "mkskin: the key pictures cannot be written into %s\n", pictures.c_str());
        return false;
    }
    for (int down = 0; down <= 1; ++down)
        for (int i = 0; i < KeyboardGeometry::kKeys; ++i)
        {
            totalBytes += std::filesystem::file_size(pictures + "/" + KeyImageSet::fileName(down != 0, i));
            ++fileCount;
        }
    // The keyboard finds all 88 pictures of a kind from the name of key 0's.
    skin.addImage("Piano Keys Up Prefix", std::string(kFolder) + "/" + KeyImageSet::fileName(false, 0));
    skin.addImage("Piano Keys Down Prefix", std::string(kFolder) + "/" + KeyImageSet::fileName(true, 0));
    skin.addAlias("Keys", "Piano Keys Up Prefix");
    return true;
}

bool SkinBuilder::buildControls()
{
    const ControlPainter painter(fonts);
    const struct
    {
        const char* item;
        const char* file;
        SliderSize size;
    } sliders[] = {{"Slider", "Slider", kSlider},
                   {"SliderShort", "SliderShort", kSliderShort},
                   {"SliderSmall", "SliderSmall", kSliderSmall}};
    for (const auto& s : sliders)
    {
        Surface base(s.size.baseWidth, s.size.baseHeight, true);
        painter.paintSliderBase(base.cr(), s.size);
        Surface knob(s.size.knobWidth, s.size.knobHeight, true);
        painter.paintSliderKnob(knob.cr(), s.size, false);
        Surface lit(s.size.knobWidth, s.size.knobHeight, true);
        painter.paintSliderKnob(lit.cr(), s.size, true);
        const std::string item = s.item;
        const std::string file = s.file;
        if (!save(base, item + "-base", file + "-base.png") ||
            !save(knob, item + "-slider", file + "-slider.png") ||
            !save(lit, item + "-slider-hi", file + "-slider-hi.png"))
            return false;
    }
    const struct
    {
        const char* item;
        const char* file;
        ButtonKind kind;
        int width;
        int height;
    } buttons[] = {
        {"Lid Up Button", "LidUp", ButtonKind::LidUp, kLidButtonSize, kLidButtonSize},
        {"Lid Down Button", "LidDown", ButtonKind::LidDown, kLidButtonSize, kLidButtonSize},
        {"Help Button", "Help", ButtonKind::Help, kHelpSize, kHelpSize},
        {"Adjust Button", "Adjust", ButtonKind::Adjust, kAdjustWidth, kAdjustHeight},
        {"Dropdown", "Dropdown", ButtonKind::Dropdown, kDropdownWidth, kDropdownHeight},
        {"Dialog Close", "DialogClose", ButtonKind::Close, kCloseSize, kCloseSize},
        {"Dialog Dropdown", "DialogDropdown", ButtonKind::Dropdown, kDialogDropdownWidth, kDropdownHeight},
    };
    for (const auto& b : buttons)
        for (int state = 0; state < 4; ++state)
        {
            Surface button(b.width, b.height, true);
            painter.paintButton(button.cr(), b.kind, b.width, b.height, state);
            const std::string suffix = "-" + std::to_string(state);
            if (!save(button, b.item + suffix, b.file + suffix + ".png"))
                return false;
        }
    return true;
}

bool SkinBuilder::buildPanels()
{
    const PanelPainter painter(fonts, geometry);
    Surface panel(kPanelWidth, kPanelHeight, false);
    painter.paintControlPanel(panel.cr());
    Surface dialog(kDialogSize, kDialogSize, false);
    painter.paintToneControls(dialog.cr());
    Surface splash(kSplashWidth, kSplashHeight, false);
    painter.paintSplash(splash.cr());
    return save(panel, "Control Panel", "ControlPanel.png") &&
           save(dialog, "Tone Controls", "ToneControls.png") && save(splash, "splash", "Splash.png");
}

bool SkinBuilder::build()
{
    if (!fonts.ready())
        return false;
    std::error_code error;
    std::filesystem::create_directories(pictures, error);
    if (error)
    {
        std::fprintf(stderr, "mkskin: %s cannot be made: %s\n", pictures.c_str(), error.message().c_str());
        return false;
    }
    if (!buildPiano() || !buildKeys() || !buildControls() || !buildPanels())
        return false;
    const std::string path = bundle + "/Virellando.SKIN";
    if (!skin.write(path))
    {
        std::fprintf(stderr, "mkskin: %s cannot be written\n", path.c_str());
        return false;
    }
    totalBytes += std::filesystem::file_size(path);
    return true;
}
} // namespace
} // namespace mkskin

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s <bundle folder>\n", argv[0]);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    mkskin::SkinBuilder builder(argv[1]);
    if (!builder.build())
        return 1;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s/Virellando.SKIN: %d pictures, %.2f MB, drawn in %.1f s\n", argv[1], builder.files(),
                builder.bytes() / 1e6, seconds);
    return 0;
}
