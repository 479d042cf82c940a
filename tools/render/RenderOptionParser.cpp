#include "render/RenderOptionParser.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace render
{

namespace
{

constexpr int parameterCount = 11;

// Whole text must be a decimal integer in [low, high].
bool parseInteger(const std::string& text, long low, long high, long& value)
{
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-'))
        return false;
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}

// Whole text must be a finite decimal number in [low, high].
bool parseReal(const std::string& text, double low, double high, double& value)
{
    if (text.empty() ||
        !(std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-' || text[0] == '.'))
        return false;
    errno = 0;
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(parsed) || parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}

bool takesValue(const std::string& name)
{
    return name != "--quiet" && name != "--help";
}

// Short spellings of the long options.
std::string longName(const std::string& name)
{
    static const char* const pairs[][2] = {{"-r", "--rate"}, {"-b", "--block"},  {"-p", "--program"},
                                           {"-t", "--tail"}, {"-f", "--format"}, {"-q", "--quiet"},
                                           {"-h", "--help"}};
    for (const auto& pair : pairs)
        if (name == pair[0])
            return pair[1];
    return name;
}

} // namespace

bool RenderOptionParser::fail(const std::string& message)
{
    errorText = message;
    return false;
}

RenderOptionParser::Outcome RenderOptionParser::parse(const std::vector<std::string>& args)
{
    parsed = RenderOptions();
    errorText.clear();
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i)
    {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-')
        {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--")
        {
            optionsEnded = true;
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string name = longName(arg.substr(0, equals));
        if (name == "--help")
            return Outcome::ShowHelp;
        std::string value;
        if (equals != std::string::npos)
        {
            if (!takesValue(name))
            {
                fail("option " + name + " takes no value");
                return Outcome::Error;
            }
            value = arg.substr(equals + 1);
        }
        else if (takesValue(name))
        {
            if (i + 1 >= args.size())
            {
                fail("option " + name + " needs a value");
                return Outcome::Error;
            }
            value = args[++i];
        }
        if (!applyOption(name, value))
            return Outcome::Error;
    }
    if (positional.size() != 3)
    {
        fail("expected the plug-in, the MIDI file and the WAV file, got " +
             std::to_string(positional.size()) + " file name" + (positional.size() == 1 ? "" : "s"));
        return Outcome::Error;
    }
    parsed.pluginPath = positional[0];
    parsed.midiPath = positional[1];
    parsed.wavPath = positional[2];
    return Outcome::Render;
}

bool RenderOptionParser::applyOption(const std::string& name, const std::string& value)
{
    long integer = 0;
    double real = 0.0;
    if (name == "--rate")
    {
        if (!parseInteger(value, 8000, 384000, integer))
            return fail("--rate wants a whole number of hertz from 8000 to 384000, not '" + value + "'");
        parsed.sampleRate = static_cast<uint32_t>(integer);
    }
    else if (name == "--block")
    {
        if (!parseInteger(value, 1, 65536, integer))
            return fail("--block wants a whole number of frames from 1 to 65536, not '" + value + "'");
        parsed.blockSize = static_cast<uint32_t>(integer);
    }
    else if (name == "--program")
    {
        if (!parseInteger(value, 0, 127, integer))
            return fail("--program wants a program number from 0 to 127, not '" + value + "'");
        parsed.program = static_cast<int>(integer);
    }
    else if (name == "--param")
    {
        const size_t equals = value.find('=');
        ParameterSetting setting;
        if (equals == std::string::npos)
            return fail("--param wants index=value, such as 2=0.4, not '" + value + "'");
        if (!parseInteger(value.substr(0, equals), 0, parameterCount - 1, integer))
            return fail("--param index must be a whole number from 0 to 10, not '" + value.substr(0, equals) +
                        "'");
        if (!parseReal(value.substr(equals + 1), 0.0, 1.0, real))
            return fail("--param value must be a number from 0 to 1, not '" + value.substr(equals + 1) + "'");
        setting.index = static_cast<int>(integer);
        setting.value = static_cast<float>(real);
        parsed.parameters.push_back(setting);
    }
    else if (name == "--state-in" || name == "--state-out")
    {
        if (value.empty())
            return fail(name + " needs a file name");
        (name == "--state-in" ? parsed.stateIn : parsed.stateOut) = value;
    }
    else if (name == "--tail")
    {
        if (!parseReal(value, 0.0, 600.0, real))
            return fail("--tail wants seconds from 0 to 600, not '" + value + "'");
        parsed.tailSeconds = real;
    }
    else if (name == "--bank-timeout")
    {
        if (!parseReal(value, 1.0, 3600.0, real))
            return fail("--bank-timeout wants seconds from 1 to 3600, not '" + value + "'");
        parsed.bankTimeoutSeconds = real;
    }
    else if (name == "--format")
    {
        if (value == "float" || value == "float32")
            parsed.format = SampleFormat::Float32;
        else if (value == "pcm24" || value == "24")
            parsed.format = SampleFormat::Pcm24;
        else
            return fail("--format is float or pcm24, not '" + value + "'");
    }
    else if (name == "--quiet")
    {
        parsed.showProgress = false;
    }
    else
    {
        return fail("unknown option " + name + " (see --help)");
    }
    return true;
}

std::string RenderOptionParser::usage()
{
    return "Usage: virellando-render [options] PLUGIN.so INPUT.mid OUTPUT.wav\n"
           "\n"
           "Plays a Standard MIDI File through the instrument and writes the sound to a stereo WAV file.\n"
           "\n"
           "  -r, --rate HZ          sample rate, 8000 to 384000 (default 44100)\n"
           "  -b, --block FRAMES     frames per processing block, 1 to 65536 (default 512)\n"
           "  -p, --program N        program to select, 0 to 127\n"
           "      --param I=V        set parameter I (0 to 10) to V (0 to 1); may be repeated\n"
           "      --state-in FILE    restore the instrument's 48-byte state from FILE\n"
           "      --state-out FILE   save the instrument's 48-byte state to FILE after the render\n"
           "  -t, --tail SECONDS     sound kept after the last event, 0 to 600 (default 3)\n"
           "      --bank-timeout S   longest wait for the sound bank to load (default 120)\n"
           "  -f, --format FORMAT    float (32-bit float, default) or pcm24 (24-bit integer)\n"
           "  -q, --quiet            no progress bar\n"
           "  -h, --help             this text\n"
           "\n"
           "The program is selected first, then the state is restored, then the parameters are set.\n";
}

} // namespace render
