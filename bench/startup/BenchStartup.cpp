// How fast the plug-in starts and how much memory its instances share, with the default sound bank:
//
//   virellando-bench-startup [--rows] [sound bank]
//
// Construction of the first instance against a synchronous load of the same bank through the synthesizer
// library's own loader; the time until the sample data is in; resident memory of one instance against four.
// Every measurement runs in a fresh child process of this program, alternating, and the median counts.
// --rows prints "measure|figure|comparison" lines for scripts/bench instead of the aligned table.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "RiffBank.h"
#include "engine/SoundFontReader.h"
#include "startup/ResultFile.h"
#include "startup/StartupMeasures.h"
#include "support/PluginFolder.h"

namespace fs = std::filesystem;

namespace
{
constexpr int kRuns = 3;
constexpr double kMegabyte = 1024.0 * 1024.0;

std::string quoted(const std::string& text)
{
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// Runs this program again with a mode and its argument; the child writes its figures to a file.
Figures runChild(const fs::path& self, const char* mode, const std::string& argument, const fs::path& folder)
{
    const fs::path out = folder / "figures.txt";
    fs::remove(out);
    const std::string command =
        quoted(self.string()) + " " + mode + " " + quoted(argument) + " " + quoted(out.string());
    if (std::system(command.c_str()) != 0)
        return {};
    return ReadFigures(out.string());
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Row
{
    std::string measure;
    std::string figure;
    std::string comparison;
};

std::string format(const char* pattern, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

void print(const std::vector<Row>& rows, bool asRows)
{
    for (const Row& row : rows)
    {
        if (asRows)
            std::printf("%s|%s|%s\n", row.measure.c_str(), row.figure.c_str(), row.comparison.c_str());
        else
            std::printf("%-46s %12s  %s\n", row.measure.c_str(), row.figure.c_str(), row.comparison.c_str());
    }
}

int childMain(const std::string& mode, const std::string& argument, const std::string& out)
{
    const Figures figures =
        mode == "--library-load" ? MeasureLibraryLoad(argument) : MeasurePluginStart(argument);
    return !figures.empty() && WriteFigures(out, figures) ? 0 : 1;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && (std::string(argv[1]) == "--library-load" || std::string(argv[1]) == "--plugin-start"))
        return childMain(argv[1], argv[2], argv[3]);

    int next = 1;
    const bool asRows = argc > next && std::string(argv[next]) == "--rows";
    if (asRows)
        ++next;
    const fs::path bank = argc > next ? fs::path(argv[next]) : fs::path(VIRELLANDO_BENCH_BANK);
    engine::SoundFontData data;
    if (!engine::SoundFontReader().readFile(bank.string(), data) || data.sampleDataSize == 0)
    {
        std::fprintf(stderr, "No readable sound bank at %s; give one as the argument.\n", bank.c_str());
        return 1;
    }
    const double sampleBytes = data.sampleDataSize;

    const fs::path self = fs::absolute(argv[0]);
    PluginFolder plugin;
    plugin.copyIn(bank, "DAT");
    plugin.addStringTable();
    const RiffBank riff(bank.string());
    if (riff.path().empty())
    {
        std::fprintf(stderr, "Cannot copy %s.\n", bank.c_str());
        return 1;
    }

    std::vector<double> library, construct, loadDone, one, added;
    for (int run = 0; run < kRuns; ++run)
    {
        const Figures lib = runChild(self, "--library-load", riff.path(), plugin.path());
        const Figures start = runChild(self, "--plugin-start", plugin.pluginPath().string(), plugin.path());
        if (lib.empty() || start.empty())
        {
            std::fprintf(stderr, "Run %d failed: %s\n", run + 1,
                         lib.empty() ? "the library could not load the bank" : "the plug-in did not start");
            return 1;
        }
        library.push_back(lib.at("library_load_ms"));
        construct.push_back(start.at("construct_ms"));
        loadDone.push_back(start.at("load_done_ms"));
        one.push_back(start.at("rss_one") - start.at("rss_base"));
        added.push_back(start.at("rss_four") - start.at("rss_one"));
    }

    const double libraryMs = median(library);
    const double constructMs = median(construct);
    const double oneBytes = median(one);
    const double addedBytes = median(added);
    const std::string runs = "median of " + std::to_string(kRuns) + " runs";
    const std::vector<Row> rows = {
        {"Sample data in the bank", format("%.1f MB", sampleBytes / kMegabyte), bank.filename().string()},
        {"Library's synchronous load (fluid_synth_sfload)", format("%.1f ms", libraryMs), runs},
        {"Plug-in construction (first instance)", format("%.1f ms", constructMs),
         format("%.1f %% of the library's load (goal: under 10 %%)", constructMs / libraryMs * 100.0)},
        {"Until the sample data is loaded (request 1004)", format("%.1f ms", median(loadDone)),
         format("%.1f %% of the library's load", median(loadDone) / libraryMs * 100.0)},
        {"Resident memory of one instance", format("%.1f MB", oneBytes / kMegabyte),
         format("%.1f %% of the sample data", oneBytes / sampleBytes * 100.0)},
        {"Three more instances add", format("%.2f MB", addedBytes / kMegabyte),
         format("%.2f %% of the sample data (goal: under 5 %%)", addedBytes / sampleBytes * 100.0)},
    };
    print(rows, asRows);
    return 0;
}
