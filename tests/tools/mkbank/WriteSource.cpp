// Writes the small piano source bank of the tests to the given path, for the command-line tests.
#include <cstdio>

#include "tools/mkbank/SourceBank.h"

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: mkbank_write_source PATH\n");
        return 2;
    }
    if (!sfwriter::SoundFontWriter::writeFile(argv[1], mkbank_test::MakePianoSource().bytes()))
    {
        std::fprintf(stderr, "mkbank_write_source: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
