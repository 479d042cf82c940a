// virellando-screenshots: renders the editor without a display, through the editor's own code and a
// skin, into PNG files: each lid position, the tone-controls panel open, and a chord held from MIDI.
//
//   virellando-screenshots --skin FILE.SKIN --strings FILE.INI OUTDIR
//   virellando-screenshots --skin FILE.SKIN --strings FILE.INI --overview FILE.png
//
// The second form writes only the picture of the editor as a new instance shows it (for the manual).
#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "editor/EditorEvents.h"
#include "editor/PianoEditor.h"
#include "images/PngCodec.h"
#include "instrument/VstXSynth.h"
#include "platform/Platform.h"
#include "platform/native/HeadlessNativeWindow.h"
#include "resources/StringTable.h"

using namespace gui;
using namespace host;
using namespace images;
using namespace instrument;
using namespace platform;

namespace
{

class Scene
{
public:
    Scene(const std::string& skinFile, const std::string& strings)
        : synth(std::make_unique<VstXSynth>(nullptr)),
          pianoEditor(std::make_unique<editor::PianoEditor>(
              synth.get(),
              [this]
              {
                  auto native = std::make_unique<HeadlessNativeWindow>();
                  headless = native.get();
                  return std::unique_ptr<NativeWindow>(std::move(native));
              }))
    {
        // The instrument names its own string table after the module; the pictures use the shipped one.
        if (!strings.empty())
            resources::StringTableSetFile(strings.c_str());
        pianoEditor->setSkinFile(skinFile);
    }
    ~Scene()
    {
        pianoEditor.reset();
        synth.reset();
    }

    bool open()
    {
        pianoEditor->open(reinterpret_cast<void*>(1));
        if (!pianoEditor->getWindow())
            return false;
        tick();
        return true;
    }
    // A refresh period and its paint.
    void tick()
    {
        headless->AdvanceTime(TWGuiWindow::kRefreshPeriodMs);
        pianoEditor->idle();
    }
    // Host MIDI through the instrument's audio path, as a block would bring it.
    void midi(const std::vector<std::array<int, 3>>& messages)
    {
        std::vector<host::VstMidiEvent> events(messages.size());
        std::vector<unsigned char> raw(sizeof(host::VstEvents) + messages.size() * sizeof(host::VstEvent*));
        auto* list = reinterpret_cast<host::VstEvents*>(raw.data());
        list->numEvents = static_cast<host::VstInt32>(messages.size());
        for (size_t i = 0; i < messages.size(); ++i)
        {
            events[i].type = host::kVstMidiType;
            events[i].byteSize = sizeof(host::VstMidiEvent);
            for (int b = 0; b < 3; ++b)
                events[i].midiData[b] = static_cast<char>(messages[i][b]);
            list->events[i] = reinterpret_cast<host::VstEvent*>(&events[i]);
        }
        synth->processEvents(list);
        float left[64] = {};
        float right[64] = {};
        float* outputs[2] = {left, right};
        synth->processReplacing(nullptr, outputs, 64);
        tick();
    }
    void click(TWGuiObject* object)
    {
        if (!object)
            return;
        const int x = object->GetAbsX() + object->GetWidth() / 2;
        const int y = object->GetAbsY() + object->GetHeight() / 2;
        headless->MoveMouse(x, y);
        headless->Mouse(NativeMouseMessage::kLeftDown, x, y, kKeyStateLeft);
        headless->Mouse(NativeMouseMessage::kLeftUp, x, y, 0);
        // The pointer leaves, so no control is shown hovered.
        headless->MoveMouse(799, 575);
        for (int i = 0; i < 5; ++i)
            tick();
    }
    bool save(const std::string& file)
    {
        tick();
        if (!PngCodec::Save(file.c_str(), headless->GetScreen()))
        {
            std::fprintf(stderr, "virellando-screenshots: cannot write %s\n", file.c_str());
            return false;
        }
        std::printf("%s\n", file.c_str());
        return true;
    }

    std::unique_ptr<VstXSynth> synth;
    std::unique_ptr<editor::PianoEditor> pianoEditor;
    HeadlessNativeWindow* headless = nullptr;
};

bool renderAll(const std::string& skin, const std::string& strings, const std::filesystem::path& folder)
{
    bool ok = true;
    for (int lid = 0; lid < 4; ++lid)
    {
        Scene scene(skin, strings);
        scene.synth->setParameter(0, static_cast<float>(lid) * 0.25f + 0.125f);
        if (!scene.open())
            return false;
        ok = scene.save((folder / ("editor-lid-" + std::to_string(lid) + ".png")).string()) && ok;
    }
    {
        Scene scene(skin, strings);
        if (!scene.open())
            return false;
        scene.click(scene.pianoEditor->getButton(editor::kIdAdjust));
        ok = scene.save((folder / "editor-tone-controls.png").string()) && ok;
    }
    {
        Scene scene(skin, strings);
        if (!scene.open())
            return false;
        // C major over a low C, with the sustain pedal down.
        scene.midi({{0x90, 36, 90},
                    {0x90, 60, 90},
                    {0x90, 64, 90},
                    {0x90, 67, 90},
                    {0x90, 72, 90},
                    {0xB0, 64, 127}});
        ok = scene.save((folder / "editor-chord.png").string()) && ok;
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    // The pictures need no sound bank: the instrument's message about the missing one is not wanted here.
    platform::SetMessageBoxHandler([](const std::string&, const std::string&, unsigned)
                                   { return platform::kIdOk; });
    std::string skin;
    std::string strings;
    std::string overview;
    std::string folder;
    for (int i = 1; i < argc; ++i)
    {
        const std::string option = argv[i];
        if (option == "--skin" && i + 1 < argc)
            skin = argv[++i];
        else if (option == "--strings" && i + 1 < argc)
            strings = argv[++i];
        else if (option == "--overview" && i + 1 < argc)
            overview = argv[++i];
        else
            folder = option;
    }
    if (skin.empty() || (folder.empty() && overview.empty()))
    {
        std::fprintf(stderr, "usage: virellando-screenshots --skin FILE.SKIN [--strings FILE.INI] "
                             "(OUTDIR | --overview FILE.png)\n");
        return 2;
    }
    // A skin names its pictures relative to the plug-in's folder; this program is not the plug-in, so it
    // works from the skin's folder. Paths given relative to where it was started stay valid.
    if (!overview.empty())
        overview = std::filesystem::absolute(overview).string();
    if (!folder.empty())
        folder = std::filesystem::absolute(folder).string();
    if (!strings.empty())
        strings = std::filesystem::absolute(strings).string();
    skin = std::filesystem::absolute(skin).string();
    std::error_code moved;
    std::filesystem::current_path(std::filesystem::path(skin).parent_path(), moved);
    if (!overview.empty())
    {
        Scene scene(skin, strings);
        return scene.open() && scene.save(overview) ? 0 : 1;
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return renderAll(skin, strings, folder) ? 0 : 1;
}
