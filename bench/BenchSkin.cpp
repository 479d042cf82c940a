// The shipped skin's size on disk and the time to load every item the editor asks for, as the
// editor's open does: read the skin file, resolve each item, load its picture through the image
// manager (the 176 key pictures through their prefixes).
//   virellando-bench-skin [--rows] [bundle folder]
// --rows prints "measure|figure|comparison" lines for scripts/bench instead of sentences.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "gui/CSkin.h"
#include "gui/ImageManager.h"
#include "platform/Platform.h"
#include "skinpreview/EditorItems.h"
#include "skinpreview/SkinKeyboard.h"

using namespace gui;
using namespace images;

using skinpreview::EditorItems;
using skinpreview::SkinKeyboard;

namespace
{
constexpr double kSizeGoalMb = 3.0;
constexpr double kTimeGoalMs = 100.0;
constexpr int kRuns = 7;

struct Load
{
    double milliseconds = 0;
    double cpuMilliseconds = 0; // this process's processor time: steadier on a busy machine
    std::set<std::string> files;
    bool complete = true;
};

Load loadEverything(const std::string& bundle)
{
    Load load;
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    CSkin skin;
    load.complete = skin.Load((bundle + "/Virellando.SKIN").c_str());
    ImageManager images;
    std::vector<CImage*> held;
    for (const std::string& item : EditorItems::all())
    {
        SkinItemDefinition definition;
        CImage* image =
            skin.Resolve(item.c_str(), definition) ? images.Get(definition.fileName.c_str()) : nullptr;
        load.complete &= image != nullptr;
        if (image)
            held.push_back(image);
    }
    SkinKeyboard keyboard(skin, images);
    load.complete &= keyboard.loaded();
    load.milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    load.cpuMilliseconds = 1000.0 * (std::clock() - cpuStart) / CLOCKS_PER_SEC;
    for (const CImage* image : held)
        load.files.insert(image->GetFileName());
    for (int key = 0; key < SkinKeyboard::kKeys && load.complete; ++key)
    {
        load.files.insert(keyboard.upImage(key)->GetFileName());
        load.files.insert(keyboard.downImage(key)->GetFileName());
    }
    for (CImage* image : held)
        images.Release(image->GetFileName());
    return load;
}
} // namespace

int main(int argc, char** argv)
{
    int next = 1;
    const bool asRows = argc > next && std::string(argv[next]) == "--rows";
    next += asRows ? 1 : 0;
    const std::string bundle = argc > next ? argv[next] : VIRELLANDO_BENCH_BUNDLE;
    platform::SetModuleFileName(bundle + "/Virellando.so");

    std::vector<double> times;
    std::vector<double> cpuTimes;
    Load first;
    for (int run = 0; run < kRuns; ++run)
    {
        Load load = loadEverything(bundle);
        if (!load.complete)
        {
            std::fprintf(stderr, "%s: the skin lacks pictures the editor asks for\n", bundle.c_str());
            return 1;
        }
        times.push_back(load.milliseconds);
        cpuTimes.push_back(load.cpuMilliseconds);
        if (run == 0)
            first = load;
    }
    std::uintmax_t bytes = std::filesystem::file_size(bundle + "/Virellando.SKIN");
    for (const std::string& file : first.files)
        bytes += std::filesystem::file_size(file);
    std::sort(times.begin(), times.end());
    std::sort(cpuTimes.begin(), cpuTimes.end());
    const double megabytes = bytes / 1e6;
    const double median = times[times.size() / 2];
    const double cpuMedian = cpuTimes[cpuTimes.size() / 2];

    if (asRows)
    {
        std::printf("Skin size, %zu pictures and the skin file|%.2f MB|goal under %.0f MB\n",
                    first.files.size(), megabytes, kSizeGoalMb);
        std::printf(
            "Skin, loading every item (median of %d)|%.1f ms|goal under %.0f ms; %.1f ms of processor "
            "time; first load %.1f ms\n",
            kRuns, median, kTimeGoalMs, cpuMedian, first.milliseconds);
        return 0;
    }
    std::printf("Skin: %zu pictures and the skin file, %.2f MB (goal: under %.0f MB)\n", first.files.size(),
                megabytes, kSizeGoalMb);
    std::printf("Loading every item the editor asks for: %.1f ms median of %d (%.1f ms of processor time), "
                "first %.1f ms (goal: under %.0f ms)\n",
                median, kRuns, cpuMedian, first.milliseconds, kTimeGoalMs);
    return 0;
}
