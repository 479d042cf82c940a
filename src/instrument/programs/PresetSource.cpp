#include "instrument/programs/PresetSource.h"

#include "instrument/programs/SettingsLimits.h"
#include "piano/LidCurves.h"
#include "piano/VelocityTable.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <sstream>

using namespace piano;

namespace instrument
{

namespace
{
std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
    {
        return {};
    }
    const std::size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool sameText(const std::string& a, const char* b)
{
    if (b == nullptr || a.size() != std::strlen(b))
    {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i)
    {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
        {
            return false;
        }
    }
    return true;
}

// Index of `value` among the names `nameOf(0..count-1)`, or -1.
template <typename NameOf> int indexOf(const std::string& value, int count, NameOf nameOf)
{
    for (int i = 0; i < count; ++i)
    {
        if (sameText(value, nameOf(i)))
        {
            return i;
        }
    }
    return -1;
}

// The host value of a percentage between 0 and `maximum`, optionally followed by "%"; false when the text
// is not one.
bool hostValueOf(const std::string& value, double maximum, float& hostValue)
{
    std::string number = value;
    if (!number.empty() && number.back() == '%')
    {
        number = trimmed(number.substr(0, number.size() - 1));
    }
    if (number.empty())
    {
        return false;
    }
    char* end = nullptr;
    const double percent = std::strtod(number.c_str(), &end);
    if (end != number.c_str() + number.size() || !(percent >= 0.0 && percent <= maximum))
    {
        return false;
    }
    hostValue = static_cast<float>(percent / maximum);
    return true;
}

struct Key
{
    const char* name;
    ParameterTable::Index parameter;
};

constexpr Key kKeys[] = {
    {"lid", ParameterTable::kLid},
    {"hammer", ParameterTable::kHammerAmount},
    {"reverb", ParameterTable::kReverbAmount},
    {"reverb type", ParameterTable::kReverbType},
    {"volume", ParameterTable::kVolume},
    {"velocity curve", ParameterTable::kVelocityCurve},
    {"resonance", ParameterTable::kSympatheticResonance},
    {"chorus", ParameterTable::kChorus},
    {"bass", ParameterTable::kBassGain},
    {"mid", ParameterTable::kMidGain},
    {"high", ParameterTable::kHighGain},
};
} // namespace

bool PresetSource::parse(const std::string& text)
{
    storedPrograms.clear();
    lastError.clear();
    inProgram = false;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line))
    {
        ++number;
        if (!parseLine(number, line))
        {
            storedPrograms.clear();
            return false;
        }
    }
    if (!finishProgram(number))
    {
        storedPrograms.clear();
        return false;
    }
    if (storedPrograms.empty())
    {
        return fail(number, "no programs");
    }
    return true;
}

bool PresetSource::fail(int line, const std::string& message)
{
    lastError = "line " + std::to_string(line) + ": " + message;
    return false;
}

bool PresetSource::parseLine(int line, const std::string& raw)
{
    const std::string text = trimmed(raw);
    if (text.empty() || text[0] == ';' || text[0] == '#')
    {
        return true;
    }
    if (text[0] == '[')
    {
        if (text.back() != ']')
        {
            return fail(line, "a program name must be closed by ']'");
        }
        if (!finishProgram(line))
        {
            return false;
        }
        programName = trimmed(text.substr(1, text.size() - 2));
        if (programName.empty() || programName.size() >= StoredProgram::kNameSize)
        {
            return fail(line, "a program name needs 1 to 127 characters");
        }
        for (const StoredProgram& program : storedPrograms)
        {
            if (sameText(programName, program.name))
            {
                return fail(line, "program '" + programName + "' is named twice");
            }
        }
        current = PianoSettings{};
        std::fill(std::begin(seen), std::end(seen), false);
        inProgram = true;
        return true;
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos)
    {
        return fail(line, "expected 'key = value'");
    }
    if (!inProgram)
    {
        return fail(line, "a value before the first [program name]");
    }
    return setValue(line, trimmed(text.substr(0, equals)), trimmed(text.substr(equals + 1)));
}

bool PresetSource::setValue(int line, const std::string& key, const std::string& value)
{
    const Key* found = nullptr;
    for (const Key& k : kKeys)
    {
        if (sameText(key, k.name))
        {
            found = &k;
        }
    }
    if (found == nullptr)
    {
        return fail(line, "unknown key '" + key + "'");
    }
    if (seen[found->parameter])
    {
        return fail(line, "'" + key + "' is given twice");
    }
    seen[found->parameter] = true;

    int step = -1;
    switch (found->parameter)
    {
    case ParameterTable::kLid:
        step = indexOf(value, SettingsLimits::kLidPositions, LidCurves::name);
        current.lidPosition = step;
        break;
    case ParameterTable::kReverbType:
        step = indexOf(value, SettingsLimits::kReverbTypes, ParameterTable::reverbPresetKey);
        current.reverbType = step;
        break;
    case ParameterTable::kVelocityCurve:
        step = indexOf(value, SettingsLimits::kVelocityCurves, VelocityTable::curveKey);
        current.velocityCurve = step;
        break;
    default:
    {
        // Tone gains run to 200 %; their host value is half the gain.
        const bool isGain = found->parameter == ParameterTable::kBassGain ||
                            found->parameter == ParameterTable::kMidGain ||
                            found->parameter == ParameterTable::kHighGain;
        const double maximum = isGain ? 200.0 : 100.0;
        float hostValue = 0.0f;
        if (!hostValueOf(value, maximum, hostValue))
        {
            return fail(line, "'" + key + "' needs a percentage from 0 to " + std::to_string(int(maximum)));
        }
        ParameterTable::set(current, found->parameter, hostValue);
        return true;
    }
    }
    if (step < 0)
    {
        return fail(line, "'" + value + "' is not a choice for '" + key + "'");
    }
    return true;
}

bool PresetSource::finishProgram(int line)
{
    if (!inProgram)
    {
        return true;
    }
    inProgram = false;
    for (const Key& k : kKeys)
    {
        if (!seen[k.parameter])
        {
            return fail(line, "program '" + programName + "' does not set '" + k.name + "'");
        }
    }
    StoredProgram program{};
    std::memcpy(program.name, programName.data(), programName.size());
    // The host values that land exactly on these settings: the centres of the stepped parameters.
    for (int i = 0; i < ParameterTable::kCount; ++i)
    {
        program.values[i] = ParameterTable::reported(current, i);
    }
    storedPrograms.push_back(program);
    return true;
}

} // namespace instrument
