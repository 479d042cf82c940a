// Reads a host's stereo recording from a sound file. Any thread.
#pragma once

#include <string>

#include "realhost/ExportChecks.h"

namespace realhost
{

// Reads a two-channel sound file into `take`; the reason when that is not possible, empty otherwise.
std::string readTake(const std::string& path, StereoTake& take);

} // namespace realhost
