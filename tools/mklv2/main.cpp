// virellando-mklv2: writes the LV2 bundle's Turtle files from the instrument itself. It creates the
// instrument, as the LV2 plug-in does, in a scratch folder with the string table and factory programs of a
// built bundle, asks it for its names, parameters and programs, and writes manifest.ttl, Virellando.ttl and
// presets.ttl into the LV2 bundle.
//
//   virellando-mklv2 SOURCE-BUNDLE LV2-BUNDLE
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "host/InstrumentDriver.h"
#include "host/InstrumentEntry.h"
#include "mklv2/InstrumentDescription.h"
#include "mklv2/TurtleWriter.h"
#include "platform/Platform.h"

namespace fs = std::filesystem;

namespace
{
// The instrument is only asked: it renders nothing and opens no editor, so its requests need no answer.
class QuietHost : public host::FormatHost
{
public:
    void parameterEdited(int, float) override {}
    void latencyChanged(int) override {}
    bool resizeEditor(int, int) override { return false; }
};

bool writeFile(const fs::path& path, const std::string& text)
{
    const fs::path partial = fs::path(path).concat(".part");
    {
        std::ofstream out(partial, std::ios::binary);
        out << text;
        if (!out.flush())
            return false;
    }
    std::error_code error;
    fs::rename(partial, path, error);
    return !error;
}

// A folder of its own for the instrument's files and log, removed again.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        std::random_device random;
        path = fs::temp_directory_path() / ("virellando-mklv2-" + std::to_string(random()));
        fs::create_directories(path);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path;
};
} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: virellando-mklv2 SOURCE-BUNDLE LV2-BUNDLE\n");
        return 2;
    }
    const fs::path source = argv[1];
    const fs::path bundle = argv[2];
    try
    {
        ScratchFolder scratch;
        for (const char* file : {"Virellando.INI", "Virellando.presets"})
            if (fs::exists(source / file))
                fs::copy_file(source / file, scratch.path / file);
        platform::SetModuleFileName((scratch.path / "Virellando.so").string());

        QuietHost quiet;
        host::InstrumentDriver driver(quiet);
        if (!driver.open(host::ModuleInstrument(), 48000.0, host::InstrumentDriver::kDefaultBlockFrames))
        {
            std::fprintf(stderr, "virellando-mklv2: the instrument could not be created\n");
            return 1;
        }
        const mklv2::InstrumentDescription description = mklv2::InstrumentDescription::of(driver);
        driver.close();
        const mklv2::TurtleWriter writer(description);
        fs::create_directories(bundle);
        if (!writeFile(bundle / "manifest.ttl", writer.manifest()) ||
            !writeFile(bundle / "Virellando.ttl", writer.plugin()) ||
            !writeFile(bundle / "presets.ttl", writer.presets()))
        {
            std::fprintf(stderr, "virellando-mklv2: cannot write into %s\n", bundle.string().c_str());
            return 1;
        }
        std::printf("%s: %zu parameters, %zu presets\n", bundle.string().c_str(),
                    description.parameters.size(), description.programs.size());
        return 0;
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "virellando-mklv2: %s\n", error.what());
        return 1;
    }
}
