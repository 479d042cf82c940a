#include "mkbank/NoiseLayer.h"

#include <algorithm>
#include <cmath>

#include "mkbank/MechanicalNoiseSynthesizer.h"
#include "mkbank/SoundFontNumbers.h"
#include "mkbank/ZoneGenerators.h"

using namespace engine;

namespace mkbank
{
namespace
{

int16_t ToPoint(float value)
{
    const long rounded = std::lround(static_cast<double>(value) * 32767.0);
    return static_cast<int16_t>(std::clamp(rounded, -32768L, 32767L));
}

} // namespace

const char* NoiseLayer::sampleName(uint8_t key)
{
    static const char* const names[] = {"Pedal Down",    "Pedal Up",      "Key Release 1", "Key Release 2",
                                        "Key Release 3", "Key Release 4", "Key Release 5"};
    return names[key - piano::kFirstNoiseKey];
}

void NoiseLayer::addTo(BankImage& bank)
{
    engine::SoundFontInstrument instrument;
    instrument.name = "Mechanical Noises";
    engine::SoundFontZone global;
    ZoneGenerators(global).set(kGenReleaseVolEnv,
                               static_cast<uint16_t>(static_cast<int16_t>(kReleaseTimecents)));
    instrument.zones.push_back(global);

    for (int key = piano::kFirstNoiseKey; key <= piano::kLastNoiseKey; ++key)
    {
        const std::vector<float> sound = MechanicalNoiseSynthesizer::render(static_cast<uint8_t>(key));
        engine::SoundFontSampleHeader header;
        header.name = sampleName(static_cast<uint8_t>(key));
        header.start = static_cast<uint32_t>(bank.points.size());
        header.end = header.start + static_cast<uint32_t>(sound.size());
        header.loopStart = header.start;
        header.loopEnd = header.end;
        header.sampleRate = MechanicalNoiseSynthesizer::kSampleRate;
        header.originalPitch = static_cast<uint8_t>(key);
        for (float value : sound)
            bank.points.push_back(ToPoint(value));
        bank.points.insert(bank.points.end(), kSampleGuardPoints, 0);

        engine::SoundFontZone zone;
        ZoneGenerators gens(zone);
        gens.set(kGenKeyRange, static_cast<uint16_t>(key | (key << 8)));
        gens.set(kGenOverridingRootKey, static_cast<uint16_t>(key));
        gens.set(kGenSampleId, static_cast<uint16_t>(bank.data.samples.size()));
        bank.data.samples.push_back(header);
        instrument.zones.push_back(zone);
    }

    engine::SoundFontZone presetZone;
    ZoneGenerators gens(presetZone);
    gens.set(kGenKeyRange, static_cast<uint16_t>(piano::kFirstNoiseKey | (piano::kLastNoiseKey << 8)));
    gens.set(kGenInstrument, static_cast<uint16_t>(bank.data.instruments.size()));
    bank.data.instruments.push_back(instrument);
    bank.data.presets.front().zones.push_back(presetZone);
}

} // namespace mkbank
