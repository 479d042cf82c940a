// libFuzzer target: any bytes as the presets file beside the module. The reader either refuses the file or
// keeps a sane count of programs whose names end inside their field.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "instrument/programs/PresetsFile.h"

using namespace instrument;

namespace
{
// One file per fuzzing process, rewritten for every input; the folder goes when the process ends normally.
class ScratchFile
{
public:
    ScratchFile()
    {
        std::random_device random;
        folder =
            std::filesystem::temp_directory_path() / ("virellando-presets-fuzz-" + std::to_string(random()));
        std::filesystem::create_directories(folder);
        path = (folder / "Grand.presets").string();
    }
    ~ScratchFile()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    std::filesystem::path folder;
    std::string path;
};

void check(bool condition)
{
    if (!condition)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static ScratchFile scratch;
    {
        std::ofstream out(scratch.path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    PresetsFile presets;
    const bool read = presets.read(scratch.path.c_str());
    check(read == (presets.count() > 0));
    check(presets.count() >= 0 && presets.count() <= static_cast<int>(PresetsFile::kMaxPrograms));
    check(presets.program(presets.count()) == nullptr);
    for (int i = 0; i < presets.count(); ++i)
    {
        const StoredProgram* program = presets.program(i);
        check(program != nullptr);
        check(std::memchr(program->name, '\0', StoredProgram::kNameSize) != nullptr);
        char shortName[9];
        check(presets.copyName(i, shortName, sizeof shortName));
        check(std::strlen(shortName) < sizeof shortName);
    }
    if (presets.count() > 0)
    {
        // A host renames from a buffer of its own, as long as it likes.
        const std::string name(presets.program(presets.count() - 1)->name);
        presets.rename(0, (name + name).c_str());
        check(std::strlen(presets.program(0)->name) < StoredProgram::kNameSize);
    }
    return 0;
}
