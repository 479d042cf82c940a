#include "engine/SoundBankModulatorList.h"
#include "engine/FluidSynthLibrary.h"

namespace engine
{
namespace
{

struct Source
{
    int index = 0;
    int flags = 0;
    bool knownCurve = true;
};

Source DecodeSource(uint16_t raw)
{
    Source source;
    source.index = raw & 127;
    if (raw & (1u << 7))
        source.flags |= kModMidiController;
    if (raw & (1u << 8))
        source.flags |= kModNegative;
    if (raw & (1u << 9))
        source.flags |= kModBipolar;
    switch ((raw >> 10) & 63)
    {
    case 0:
        source.flags |= kModLinear;
        break;
    case 1:
        source.flags |= kModConcave;
        break;
    case 2:
        source.flags |= kModConvex;
        break;
    case 3:
        source.flags |= kModSwitch;
        break;
    default:
        source.knownCurve = false;
        break;
    }
    return source;
}

bool IsCc(const Source& s)
{
    return (s.flags & kModMidiController) != 0;
}

bool IsValidSource(const Source& s)
{
    if (!IsCc(s))
    {
        switch (s.index)
        {
        case kModSourceNone:
        case kModSourceVelocity:
        case kModSourceKey:
        case kModSourceKeyPressure:
        case kModSourceChannelPressure:
        case kModSourcePitchWheel:
        case kModSourcePitchWheelSensitivity:
            return true;
        default:
            return false;
        }
    }
    // Bank select, data entry, (N)RPN and the channel-mode controllers cannot modulate.
    const int cc = s.index;
    return cc != 0 && cc != 6 && cc != 32 && cc != 38 && (cc < 98 || cc > 101) && cc < 120;
}

} // namespace

SoundBankModulatorList::ModPointer SoundBankModulatorList::convert(const SoundFontModulatorRecord& record)
{
    const Source source1 = DecodeSource(record.source);
    Source source2 = DecodeSource(record.amountSource);
    // Source 1 "none" makes the modulator useless; linked modulators and destinations outside the
    // voice's generators are not supported.
    if ((!IsCc(source1) && source1.index == kModSourceNone) || !IsValidSource(source1) ||
        !IsValidSource(source2) || record.destination >= kFluidGeneratorCount)
    {
        return nullptr;
    }
    // Source 2 "none" gives a constant 1, which is unipolar.
    if (!IsCc(source2) && source2.index == kModSourceNone)
        source2.flags &= ~kModBipolar;
    const bool disabled = !source1.knownCurve || !source2.knownCurve || record.transform != 0;

    ModPointer mod(FluidSynth().new_fluid_mod());
    if (!mod)
        return nullptr;
    FluidSynth().fluid_mod_set_source1(mod.get(), source1.index, source1.flags);
    FluidSynth().fluid_mod_set_source2(mod.get(), source2.index, source2.flags);
    FluidSynth().fluid_mod_set_dest(mod.get(), record.destination);
    FluidSynth().fluid_mod_set_amount(mod.get(), disabled ? 0.0 : static_cast<double>(record.amount));
    return mod;
}

SoundBankModulatorList::SoundBankModulatorList(const std::vector<SoundFontModulatorRecord>& records)
{
    std::vector<ModPointer> converted;
    converted.reserve(records.size());
    for (const SoundFontModulatorRecord& record : records)
    {
        ModPointer mod = convert(record);
        if (mod)
            converted.push_back(std::move(mod));
    }
    // Of identical modulators the last one counts, in its own place.
    for (size_t i = 0; i < converted.size() && modulators.size() < kMaxModulators; ++i)
    {
        bool replacedLater = false;
        for (size_t j = i + 1; j < converted.size() && !replacedLater; ++j)
        {
            replacedLater = FluidSynth().fluid_mod_test_identity(converted[i].get(), converted[j].get()) != 0;
        }
        if (!replacedLater)
            modulators.push_back(std::move(converted[i]));
    }
}

void SoundBankModulatorList::addToVoice(fluid_voice_t* voice, const SoundBankModulatorList* global,
                                        const SoundBankModulatorList& local, int mode)
{
    const fluid_mod_t* chosen[kMaxModulators];
    size_t count = 0;
    for (const ModPointer& mod : local.modulators)
        chosen[count++] = mod.get();
    const size_t localCount = count;
    if (global != nullptr)
    {
        for (const ModPointer& mod : global->modulators)
        {
            bool identical = false;
            for (size_t i = 0; i < localCount && !identical; ++i)
            {
                identical = FluidSynth().fluid_mod_test_identity(mod.get(), chosen[i]) != 0;
            }
            if (identical)
                continue;
            if (count == kMaxModulators)
                break;
            chosen[count++] = mod.get();
        }
    }
    for (size_t i = 0; i < count; ++i)
    {
        if (mode == kVoiceAdd && FluidSynth().fluid_mod_get_amount(chosen[i]) == 0.0)
            continue;
        FluidSynth().fluid_voice_add_mod(voice, const_cast<fluid_mod_t*>(chosen[i]), mode);
    }
}

} // namespace engine
