#include "engine/SoundBankZone.h"

namespace engine
{

bool SoundBankZone::IsValidGenerator(uint16_t generator, Level level)
{
    if (generator > kGenLastValid)
        return false;
    switch (generator)
    {
    case 14:
    case 18:
    case 19:
    case 20:
    case 42:
    case 49:
    case 55: // unused and reserved
    case kGenInstrument:
    case kGenSampleId:
    case kGenKeyRange:
    case kGenVelRange:
        return false;
    default:
        break;
    }
    if (level == Level::Instrument)
        return true;
    switch (generator)
    {
    // Sample addresses, fixed key and velocity, sample modes, exclusive class and root key
    // belong to instruments only.
    case kGenStartAddrsOffset:
    case kGenEndAddrsOffset:
    case kGenStartloopAddrsOffset:
    case kGenEndloopAddrsOffset:
    case kGenStartAddrsCoarseOffset:
    case kGenEndAddrsCoarseOffset:
    case kGenStartloopAddrsCoarseOffset:
    case kGenEndloopAddrsCoarseOffset:
    case kGenKeynum:
    case kGenVelocity:
    case kGenSampleModes:
    case kGenExclusiveClass:
    case kGenOverridingRootKey:
        return false;
    default:
        return true;
    }
}

SoundBankZone::SoundBankZone(const SoundFontZone& record, Level level) : modulatorList(record.modulators)
{
    const uint16_t terminal = level == Level::Preset ? kGenInstrument : kGenSampleId;
    // 0: nothing yet, 1: after keyRange, 2: after velRange or any other generator.
    int stage = 0;
    for (const SoundFontGeneratorRecord& gen : record.generators)
    {
        if (gen.oper == kGenKeyRange)
        {
            if (stage == 0)
            {
                stage = 1;
                keyLow = gen.rangeLow();
                keyHigh = gen.rangeHigh();
            }
            continue;
        }
        if (gen.oper == kGenVelRange)
        {
            if (stage <= 1)
            {
                stage = 2;
                velocityLow = gen.rangeLow();
                velocityHigh = gen.rangeHigh();
            }
            continue;
        }
        if (gen.oper == terminal)
        {
            linkedIndex = gen.amount;
            break;
        }
        stage = 2;
        if (!IsValidGenerator(gen.oper, level))
            continue;
        set[gen.oper] = true;
        // Initial attenuation is scaled by 0.4 at both levels, as the engine's own loader does
        // for compatibility with banks made for the original hardware.
        values[gen.oper] = gen.oper == kGenInitialAttenuation ? static_cast<float>(gen.signedAmount()) * 0.4f
                                                              : static_cast<float>(gen.signedAmount());
    }
}

} // namespace engine
