// mkdemo: compiles a score text into a Standard MIDI File.
#include "mkdemo/ScoreMidiWriter.h"
#include "mkdemo/ScoreParser.h"

#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>

namespace
{

int compile(const char* scorePath, const char* midiPath)
{
    std::ifstream in(scorePath);
    if (!in)
    {
        std::cerr << "mkdemo: cannot open '" << scorePath << "'\n";
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();

    mkdemo::ScoreParser parser;
    if (!parser.parse(text.str()))
    {
        std::cerr << "mkdemo: " << scorePath << ": " << parser.error() << "\n";
        return 1;
    }
    const std::vector<uint8_t> bytes = mkdemo::ScoreMidiWriter::write(parser.score());
    std::ofstream out(midiPath, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out)
    {
        std::cerr << "mkdemo: cannot write '" << midiPath << "'\n";
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::cerr << "Usage: mkdemo SCORE.txt OUTPUT.mid\n";
        return 2;
    }
    try
    {
        return compile(argv[1], argv[2]);
    }
    catch (const std::exception& e)
    {
        std::cerr << "mkdemo: " << e.what() << "\n";
        return 1;
    }
}
