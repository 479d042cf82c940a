// mkdemo: compiles a score text into a Standard MIDI File.
#include "ScoreMidiWriter.h"
#include "ScoreParser.h"

#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::cerr << "Usage: mkdemo SCORE.txt OUTPUT.mid\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in)
    {
        std::cerr << "mkdemo: cannot open '" << argv[1] << "'\n";
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();

    virellando::ScoreParser parser;
    if (!parser.parse(text.str()))
    {
        std::cerr << "mkdemo: " << argv[1] << ": " << parser.error() << "\n";
        return 1;
    }
    const std::vector<uint8_t> bytes = virellando::ScoreMidiWriter::write(parser.score());
    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out)
    {
        std::cerr << "mkdemo: cannot write '" << argv[2] << "'\n";
        return 1;
    }
    return 0;
}
