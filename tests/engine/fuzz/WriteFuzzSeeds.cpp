// Writes the seed banks for the reader's fuzz target into the directory given.
#include <cstdio>
#include <string>

#include "engine/TestBank.h"

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s corpus-directory\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const enginetest::TestBank rich = enginetest::MakeRichBank();
    const bool written =
        sfwriter::SoundFontWriter::writeFile(dir + "/rich-riff.sf2", rich.bytes()) &&
        sfwriter::SoundFontWriter::writeFile(dir + "/rich-tal.sf2", rich.bytes(sfwriter::FirstTag::Tal)) &&
        sfwriter::SoundFontWriter::writeFile(dir + "/simple.sf2", enginetest::MakeSimpleBank(400).bytes());
    return written ? 0 : 1;
}
