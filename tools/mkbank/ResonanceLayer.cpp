#include "mkbank/ResonanceLayer.h"

#include <set>

#include "mkbank/SoundFontNumbers.h"
#include "mkbank/ZoneGenerators.h"

using namespace engine;

namespace mkbank
{

using engine::SoundFontModulatorRecord;
using engine::SoundFontZone;

SoundFontModulatorRecord ResonanceLayer::controllerModulator(uint8_t controller, bool squared)
{
    SoundFontModulatorRecord mod;
    mod.source = static_cast<uint16_t>(controller | kSourceMidiController | kSourceNegative | kSourceConcave);
    mod.destination = kGenInitialAttenuation;
    mod.amount = kControllerDepth;
    mod.amountSource = squared ? mod.source : 0;
    return mod;
}

void ResonanceLayer::addTo(BankImage& bank)
{
    std::map<uint16_t, uint16_t> monoInstruments; // piano instrument -> its resonance copy
    auto& zones = bank.data.presets.front().zones;
    const size_t pianoZones = zones.size();
    for (size_t z = 0; z < pianoZones; ++z)
    {
        SoundFontZone twin = zones[z];
        twin.generators.back().amount = monoInstrument(bank, twin.generators.back().amount, monoInstruments);
        makeTwin(twin);
        zones.push_back(std::move(twin));
    }
}

uint16_t ResonanceLayer::monoInstrument(BankImage& bank, uint16_t piano, std::map<uint16_t, uint16_t>& made)
{
    const auto known = made.find(piano);
    if (known != made.end())
        return known->second;
    const engine::SoundFontInstrument& source = bank.data.instruments[piano];
    std::set<uint16_t> played;
    for (const auto& zone : source.zones)
    {
        if (ZoneGenerators::isLocal(zone, kGenSampleId))
            played.insert(zone.generators.back().amount);
    }
    engine::SoundFontInstrument mono;
    mono.name = (source.name + " Res").substr(0, 20);
    for (size_t z = 0; z < source.zones.size(); ++z)
    {
        SoundFontZone zone = source.zones[z];
        if (!ZoneGenerators::isLocal(zone, kGenSampleId))
        {
            if (z == 0)
                mono.zones.push_back(std::move(zone));
            continue;
        }
        const engine::SoundFontSampleHeader& sample = bank.data.samples[zone.generators.back().amount];
        // The left partner plays for both.
        if ((sample.sampleType & engine::kSampleRight) && played.count(sample.sampleLink))
            continue;
        ZoneGenerators(zone).set(kGenPan, 0);
        mono.zones.push_back(std::move(zone));
    }
    const auto index = static_cast<uint16_t>(bank.data.instruments.size());
    bank.data.instruments.push_back(std::move(mono));
    made[piano] = index;
    return index;
}

void ResonanceLayer::makeTwin(SoundFontZone& twin)
{
    ZoneGenerators gens(twin);
    gens.add(kGenAttackVolEnv, kAttackTimecents);
    gens.add(kGenDecayVolEnv, kDecayTimecents);
    gens.add(kGenReleaseVolEnv, kReleaseTimecents);
    gens.add(kGenInitialFilterFc, kFilterCents);
    for (int controller : {piano::kResonanceEnvelopeController, piano::kResonanceAmountController})
    {
        for (bool squared : {false, true})
        {
            const SoundFontModulatorRecord mod = controllerModulator(controller, squared);
            bool replaced = false;
            for (auto& own : twin.modulators)
            {
                if (ZoneGenerators::sameModulator(own, mod))
                {
                    own = mod;
                    replaced = true;
                }
            }
            if (!replaced)
                twin.modulators.push_back(mod);
        }
    }
}

} // namespace mkbank
