// realhost-export-check: judges what a real host's test session left in a folder: the export of a
// chord with the default values (first.wav), the export after parameters were changed (changed.wav),
// the export of the reopened session (reopened.wav), and the parameter values the host reported before
// the change, when saving and after reopening (params-default.txt, params-saved.txt,
// params-reopened.txt: one "index value" pair a line).
#include <sndfile.h>

#include <algorithm>
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

// Reads a two-channel sound file; the reason when that is not possible.
std::string readTake(const std::string& path, StereoTake& take)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        return path + ": " + sf_strerror(nullptr);
    std::string error =
        info.channels == 2 ? "" : path + ": " + std::to_string(info.channels) + " channels, not 2";
    take.rate = info.samplerate;
    take.samples.resize(static_cast<size_t>(info.frames) * 2);
    if (error.empty() && sf_readf_float(file, take.samples.data(), info.frames) != info.frames)
        error = path + ": short read";
    sf_close(file);
    return error;
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
    if (argc != 5 || std::atoll(argv[2]) <= std::atoll(argv[1]))
    {
        std::fprintf(stderr,
                     "usage: realhost-export-check CHORD-ON-FRAME CHORD-OFF-FRAME CHANGED-I,J,... FOLDER\n");
        return 2;
    }
    const int64_t on = std::atoll(argv[1]), off = std::atoll(argv[2]);
    std::vector<int> changed;
    std::stringstream indices(argv[3]);
    for (std::string item; std::getline(indices, item, ',');)
        changed.push_back(std::atoi(item.c_str()));
    const std::string folder = argv[4];

    std::vector<Check> checks;
    StereoTake first, changedTake, reopened;
    for (auto [take, name] : {std::pair{&first, "first"}, {&changedTake, "changed"}, {&reopened, "reopened"}})
        if (const std::string error = readTake(folder + "/" + name + ".wav", *take); !error.empty())
            checks.push_back({std::string("the host exported ") + name + ".wav", false, error});
    ParameterValues defaults, saved, back;
    for (auto [values, name] : {std::pair{&defaults, "default"}, {&saved, "saved"}, {&back, "reopened"}})
        if (!readParameters(folder + "/params-" + name + ".txt", *values))
            checks.push_back({std::string("the host reported parameters in params-") + name + ".txt", false,
                              "missing or empty"});

    if (checks.empty())
    {
        checks = checkChord(first, on, off);
        checks.push_back(checkSoundChanged(first, changedTake));
        for (auto& check : checkChord(changedTake, on, off))
            checks.push_back({check.name + " (changed parameters)", check.passed, check.detail});
        const std::vector<Check> parameters = checkParameters(defaults, saved, back, changed);
        checks.insert(checks.end(), parameters.begin(), parameters.end());
        checks.push_back(checkSameSound(changedTake, reopened));
    }

    for (const Check& check : checks)
        std::printf("%s  %s: %s\n", check.passed ? "pass" : "FAIL", check.name.c_str(), check.detail.c_str());
    return std::all_of(checks.begin(), checks.end(), [](const Check& check) { return check.passed; }) ? 0 : 1;
}
