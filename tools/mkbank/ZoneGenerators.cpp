#include "mkbank/ZoneGenerators.h"

#include <algorithm>

#include "mkbank/SoundFontNumbers.h"

using namespace engine;

namespace mkbank
{

using engine::SoundFontGeneratorRecord;
using engine::SoundFontModulatorRecord;
using engine::SoundFontZone;

const SoundFontGeneratorRecord* ZoneGenerators::find(uint16_t oper) const
{
    for (const auto& gen : zone.generators)
    {
        if (gen.oper == oper)
            return &gen;
    }
    return nullptr;
}

void ZoneGenerators::set(uint16_t oper, uint16_t amount)
{
    auto& gens = zone.generators;
    for (auto& gen : gens)
    {
        if (gen.oper == oper)
        {
            gen.amount = amount;
            return;
        }
    }
    auto at = gens.begin();
    if (oper == kGenVelRange)
    {
        if (at != gens.end() && at->oper == kGenKeyRange)
            ++at;
    }
    else if (oper != kGenKeyRange)
    {
        at = std::find_if(gens.begin(), gens.end(),
                          [](const SoundFontGeneratorRecord& gen)
                          { return gen.oper == kGenInstrument || gen.oper == kGenSampleId; });
    }
    gens.insert(at, SoundFontGeneratorRecord{oper, amount});
}

void ZoneGenerators::add(uint16_t oper, int delta)
{
    const SoundFontGeneratorRecord* gen = find(oper);
    const int value = std::clamp((gen ? gen->signedAmount() : 0) + delta, -32768, 32767);
    set(oper, static_cast<uint16_t>(static_cast<int16_t>(value)));
}

bool ZoneGenerators::limitKeyRange(uint8_t highest)
{
    const SoundFontGeneratorRecord* range = find(kGenKeyRange);
    const uint8_t low = range ? range->rangeLow() : 0;
    const uint8_t high = range ? std::min(range->rangeHigh(), highest) : highest;
    if (low > high)
        return false;
    set(kGenKeyRange, static_cast<uint16_t>(low | (high << 8)));
    return true;
}

void ZoneGenerators::inherit(const SoundFontZone& global)
{
    for (const auto& gen : global.generators)
    {
        if (gen.oper == kGenKeyRange || gen.oper == kGenVelRange)
            continue;
        if (find(gen.oper) == nullptr)
            set(gen.oper, gen.amount);
    }
    for (const auto& mod : global.modulators)
    {
        const bool overridden =
            std::any_of(zone.modulators.begin(), zone.modulators.end(),
                        [&](const SoundFontModulatorRecord& own) { return sameModulator(own, mod); });
        if (!overridden)
            zone.modulators.push_back(mod);
    }
}

bool ZoneGenerators::isLocal(const SoundFontZone& candidate, uint16_t terminal)
{
    return !candidate.generators.empty() && candidate.generators.back().oper == terminal;
}

bool ZoneGenerators::sameModulator(const SoundFontModulatorRecord& a, const SoundFontModulatorRecord& b)
{
    return a.source == b.source && a.destination == b.destination && a.amountSource == b.amountSource &&
           a.transform == b.transform;
}

} // namespace mkbank
