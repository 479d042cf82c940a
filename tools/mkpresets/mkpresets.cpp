// Compiles the readable factory programs (data/presets.txt) into the presets file read by the plug-in.
// Usage: mkpresets <source.txt> <output.presets>

#include "instrument/programs/PresetSource.h"
#include "instrument/programs/PresetsFile.h"

#include <cstdio>
#include <fstream>
#include <sstream>

using namespace instrument;

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: %s <source.txt> <output.presets>\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in)
    {
        std::fprintf(stderr, "%s: cannot be read\n", argv[1]);
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();
    PresetSource source;
    if (!source.parse(text.str()))
    {
        std::fprintf(stderr, "%s: %s\n", argv[1], source.error().c_str());
        return 1;
    }
    if (!PresetsFile::write(argv[2], source.programs()))
    {
        std::fprintf(stderr, "%s: cannot be written\n", argv[2]);
        std::remove(argv[2]);
        return 1;
    }
    std::printf("%s: %zu programs\n", argv[2], source.programs().size());
    return 0;
}
