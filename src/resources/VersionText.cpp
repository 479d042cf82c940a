#include "resources/VersionText.h"

#include <cstdio>

#include "resources/StringTable.h"

namespace resources
{

std::string FormatVersionText(const std::string& programName, const platform::ProductVersion& version,
                              const std::string& buildWord)
{
    char number[64];
    if (version.patch != 0)
    {
        std::snprintf(number, sizeof number, "%d.%d", version.major, version.patch);
    }
    else
    {
        std::snprintf(number, sizeof number, "%d.0", version.major);
    }
    return programName + " " + number + " " + buildWord + " " + std::to_string(version.build);
}

std::string VersionText()
{
    try
    {
        return FormatVersionText(StringTableText("ProgramName"), platform::GetProductVersion(),
                                 StringTableText("Build"));
    }
    catch (...)
    {
        return std::string();
    }
}

} // namespace resources
