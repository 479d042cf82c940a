// realhost-export-check: judges what a real host's test session left in a folder: the export of a
// chord with the default values (first.wav), the export after parameters were changed (changed.wav),
// the export of the reopened session (reopened.wav), and the parameter values the host reported before
// the change, when saving and after reopening (params-default.txt, params-saved.txt,
// params-reopened.txt: one "index value" pair a line).
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "realhost/ExportChecks.h"

using namespace realhost;

namespace
{

bool readParameters(const std::string& path, ParameterValues& values)
{
    std::ifstream file(path);
    int index = 0;
    double value = 0.0;
    while (file >> index >> value)
        values[index] = value;
    return file.eof() && !values.empty();
}

std::vector<int> indexList(const std::string& text)
{
    std::vector<int> indices;
    std::stringstream stream(text);
    std::string item;
    while (std::getline(stream, item, ','))
        indices.push_back(std::atoi(item.c_str()));
    return indices;
}

int usage()
{
    std::fprintf(stderr, "usage: realhost-export-check --on FRAME --off FRAME --changed I,J,... FOLDER\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    ChordTimes times;
    std::vector<int> changed;
    std::string folder;
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if ((arg == "--on" || arg == "--off" || arg == "--changed") && i + 1 < argc)
        {
            const std::string value = argv[++i];
            if (arg == "--on")
                times.on = std::atoll(value.c_str());
            else if (arg == "--off")
                times.off = std::atoll(value.c_str());
            else
                changed = indexList(value);
        }
        else if (folder.empty() && arg.rfind("--", 0) != 0)
            folder = arg;
        else
            return usage();
    }
    if (folder.empty() || times.off <= times.on || changed.empty())
        return usage();

    std::vector<Check> checks;
    StereoTake first;
    StereoTake changedTake;
    StereoTake reopened;
    for (auto [take, name] : {std::pair{&first, "first.wav"}, std::pair{&changedTake, "changed.wav"},
                              std::pair{&reopened, "reopened.wav"}})
    {
        std::string error;
        if (!take->read(folder + "/" + name, error))
            checks.push_back({std::string("the host exported ") + name, false, error});
    }
    ParameterValues defaults;
    ParameterValues saved;
    ParameterValues back;
    for (auto [values, name] :
         {std::pair{&defaults, "params-default.txt"}, std::pair{&saved, "params-saved.txt"},
          std::pair{&back, "params-reopened.txt"}})
    {
        if (!readParameters(folder + "/" + name, *values))
            checks.push_back(
                {std::string("the host reported parameters in ") + name, false, "missing or empty"});
    }

    if (checks.empty())
    {
        for (auto& check : checkChord(first, times))
            checks.push_back(check);
        checks.push_back(checkSoundChanged(first, changedTake));
        for (auto& check : checkChord(changedTake, times))
        {
            check.name += " (changed parameters)";
            checks.push_back(check);
        }
        for (auto& check : checkParameters(defaults, saved, back, changed))
            checks.push_back(check);
        checks.push_back(checkSameSound(changedTake, reopened));
    }

    bool allPassed = true;
    for (const Check& check : checks)
    {
        std::printf("%s  %s: %s\n", check.passed ? "pass" : "FAIL", check.name.c_str(), check.detail.c_str());
        allPassed = allPassed && check.passed;
    }
    return allPassed ? 0 : 1;
}
