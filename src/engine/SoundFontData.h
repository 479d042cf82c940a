#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace engine
{

// Generator numbers of the SoundFont 2 format that the reader, the loader and the bank builder name.
enum SoundFontGenerator : uint16_t
{
    kGenStartAddrsOffset = 0,
    kGenEndAddrsOffset = 1,
    kGenStartloopAddrsOffset = 2,
    kGenEndloopAddrsOffset = 3,
    kGenStartAddrsCoarseOffset = 4,
    kGenInitialFilterFc = 8,
    kGenEndAddrsCoarseOffset = 12,
    kGenPan = 17,
    kGenReleaseModEnv = 30,
    kGenAttackVolEnv = 34,
    kGenDecayVolEnv = 36,
    kGenSustainVolEnv = 37,
    kGenReleaseVolEnv = 38,
    kGenKeynumToVolEnvDecay = 40,
    kGenInstrument = 41,
    kGenKeyRange = 43,
    kGenVelRange = 44,
    kGenStartloopAddrsCoarseOffset = 45,
    kGenKeynum = 46,
    kGenVelocity = 47,
    kGenInitialAttenuation = 48,
    kGenEndloopAddrsCoarseOffset = 50,
    kGenCoarseTune = 51,
    kGenFineTune = 52,
    kGenSampleId = 53,
    kGenSampleModes = 54,
    kGenExclusiveClass = 57,
    kGenOverridingRootKey = 58,
    kGenLastValid = kGenOverridingRootKey, // higher numbers are not generators
};

// One generator record as stored: the operator and its raw 16-bit amount. Ranges keep the low
// key or velocity in the low byte and the high one in the high byte.
struct SoundFontGeneratorRecord
{
    uint16_t oper = 0;
    uint16_t amount = 0;

    int16_t signedAmount() const { return static_cast<int16_t>(amount); }
    uint8_t rangeLow() const { return static_cast<uint8_t>(amount & 0xFF); }
    uint8_t rangeHigh() const { return static_cast<uint8_t>(amount >> 8); }
};

// One modulator record as stored.
struct SoundFontModulatorRecord
{
    uint16_t source = 0;
    uint16_t destination = 0;
    int16_t amount = 0;
    uint16_t amountSource = 0;
    uint16_t transform = 0;
};

// A preset or instrument zone: the generators and modulators of one bag, in file order.
struct SoundFontZone
{
    std::vector<SoundFontGeneratorRecord> generators;
    std::vector<SoundFontModulatorRecord> modulators;
};

struct SoundFontPreset
{
    std::string name;
    uint16_t preset = 0;
    uint16_t bank = 0;
    uint32_t library = 0;
    uint32_t genre = 0;
    uint32_t morphology = 0;
    std::vector<SoundFontZone> zones;
};

struct SoundFontInstrument
{
    std::string name;
    std::vector<SoundFontZone> zones;
};

// Sample type bits of a sample header.
enum SoundFontSampleType : uint16_t
{
    kSampleMono = 0x1,
    kSampleRight = 0x2,
    kSampleLeft = 0x4,
    kSampleLinked = 0x8,
    kSampleRom = 0x8000,
};

// A sample header; positions count 16-bit sample points from the start of the sample block.
struct SoundFontSampleHeader
{
    std::string name;
    uint32_t start = 0;
    uint32_t end = 0;
    uint32_t loopStart = 0;
    uint32_t loopEnd = 0;
    uint32_t sampleRate = 0;
    uint8_t originalPitch = 60;
    int8_t pitchCorrection = 0;
    uint16_t sampleLink = 0;
    uint16_t sampleType = kSampleMono;
};

// An INFO sub-chunk other than the version: its four-letter id and its text.
struct SoundFontInfoItem
{
    std::string id;
    std::string text;
};

// The parsed structure of a SoundFont 2 file. Terminal records (EOP, EOI, EOS and the last bag,
// generator and modulator) are not part of the vectors; a writer adds them again.
struct SoundFontData
{
    uint16_t versionMajor = 2;
    uint16_t versionMinor = 1;
    std::vector<SoundFontInfoItem> info;
    std::vector<SoundFontPreset> presets;         // in file order
    std::vector<SoundFontInstrument> instruments; // in file order
    std::vector<SoundFontSampleHeader> samples;   // in file order
    uint64_t sampleDataOffset = 0; // file position of the first byte of the "smpl" chunk's data
    uint32_t sampleDataSize = 0;   // its size in bytes
};

} // namespace engine
