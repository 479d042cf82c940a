// Figures for the lookups the editor makes while it builds its widgets: skin
// values from the sorted ini reader and texts from the string table.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "resources/CIniFileReader.h"
#include "resources/StringTable.h"

using namespace resources;

namespace
{

// A folder of its own under the system's temporary folder, removed with its files.
class TempFolder
{
public:
    TempFolder()
        : folder(std::filesystem::temp_directory_path() /
                 ("virellando-bench-" + std::to_string(std::random_device()())))
    {
        std::filesystem::create_directories(folder);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    std::string Write(const std::string& name, const std::string& text) const
    {
        const std::filesystem::path path = folder / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

private:
    std::filesystem::path folder;
};

constexpr int kSections = 200;
constexpr int kKeys = 24;

std::string SkinText()
{
    std::string text;
    for (int s = 0; s < kSections; ++s)
    {
        text += "[Skin Item " + std::to_string((s * 37) % kSections) + "]\r\n";
        for (int k = 0; k < kKeys; ++k)
        {
            text += "Key Name " + std::to_string((k * 7) % kKeys) + " = value " + std::to_string(k) + "\r\n";
        }
    }
    return text;
}

void LookupAll(benchmark::State& state, bool sort)
{
    TempFolder folder;
    CIniFileReader reader;
    reader.Load(folder.Write("bench.SKIN", SkinText()).c_str(), sort);
    std::vector<std::string> sections;
    std::vector<std::string> keys;
    for (int s = 0; s < kSections; ++s)
        sections.push_back("SKIN ITEM " + std::to_string(s));
    for (int k = 0; k < kKeys; ++k)
        keys.push_back("key name " + std::to_string(k));
    char out[256];
    for (auto _ : state)
    {
        // One item at a time, every key of it: the editor's pattern.
        for (const std::string& section : sections)
        {
            for (const std::string& key : keys)
            {
                benchmark::DoNotOptimize(reader.GetValue(section.c_str(), key.c_str(), "", out, sizeof out));
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * kSections * kKeys);
}

void BM_IniLookupSorted(benchmark::State& state)
{
    LookupAll(state, true);
}
void BM_IniLookupUnsorted(benchmark::State& state)
{
    LookupAll(state, false);
}

void BM_IniLoadAndSort(benchmark::State& state)
{
    TempFolder folder;
    const std::string path = folder.Write("bench.SKIN", SkinText());
    for (auto _ : state)
    {
        CIniFileReader reader;
        benchmark::DoNotOptimize(reader.Load(path.c_str(), true));
    }
}

std::string StringFile(const TempFolder& folder)
{
    std::string text = "[Strings]\n";
    for (int i = 0; i < 60; ++i)
        text += "Text Key " + std::to_string(i) + "=Some user-visible text\n";
    return folder.Write("bench.INI", text);
}

void BM_StringTableCached(benchmark::State& state)
{
    TempFolder folder;
    resources::StringTableSetFile(StringFile(folder).c_str());
    char out[256];
    resources::StringTableLookup("Text Key 59", out, sizeof out);
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(resources::StringTableLookup("Text Key 59", out, sizeof out));
    }
}

void BM_StringTableFromFile(benchmark::State& state)
{
    TempFolder folder;
    const std::string file = StringFile(folder);
    char out[256];
    for (auto _ : state)
    {
        // A named file is read afresh on every lookup.
        benchmark::DoNotOptimize(resources::StringTableLookup("Text Key 59", out, sizeof out, file.c_str()));
    }
}

BENCHMARK(BM_IniLookupSorted);
BENCHMARK(BM_IniLookupUnsorted);
BENCHMARK(BM_IniLoadAndSort);
BENCHMARK(BM_StringTableCached);
BENCHMARK(BM_StringTableFromFile);

} // namespace

BENCHMARK_MAIN();
