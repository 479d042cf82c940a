// Puts the editor's window together from the built skin, as the editor draws it, for each lid
// position with all keys up and with a chord held (sustain pedal down), and once with the tone
// controls dialog open; writes the pictures as PNG files to look at.
// Usage: virellando-skin-preview <bundle folder> <output folder>

#include <cstdio>
#include <filesystem>
#include <string>

#include "gui/CSkin.h"
#include "gui/ImageManager.h"
#include "images/PngCodec.h"
#include "platform/Platform.h"
#include "skinpreview/EditorPicture.h"

using namespace gui;
using namespace images;

using skinpreview::EditorPicture;
using skinpreview::EditorState;

namespace
{
// C major across the keyboard: C2, and C4, E4, G4, C5 (key = MIDI note - 21).
constexpr int kChord[] = {15, 39, 43, 46, 51};

bool write(EditorPicture& picture, const EditorState& state, const std::string& path)
{
    CImage image;
    picture.draw(state, image);
    if (!picture.missing().empty())
        std::fprintf(stderr, "%s: the skin lacks\n%s", path.c_str(), picture.missing().c_str());
    if (!PngCodec::Save(path.c_str(), image))
    {
        std::fprintf(stderr, "%s cannot be written\n", path.c_str());
        return false;
    }
    std::printf("%s\n", path.c_str());
    return picture.missing().empty();
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: %s <bundle folder> <output folder>\n", argv[0]);
        return 2;
    }
    const std::string bundle = argv[1];
    const std::string output = argv[2];
    std::filesystem::create_directories(output);
    // The skin finds its pictures beside the module, as in the plug-in.
    platform::SetModuleFileName(bundle + "/Virellando.so");
    CSkin skin;
    if (!skin.Load((bundle + "/Virellando.SKIN").c_str()))
    {
        std::fprintf(stderr, "%s/Virellando.SKIN cannot be read\n", bundle.c_str());
        return 1;
    }
    ImageManager images;
    EditorPicture picture(skin, images);
    bool complete = true;
    for (int lid = 0; lid < 4; ++lid)
    {
        EditorState state;
        state.lidPosition = lid;
        const std::string stem = output + "/editor-lid" + std::to_string(lid);
        complete &= write(picture, state, stem + "-keys-up.png");
        for (int key : kChord)
            state.held[key] = true;
        state.sustainDown = true;
        complete &= write(picture, state, stem + "-chord.png");
    }
    EditorState dialog;
    dialog.toneDialog = true;
    dialog.softDown = true;
    complete &= write(picture, dialog, output + "/editor-tone-controls.png");
    return complete ? 0 : 1;
}
