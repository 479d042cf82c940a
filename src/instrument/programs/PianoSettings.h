#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace instrument
{

// The instrument's twelve settings. Its 48 bytes are also the state chunk a host stores with a song, so
// the field order, types and sizes never change. Initialised to the values of a fresh instance.
struct PianoSettings
{
    std::int32_t recordTag = 1;
    std::int32_t lidPosition = 3;
    float volume = 0.5f;
    float chorus = 0.0f;
    float reverbAmount = 0.25f;
    float hammerAmount = 0.5f;
    float sympatheticResonance = 0.5f;
    float bassGain = 1.0f;
    float midGain = 1.0f;
    float highGain = 1.0f;
    std::int32_t velocityCurve = 2;
    std::int32_t reverbType = 0;
};

static_assert(sizeof(float) == 4, "settings fields are 32-bit");
static_assert(std::is_trivially_copyable_v<PianoSettings>, "the chunk is copied byte for byte");
static_assert(sizeof(PianoSettings) == 48, "the state chunk is 48 bytes");
static_assert(offsetof(PianoSettings, recordTag) == 0);
static_assert(offsetof(PianoSettings, lidPosition) == 4);
static_assert(offsetof(PianoSettings, volume) == 8);
static_assert(offsetof(PianoSettings, chorus) == 12);
static_assert(offsetof(PianoSettings, reverbAmount) == 16);
static_assert(offsetof(PianoSettings, hammerAmount) == 20);
static_assert(offsetof(PianoSettings, sympatheticResonance) == 24);
static_assert(offsetof(PianoSettings, bassGain) == 28);
static_assert(offsetof(PianoSettings, midGain) == 32);
static_assert(offsetof(PianoSettings, highGain) == 36);
static_assert(offsetof(PianoSettings, velocityCurve) == 40);
static_assert(offsetof(PianoSettings, reverbType) == 44);

} // namespace instrument
