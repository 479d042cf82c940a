// realhost-sound-check: judges a recording a real host made while a test played one note in it, from its
// editor: the note sounds, at its pitch.
//
//   realhost-sound-check FILE NOTE-HZ
#include <cstdio>
#include <cstdlib>
#include <string>

#include "realhost/ExportChecks.h"
#include "realhost/TakeFile.h"

using namespace realhost;

int main(int argc, char** argv)
{
    if (argc != 3 || std::atof(argv[2]) <= 0.0)
    {
        std::fprintf(stderr, "usage: realhost-sound-check FILE NOTE-HZ\n");
        return 2;
    }
    StereoTake take;
    const std::string error = readTake(argv[1], take);
    const Check check = error.empty() ? checkNoteHeard(take, std::atof(argv[2]))
                                      : Check{"the host made a recording", false, error};
    std::printf("%s  %s: %s\n", check.passed ? "pass" : "FAIL", check.name.c_str(), check.detail.c_str());
    return check.passed ? 0 : 1;
}
