// The product and version line of the log.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace resources
{

// programName, a blank, "major.patch" ("major.0" when patch is 0), a blank,
// buildWord, a blank and the build number: "Virellando 1.0 Build 1".
std::string FormatVersionText(const std::string& programName, const platform::ProductVersion& version,
                              const std::string& buildWord);

// The version line with the string table's "ProgramName" and "Build" texts.
std::string VersionText();

} // namespace resources
