// What the editor costs: how long it takes to open, how much CPU it takes while open with nothing changing
// and while a fast MIDI piece lights its keys, and the worst audio block with the editor open against closed.
//
//   virellando-bench-editor [--rows] [--skin FILE.SKIN]
//
// The editor runs in this process on the system's window when there is a display, else on a window
// without a screen (the figures then leave out the display server's share). The skin is the given one, the
// bundle's, or the generated test skin. The audio thread renders real-time blocks of 256 frames through the
// instrument's effects (no sound bank is loaded: the figures are the editor's, not the synthesizer's).
// --rows prints "measure|figure|comparison" lines for scripts/bench instead of the aligned table.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "editor/PianoEditor.h"
#include "instrument/VstXSynth.h"
#include "platform/Platform.h"
#include "platform/native/HeadlessNativeWindow.h"
#include "testskin/TestSkin.h"

using namespace host;
using namespace instrument;
using namespace platform;

namespace
{
using Clock = std::chrono::steady_clock;
constexpr int kOpenRuns = 10;
constexpr auto kMeasureTime = std::chrono::seconds(5);
constexpr auto kIdlePeriod = std::chrono::milliseconds(40);
constexpr int kBlockFrames = 256;
constexpr float kRate = 44100.0f;

double milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// Process CPU time in seconds (all threads).
double cpuSeconds()
{
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

class Rig
{
public:
    Rig(const std::string& skin, bool display)
        : synth(std::make_unique<VstXSynth>(nullptr)), useDisplay(display)
    {
        pianoEditor =
            std::make_unique<editor::PianoEditor>(synth.get(),
                                                  [this]
                                                  {
                                                      if (useDisplay)
                                                          return NativeWindow::CreateDefault();
                                                      auto native = std::make_unique<HeadlessNativeWindow>();
                                                      headless = native.get();
                                                      return std::unique_ptr<NativeWindow>(std::move(native));
                                                  });
        pianoEditor->setSkinFile(skin);
    }
    ~Rig()
    {
        stopAudio();
        pianoEditor.reset();
        synth.reset();
    }
    void idle()
    {
        if (headless)
            headless->AdvanceTime(static_cast<unsigned>(kIdlePeriod.count()));
        pianoEditor->idle();
    }
    // Idles like a host every 40 ms for a while.
    void idleFor(Clock::duration span)
    {
        if (!pianoEditor->getWindow())
        {
            std::this_thread::sleep_for(span);
            return;
        }
        auto next = Clock::now();
        const auto end = next + span;
        while (Clock::now() < end)
        {
            idle();
            next += kIdlePeriod;
            std::this_thread::sleep_until(next);
        }
    }
    // Renders real-time blocks on a thread of its own; with notes, a new key every block, across the
    // keyboard.
    void startAudio(bool notes)
    {
        worstBlock = 0;
        running = true;
        audio = std::thread(
            [this, notes]
            {
                std::vector<float> left(kBlockFrames);
                std::vector<float> right(kBlockFrames);
                float* outputs[2] = {left.data(), right.data()};
                host::VstMidiEvent events[2] = {};
                unsigned char raw[sizeof(host::VstEvents) + sizeof(host::VstEvent*)] = {};
                auto* list = reinterpret_cast<host::VstEvents*>(raw);
                int key = 0;
                auto next = Clock::now();
                const auto period =
                    std::chrono::nanoseconds(static_cast<long long>(kBlockFrames * 1e9 / kRate));
                while (running)
                {
                    list->numEvents = 0;
                    if (notes)
                    {
                        const int on = 21 + key % 88;
                        const int off = 21 + (key + 80) % 88;
                        for (int i = 0; i < 2; ++i)
                        {
                            events[i].type = host::kVstMidiType;
                            events[i].byteSize = sizeof(host::VstMidiEvent);
                            events[i].midiData[0] = static_cast<char>(i == 0 ? 0x90 : 0x80);
                            events[i].midiData[1] = static_cast<char>(i == 0 ? on : off);
                            events[i].midiData[2] = 90;
                            list->events[i] = reinterpret_cast<host::VstEvent*>(&events[i]);
                        }
                        list->numEvents = 2;
                        ++key;
                    }
                    const auto begin = Clock::now();
                    synth->processEvents(list);
                    synth->processReplacing(nullptr, outputs, kBlockFrames);
                    worstBlock = std::max(worstBlock.load(), milliseconds(Clock::now() - begin));
                    next += period;
                    std::this_thread::sleep_until(next);
                }
            });
    }
    void stopAudio()
    {
        running = false;
        if (audio.joinable())
            audio.join();
    }

    std::unique_ptr<VstXSynth> synth;
    std::unique_ptr<editor::PianoEditor> pianoEditor;
    HeadlessNativeWindow* headless = nullptr;
    bool useDisplay;
    std::thread audio;
    std::atomic<bool> running{false};
    std::atomic<double> worstBlock{0.0};
};

struct Row
{
    std::string measure;
    std::string figure;
    std::string comparison;
};

// CPU share of one core over a span of wall time, in percent.
double percentOfCore(double cpu, Clock::duration wall)
{
    return 100.0 * cpu / std::chrono::duration<double>(wall).count();
}

// Runs the audio with fast MIDI for the measuring time, with the editor open or closed; CPU in percent of
// a core and the worst block in ms.
void fastMidiRun(Rig& rig, bool open, double& cpu, double& worst)
{
    if (open)
        rig.pianoEditor->open(nullptr);
    rig.startAudio(true);
    // The first blocks wake the effects up; they are not what the editor costs.
    rig.idleFor(std::chrono::milliseconds(500));
    rig.worstBlock = 0.0;
    const double cpuBefore = cpuSeconds();
    const auto start = Clock::now();
    rig.idleFor(kMeasureTime);
    cpu = percentOfCore(cpuSeconds() - cpuBefore, Clock::now() - start);
    rig.stopAudio();
    worst = rig.worstBlock;
    if (open)
        rig.pianoEditor->close();
}

std::string format(const char* pattern, double value)
{
    char text[160];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}
} // namespace

int main(int argc, char** argv)
{
    bool rows = false;
    std::string skin;
    for (int i = 1; i < argc; ++i)
    {
        const std::string option = argv[i];
        if (option == "--rows")
            rows = true;
        else if (option == "--skin" && i + 1 < argc)
            skin = argv[++i];
    }
    if (skin.empty() && std::filesystem::exists(VIRELLANDO_BUNDLE_SKIN))
        skin = VIRELLANDO_BUNDLE_SKIN;
    std::string skinName = skin.empty() ? "the test skin" : "the bundle's skin";
    if (skin.empty())
    {
        skin =
            (std::filesystem::temp_directory_path() / "virellando-bench-editor" / "Virellando.SKIN").string();
        std::filesystem::create_directories(std::filesystem::path(skin).parent_path());
        if (!testskin::Write(skin))
        {
            std::fprintf(stderr, "virellando-bench-editor: cannot write the test skin\n");
            return 1;
        }
    }
    // The skin names its pictures relative to the plug-in's folder; this program works from the skin's.
    std::error_code moved;
    std::filesystem::current_path(std::filesystem::path(skin).parent_path(), moved);
    platform::SetMessageBoxHandler([](const std::string&, const std::string&, unsigned)
                                   { return platform::kIdOk; });
    const char* display = std::getenv("DISPLAY");
    const bool useDisplay = display && *display && CreateStandaloneNativePopup() != nullptr;
    const std::string where = useDisplay ? "X11 window" : "window without a screen";

    std::vector<Row> table;
    {
        Rig rig(skin, useDisplay);
        std::vector<double> times;
        for (int run = 0; run < kOpenRuns; ++run)
        {
            const auto start = Clock::now();
            rig.pianoEditor->open(nullptr);
            rig.idle(); // the first paint
            times.push_back(milliseconds(Clock::now() - start));
            rig.pianoEditor->close();
        }
        std::sort(times.begin(), times.end());
        table.push_back({"Editor open and first paint (" + skinName + ", " + where + ")",
                         format("%.1f ms", times[times.size() / 2]),
                         format("median of 10, slowest %.1f ms; goal under 150 ms", times.back())});
    }
    {
        Rig rig(skin, useDisplay);
        rig.pianoEditor->open(nullptr);
        rig.idleFor(std::chrono::milliseconds(400));
        const double cpuBefore = cpuSeconds();
        const auto start = Clock::now();
        rig.idleFor(kMeasureTime);
        const double cpu = percentOfCore(cpuSeconds() - cpuBefore, Clock::now() - start);
        table.push_back({"Editor open, nothing changing", format("%.2f %% of a core", cpu),
                         "idle every 40 ms for 5 s; goal under 1 %"});
    }
    {
        Rig rig(skin, useDisplay);
        double cpuClosed = 0.0, worstClosed = 0.0, cpuOpen = 0.0, worstOpen = 0.0;
        fastMidiRun(rig, false, cpuClosed, worstClosed);
        fastMidiRun(rig, true, cpuOpen, worstOpen);
        table.push_back(
            {"Refresh while fast MIDI lights the keys", format("%.2f %% of a core", cpuOpen - cpuClosed),
             format("172 notes a second for 5 s; the process takes %.2f %% with the editor open", cpuOpen) +
                 format(", %.2f %% closed", cpuClosed)});
        table.push_back(
            {"Worst audio block, editor open", format("%.3f ms", worstOpen),
             format("against %.3f ms with the editor closed; a block lasts 5.8 ms", worstClosed)});
    }

    if (rows)
    {
        for (const Row& row : table)
            std::printf("%s|%s|%s\n", row.measure.c_str(), row.figure.c_str(), row.comparison.c_str());
        return 0;
    }
    size_t w1 = 7, w2 = 6;
    for (const Row& row : table)
    {
        w1 = std::max(w1, row.measure.size());
        w2 = std::max(w2, row.figure.size());
    }
    std::printf("%-*s | %*s | %s\n", static_cast<int>(w1), "Measure", static_cast<int>(w2), "Figure",
                "Against");
    for (const Row& row : table)
        std::printf("%-*s | %*s | %s\n", static_cast<int>(w1), row.measure.c_str(), static_cast<int>(w2),
                    row.figure.c_str(), row.comparison.c_str());
    return 0;
}
