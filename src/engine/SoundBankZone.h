#pragma once

#include "engine/FluidSynthApi.h"
#include "engine/SoundBankModulatorList.h"
#include "engine/SoundFontData.h"

namespace engine
{

// One preset or instrument zone after the SoundFont 2.01 generator rules: keyRange counts only as
// the first generator and velRange only right after it, Instrument (preset level) or sampleID
// (instrument level) ends the zone, a repeated generator is replaced by the later one, and
// generators that are unused, reserved or not allowed at the zone's level are dropped.
class SoundBankZone
{
public:
    enum class Level
    {
        Preset,
        Instrument
    };
    static constexpr int kNoLink = -1;

    SoundBankZone(const SoundFontZone& record, Level level);

    // The instrument (preset level) or sample (instrument level) this zone plays; kNoLink for a
    // zone without one, which is the global zone when it comes first.
    int link() const { return linkedIndex; }
    bool contains(int key, int velocity) const
    {
        return keyLow <= key && key <= keyHigh && velocityLow <= velocity && velocity <= velocityHigh;
    }
    bool isSet(int generator) const { return set[generator]; }
    float value(int generator) const { return values[generator]; }
    const SoundBankModulatorList& modulators() const { return modulatorList; }

    static bool IsValidGenerator(uint16_t generator, Level level);

private:
    int linkedIndex = kNoLink;
    int keyLow = 0;
    int keyHigh = 128;
    int velocityLow = 0;
    int velocityHigh = 128;
    bool set[kFluidGeneratorCount] = {};
    float values[kFluidGeneratorCount] = {};
    SoundBankModulatorList modulatorList;
};

} // namespace engine
