#include "mkbank/CommandLine.h"

#include <cctype>

namespace mkbank
{
namespace
{

// A decimal number no larger than limit, with nothing else in the text.
bool ParseNumber(const std::string& text, unsigned long limit, uint16_t& value)
{
    if (text.empty() || text.size() > 5)
        return false;
    unsigned long number = 0;
    for (char c : text)
    {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
        number = number * 10 + static_cast<unsigned long>(c - '0');
    }
    if (number > limit)
        return false;
    value = static_cast<uint16_t>(number);
    return true;
}

} // namespace

std::string CommandLine::usage()
{
    return "usage: virellando-mkbank [--preset BANK:PROGRAM] [--riff] SOURCE.sf2 OUTPUT\n"
           "Builds a Virellando sound bank from a SoundFont 2 piano preset (default 0:0), adding\n"
           "the mechanical noises on keys 121-127 and the sympathetic-resonance layer driven by\n"
           "controllers 21 and 22.\n"
           "  --preset BANK:PROGRAM  the source preset to copy (bank 0-16383, program 0-127)\n"
           "  --riff                 write \"RIFF\" as the first tag instead of \"TAL\"+0x1A,\n"
           "                         for other SoundFont players\n"
           "  --help                 show this text\n";
}

CommandLine::Result CommandLine::invalid(const std::string& reason)
{
    errorText = reason;
    return Result::Invalid;
}

bool CommandLine::parsePreset(const std::string& text, BuildOptions& options)
{
    const size_t colon = text.find(':');
    return colon != std::string::npos && ParseNumber(text.substr(0, colon), 16383, options.bank) &&
           ParseNumber(text.substr(colon + 1), 127, options.program);
}

CommandLine::Result CommandLine::parse(const std::vector<std::string>& args, BuildOptions& options)
{
    errorText.clear();
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i)
    {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h")
            return Result::Help;
        if (arg == "--riff")
        {
            options.firstTag = sfwriter::FirstTag::Riff;
        }
        else if (arg == "--preset")
        {
            if (i + 1 == args.size())
                return invalid("--preset needs BANK:PROGRAM");
            if (!parsePreset(args[++i], options))
            {
                return invalid("invalid preset '" + args[i] +
                               "': expected BANK:PROGRAM, bank 0-16383, program 0-127");
            }
        }
        else if (arg.size() > 1 && arg[0] == '-')
        {
            return invalid("unknown option '" + arg + "'");
        }
        else
        {
            files.push_back(arg);
        }
    }
    if (files.size() != 2)
        return invalid("expected a source SoundFont and an output file");
    options.source = files[0];
    options.output = files[1];
    return Result::Build;
}

} // namespace mkbank
