// realhost-export-check: judges what a real host's test session left in a folder: the export of a
// chord and a pedalled note with the default values (first.wav), the export after a program was chosen and
// parameters changed (changed.wav), the export of the reopened session (reopened.wav), the parameter values
// the host reported before the program, after it, when saving and after reopening (params-default.txt,
// params-program.txt, params-saved.txt, params-reopened.txt: one "index value" pair a line), and the
// program it reported when saving and after reopening (program-saved.txt, program-reopened.txt).
//
//   realhost-export-check CHORD-ON CHORD-OFF PEDAL-DOWN NOTE-ON NOTE-OFF PEDAL-UP NOTE-HZ CHANGED-I,J,...
//                         PROGRAM FOLDER [REFERENCE-FOLDER]
//
// With a reference folder (the same session in another plug-in format), each export must also be the
// reference's export, sample for sample.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "realhost/ExportChecks.h"
#include "realhost/TakeFile.h"

using namespace realhost;

namespace
{

std::string readLine(const std::string& path)
{
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

bool readParameters(const std::string& path, ParameterValues& values)
{
    std::ifstream file(path);
    int index = 0;
    double value = 0.0;
    while (file >> index >> value)
        values[index] = value;
    return file.eof() && !values.empty();
}

} // namespace

int main(int argc, char** argv)
{
    if ((argc != 11 && argc != 12) || std::atoll(argv[2]) <= std::atoll(argv[1]))
    {
        std::fprintf(stderr,
                     "usage: realhost-export-check CHORD-ON CHORD-OFF PEDAL-DOWN NOTE-ON NOTE-OFF PEDAL-UP "
                     "NOTE-HZ CHANGED-I,J,... PROGRAM FOLDER [REFERENCE-FOLDER]\n");
        return 2;
    }
    const int64_t on = std::atoll(argv[1]), off = std::atoll(argv[2]);
    const PedalledNote note{std::atoll(argv[3]), std::atoll(argv[4]), std::atoll(argv[5]),
                            std::atoll(argv[6]), std::atof(argv[7])};
    std::vector<int> changed;
    std::stringstream indices(argv[8]);
    for (std::string item; std::getline(indices, item, ',');)
        changed.push_back(std::atoi(item.c_str()));
    const std::string program = argv[9];
    const std::string folder = argv[10];

    std::vector<Check> checks;
    StereoTake first, changedTake, reopened;
    for (auto [take, name] : {std::pair{&first, "first"}, {&changedTake, "changed"}, {&reopened, "reopened"}})
        if (const std::string error = readTake(folder + "/" + name + ".wav", *take); !error.empty())
            checks.push_back({std::string("the host exported ") + name + ".wav", false, error});
    ParameterValues defaults, programValues, saved, back;
    for (auto [values, name] : {std::pair{&defaults, "default"},
                                {&programValues, "program"},
                                {&saved, "saved"},
                                {&back, "reopened"}})
        if (!readParameters(folder + "/params-" + name + ".txt", *values))
            checks.push_back({std::string("the host reported parameters in params-") + name + ".txt", false,
                              "missing or empty"});

    if (checks.empty())
    {
        checks = checkChord(first, on, off);
        const std::vector<Check> pedalled = checkPedalledNote(first, note);
        checks.insert(checks.end(), pedalled.begin(), pedalled.end());
        checks.push_back(checkSoundChanged(first, changedTake));
        for (auto& check : checkChord(changedTake, on, off))
            checks.push_back({check.name + " (changed parameters)", check.passed, check.detail});
        for (auto& check : checkPedalledNote(changedTake, note))
            checks.push_back({check.name + " (changed parameters)", check.passed, check.detail});
        const std::vector<Check> parameters = checkParameters(defaults, programValues, saved, back, changed);
        checks.insert(checks.end(), parameters.begin(), parameters.end());
        checks.push_back(checkProgram(program, readLine(folder + "/program-saved.txt"),
                                      readLine(folder + "/program-reopened.txt")));
        checks.push_back(checkSameSound(changedTake, reopened));
    }
    if (argc == 12)
    {
        const std::string reference = argv[11];
        for (auto [take, name] :
             {std::pair{&first, "first"}, {&changedTake, "changed"}, {&reopened, "reopened"}})
        {
            StereoTake other;
            const std::string error = readTake(reference + "/" + name + ".wav", other);
            Check same = checkSameSound(other, *take);
            same.name = std::string(name) + ".wav is the reference format's, sample for sample";
            if (!error.empty())
                same = {same.name, false, error};
            checks.push_back(same);
        }
    }

    for (const Check& check : checks)
        std::printf("%s  %s: %s\n", check.passed ? "pass" : "FAIL", check.name.c_str(), check.detail.c_str());
    return std::all_of(checks.begin(), checks.end(), [](const Check& check) { return check.passed; }) ? 0 : 1;
}
