#pragma once

#include <cstdint>

namespace mkbank
{

// Generator numbers of the SoundFont 2 format that the bank builder reads or writes.
enum Generator : uint16_t
{
    kGenInitialFilterFc = 8,
    kGenPan = 17,
    kGenAttackVolEnv = 34,
    kGenDecayVolEnv = 36,
    kGenReleaseVolEnv = 38,
    kGenInstrument = 41,
    kGenKeyRange = 43,
    kGenVelRange = 44,
    kGenInitialAttenuation = 48,
    kGenSampleId = 53,
    kGenSampleModes = 54,
    kGenOverridingRootKey = 58,
};

// Bits of a modulator source: the controller index, the MIDI-controller flag, direction,
// polarity and the curve type in bits 10 and up.
enum ModulatorSource : uint16_t
{
    kSourceMidiController = 0x80,
    kSourceNegative = 0x100,
    kSourceConcave = 1u << 10,
};

// The highest key a piano zone may cover: the keys above carry the mechanical noises.
constexpr uint8_t kHighestPianoKey = 120;
constexpr uint8_t kFirstNoiseKey = 121;
constexpr uint8_t kLastNoiseKey = 127;

// The SoundFont 2 format wants this many zero points after every sample.
constexpr uint32_t kSampleGuardPoints = 46;

} // namespace mkbank
