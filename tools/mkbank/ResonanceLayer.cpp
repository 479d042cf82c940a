#include "ResonanceLayer.h"

#include "SoundFontNumbers.h"
#include "ZoneGenerators.h"

namespace mkbank {

using engine::SoundFontModulatorRecord;
using engine::SoundFontZone;

SoundFontModulatorRecord ResonanceLayer::controllerModulator(uint8_t controller, bool squared) {
    SoundFontModulatorRecord mod;
    mod.source = static_cast<uint16_t>(controller | kSourceMidiController | kSourceNegative |
                                       kSourceConcave);
    mod.destination = kGenInitialAttenuation;
    mod.amount = kControllerDepth;
    mod.amountSource = squared ? mod.source : 0;
    return mod;
}

void ResonanceLayer::addTo(engine::SoundFontPreset& preset) {
    const size_t pianoZones = preset.zones.size();
    for (size_t z = 0; z < pianoZones; ++z) {
        SoundFontZone twin = preset.zones[z];
        ZoneGenerators gens(twin);
        gens.add(kGenInitialAttenuation, kLevelCentibels);
        gens.add(kGenAttackVolEnv, kAttackTimecents);
        gens.add(kGenDecayVolEnv, kDecayTimecents);
        gens.add(kGenReleaseVolEnv, kReleaseTimecents);
        gens.add(kGenInitialFilterFc, kFilterCents);
        for (uint8_t controller : {kEnvelopeController, kAmountController}) {
            for (bool squared : {false, true}) {
                const SoundFontModulatorRecord mod = controllerModulator(controller, squared);
                bool replaced = false;
                for (auto& own : twin.modulators) {
                    if (ZoneGenerators::sameModulator(own, mod)) {
                        own = mod;
                        replaced = true;
                    }
                }
                if (!replaced) twin.modulators.push_back(mod);
            }
        }
        preset.zones.push_back(std::move(twin));
    }
}

}  // namespace mkbank
