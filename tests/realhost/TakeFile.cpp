#include "realhost/TakeFile.h"

#include <sndfile.h>

namespace realhost
{

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

} // namespace realhost
