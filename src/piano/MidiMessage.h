#pragma once

#include <cstdint>

namespace piano
{

// One channel-voice MIDI message for the engine: status with the channel in its low nibble, two data
// bytes. The packed form is that of a VST MIDI event's bytes read as one little-endian integer.
struct MidiMessage
{
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;

    static constexpr std::uint8_t kNoteOff = 0x80;
    static constexpr std::uint8_t kNoteOn = 0x90;
    static constexpr std::uint8_t kControlChange = 0xB0;

    // The controllers the instrument handles.
    static constexpr int kVolume = 7;
    static constexpr int kSustain = 64;
    static constexpr int kSostenuto = 66;
    static constexpr int kSoftPedal = 67;
    static constexpr int kResonance = 71;
    static constexpr int kHammer = 75;
    static constexpr int kBassGain = 76;
    static constexpr int kMidGain = 77;
    static constexpr int kHighGain = 78;
    static constexpr int kReverb = 91;
    static constexpr int kChorus = 93;
    // Channel-mode messages a host sends on stop and from its panic button.
    static constexpr int kAllSoundOff = 120;
    static constexpr int kResetAllControllers = 121;
    static constexpr int kAllNotesOff = 123;

    // Builds a message on channel 0; data bytes are limited to 0..127.
    static MidiMessage make(std::uint8_t status, int data1, int data2);

    std::int32_t packed() const;
    static MidiMessage unpack(std::int32_t packed);
    // Packs status and data bytes as they arrive from outside: each data byte keeps its low seven bits.
    static std::int32_t pack(std::uint8_t status, int data1, int data2);
};

inline bool operator==(const MidiMessage& a, const MidiMessage& b)
{
    return a.status == b.status && a.data1 == b.data1 && a.data2 == b.data2;
}

} // namespace piano
