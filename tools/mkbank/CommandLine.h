#pragma once

#include <string>
#include <vector>

#include "mkbank/BuildOptions.h"

namespace mkbank
{

// Reads the builder's arguments (without the program name):
//   [--preset BANK:PROGRAM] [--riff] SOURCE OUTPUT   or   --help
class CommandLine
{
public:
    enum class Result
    {
        Build,
        Help,
        Invalid
    };

    Result parse(const std::vector<std::string>& args, BuildOptions& options);
    const std::string& error() const { return errorText; }
    static std::string usage();

private:
    bool parsePreset(const std::string& text, BuildOptions& options);
    Result invalid(const std::string& reason);

    std::string errorText;
};

} // namespace mkbank
