// The instrument's twelve settings. Its byte form is the 48-byte state chunk, so the layout is fixed.
#pragma once

#include <cstddef>
#include <cstdint>

struct PianoSettings
{
    int32_t recordTag;
    int32_t lidPosition;
    float volume;
    float chorus;
    float reverbAmount;
    float hammerAmount;
    float sympatheticResonance;
    float bassGain;
    float midGain;
    float highGain;
    int32_t velocityCurve;
    int32_t reverbType;
};

static_assert(sizeof(PianoSettings) == 48, "the state chunk is 48 bytes");
static_assert(offsetof(PianoSettings, volume) == 8 && offsetof(PianoSettings, bassGain) == 28 &&
                  offsetof(PianoSettings, velocityCurve) == 40 && offsetof(PianoSettings, reverbType) == 44,
              "the state chunk's field offsets");
