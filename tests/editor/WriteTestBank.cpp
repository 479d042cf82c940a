// write-piano-test-bank FILE: a small sound bank whose keys play looped tones at their own pitch, for
// the tests that listen to the plug-in under a display server.
#include <cstdio>
#include <fstream>

#include "instrument/PianoTestBanks.h"

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: write-piano-test-bank FILE\n");
        return 2;
    }
    const std::vector<uint8_t> bank = instrumenttest::TunedBank();
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bank.data()), static_cast<std::streamsize>(bank.size()));
    return out ? 0 : 1;
}
