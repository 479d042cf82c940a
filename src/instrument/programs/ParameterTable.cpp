#include "instrument/programs/ParameterTable.h"

#include "instrument/programs/SettingsLimits.h"
#include "piano/LidCurves.h"
#include "piano/VelocityTable.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

using namespace piano;

namespace instrument
{

namespace
{
enum class Kind
{
    Lid,
    Amount,
    ReverbType,
    Curve,
    Gain
};

struct Descriptor
{
    const char* nameKey;
    Kind kind;
    float PianoSettings::*floatField;
    std::int32_t PianoSettings::*intField;
};

constexpr Descriptor kDescriptors[ParameterTable::kCount] = {
    {"VSTParamLid", Kind::Lid, nullptr, &PianoSettings::lidPosition},
    {"VSTHammerAmount", Kind::Amount, &PianoSettings::hammerAmount, nullptr},
    {"VSTReverbAmount", Kind::Amount, &PianoSettings::reverbAmount, nullptr},
    {"VSTReverbType", Kind::ReverbType, nullptr, &PianoSettings::reverbType},
    {"VSTVolume", Kind::Amount, &PianoSettings::volume, nullptr},
    {"VSTVelocityCurve", Kind::Curve, nullptr, &PianoSettings::velocityCurve},
    {"VSTSympRes", Kind::Amount, &PianoSettings::sympatheticResonance, nullptr},
    {"VSTChorus", Kind::Amount, &PianoSettings::chorus, nullptr},
    {"VSTBassEQ", Kind::Gain, &PianoSettings::bassGain, nullptr},
    {"VSTMidEQ", Kind::Gain, &PianoSettings::midGain, nullptr},
    {"VSTHighEQ", Kind::Gain, &PianoSettings::highGain, nullptr},
};

constexpr const char* kReverbPresetKeys[SettingsLimits::kReverbTypes] = {
    "MediumHall", "LargeHall", "Plate", "Cathedral", "Room1", "Room2", "Room3"};

const Descriptor* descriptorOf(int index)
{
    if (index < 0 || index >= ParameterTable::kCount)
    {
        return nullptr;
    }
    return &kDescriptors[index];
}

// The step a host value falls on, for a field with `steps` steps.
int stepOf(float value, int steps)
{
    return std::min(static_cast<int>(value * static_cast<float>(steps)), steps - 1);
}

template <typename T> bool assign(T& field, T value)
{
    // A NaN left in a float field by a damaged chunk compares unequal, so it is replaced too.
    if (field == value)
    {
        return false;
    }
    field = value;
    return true;
}

// The float field in its valid range; NaN reads as the fresh instance's value.
float usableFloat(const PianoSettings& settings, const Descriptor& d)
{
    static const PianoSettings fresh;
    const float value = settings.*d.floatField;
    const float fallback = fresh.*d.floatField;
    return d.kind == Kind::Gain ? SettingsLimits::gain(value, fallback)
                                : SettingsLimits::amount(value, fallback);
}

// The integer field clamped to its steps.
int usableStep(const PianoSettings& settings, const Descriptor& d)
{
    const int value = settings.*d.intField;
    switch (d.kind)
    {
    case Kind::Lid:
        return SettingsLimits::lidPosition(value);
    case Kind::ReverbType:
        return SettingsLimits::reverbType(value);
    default:
        return SettingsLimits::velocityCurve(value);
    }
}
} // namespace

ParameterTable::ParameterTable(TextLookup textLookup) : lookup(std::move(textLookup)) {}

bool ParameterTable::set(PianoSettings& settings, int index, float value)
{
    const Descriptor* d = descriptorOf(index);
    // Written so that NaN fails the test as well as values outside 0..1.
    if (d == nullptr || !(value >= 0.0f && value <= 1.0f))
    {
        return false;
    }
    switch (d->kind)
    {
    case Kind::Lid:
        // The lid is always marked changed, even when it stays where it is.
        settings.lidPosition = stepOf(value, SettingsLimits::kLidPositions);
        return true;
    case Kind::ReverbType:
        return assign(settings.reverbType, stepOf(value, SettingsLimits::kReverbTypes));
    case Kind::Curve:
        return assign(settings.velocityCurve, stepOf(value, SettingsLimits::kVelocityCurves));
    case Kind::Gain:
        return assign(settings.*d->floatField, value * 2.0f);
    case Kind::Amount:
        return assign(settings.*d->floatField, value);
    }
    return false;
}

float ParameterTable::reported(const PianoSettings& settings, int index)
{
    const Descriptor* d = descriptorOf(index);
    if (d == nullptr)
    {
        return 0.0f;
    }
    switch (d->kind)
    {
    case Kind::Lid:
        return static_cast<float>(usableStep(settings, *d)) * 0.25f + 0.125f;
    case Kind::ReverbType:
        return static_cast<float>(usableStep(settings, *d) / 7.0 + 1.0 / 14.0);
    case Kind::Curve:
        return static_cast<float>(usableStep(settings, *d) * 0.2 + 0.1);
    case Kind::Gain:
        return usableFloat(settings, *d) * 0.5f;
    case Kind::Amount:
        return usableFloat(settings, *d);
    }
    return 0.0f;
}

void ParameterTable::display(const PianoSettings& settings, int index, char* text) const
{
    const Descriptor* d = descriptorOf(index);
    if (d == nullptr || text == nullptr)
    {
        return;
    }
    if (d->intField != nullptr)
    {
        char whole[256] = {};
        stepText(index, usableStep(settings, *d), whole, sizeof whole);
        copyCut(whole, text);
        return;
    }
    std::snprintf(text, kTextLimit + 1, "%i", static_cast<int>(usableFloat(settings, *d) * 100.0f));
}

int ParameterTable::steps(int index)
{
    const Descriptor* d = descriptorOf(index);
    if (d == nullptr)
    {
        return 0;
    }
    switch (d->kind)
    {
    case Kind::Lid:
        return SettingsLimits::kLidPositions;
    case Kind::ReverbType:
        return SettingsLimits::kReverbTypes;
    case Kind::Curve:
        return SettingsLimits::kVelocityCurves;
    case Kind::Gain:
    case Kind::Amount:
        return 0;
    }
    return 0;
}

int ParameterTable::displayMaximum(int index)
{
    const Descriptor* d = descriptorOf(index);
    if (d == nullptr)
    {
        return 0;
    }
    if (d->intField != nullptr)
    {
        return steps(index) - 1;
    }
    return static_cast<int>((d->kind == Kind::Gain ? SettingsLimits::kMaxGain : 1.0f) * 100.0f);
}

bool ParameterTable::stepText(int index, int step, char* text, std::size_t size) const
{
    const Descriptor* d = descriptorOf(index);
    if (d == nullptr || d->intField == nullptr || step < 0 || step >= steps(index) || text == nullptr ||
        size == 0)
    {
        return false;
    }
    const char* key = d->kind == Kind::Lid          ? LidCurves::name(step)
                      : d->kind == Kind::ReverbType ? kReverbPresetKeys[step]
                                                    : VelocityTable::curveKey(step);
    if (d->kind == Kind::Lid || !lookup)
    {
        std::snprintf(text, size, "%s", key);
    }
    else
    {
        lookup(key, text, size);
        text[size - 1] = '\0';
    }
    return true;
}

void ParameterTable::name(int index, char* text) const
{
    const Descriptor* d = descriptorOf(index);
    if (d != nullptr && text != nullptr)
    {
        lookUp(d->nameKey, text);
    }
}

void ParameterTable::label(int index, char* text)
{
    const Descriptor* d = descriptorOf(index);
    if (d != nullptr && text != nullptr && (d->kind == Kind::Amount || d->kind == Kind::Gain))
    {
        copyCut("%", text);
    }
}

const char* ParameterTable::nameKey(int index)
{
    const Descriptor* d = descriptorOf(index);
    return d != nullptr ? d->nameKey : nullptr;
}

const char* ParameterTable::reverbPresetKey(int type)
{
    if (type < 0 || type >= SettingsLimits::kReverbTypes)
    {
        return nullptr;
    }
    return kReverbPresetKeys[type];
}

void ParameterTable::lookUp(const char* key, char* text) const
{
    if (!lookup)
    {
        copyCut(key, text);
        return;
    }
    char found[256] = {};
    lookup(key, found, sizeof found);
    found[sizeof found - 1] = '\0';
    copyCut(found, text);
}

void ParameterTable::copyCut(const char* source, char* text)
{
    std::size_t length = std::strlen(source);
    if (length > kTextLimit)
    {
        length = kTextLimit;
        // Step back over continuation bytes so that a multi-byte character is dropped whole.
        while (length > 0 && (static_cast<unsigned char>(source[length]) & 0xC0) == 0x80)
        {
            --length;
        }
    }
    std::memcpy(text, source, length);
    text[length] = '\0';
}

} // namespace instrument
