// A tuning message from the sequencer, checked and read from a whole system-exclusive dump (F0 to F7): the
// MIDI Tuning Standard's real-time single-note tuning change (with or without its tuning bank), its
// scale/octave tuning in the 1- and 2-byte forms, and the universal master fine and coarse tuning.
// The piano answers device ID 0 and the all-call 127, and has one tuning program, program 0 of bank 0,
// which every MIDI channel plays. A dump that is anything else, cut short or too long, carries a byte of
// 128 or more inside, names no channel or sets a bit of the channel mask that no channel has, is not a
// tuning message for it. None of these messages carries a checksum.
// Threads: any; the audio thread reads dumps with it, so reading never allocates.
#pragma once

#include <cstdint>

namespace piano
{

class TuningMessage
{
public:
    enum class Kind
    {
        None,
        KeyPitches,   // single-note tuning change: the pitch of some keys
        Octave,       // scale/octave tuning: every octave alike
        MasterFine,   // master fine tuning, in cents
        MasterCoarse, // master coarse tuning, in semitones
    };

    static constexpr int kDeviceId = 0;
    static constexpr int kAllDevices = 0x7F;
    // The longest dump that can be a tuning message: a single-note change of 127 keys with its bank.
    static constexpr int kMaxBytes = 9 + 4 * 127;
    // A single-note change names at most this many keys; a key may come more than once, the last counts.
    static constexpr int kMaxChanges = 127;

    // Reads a dump; false, and kind None, when it is not a tuning message for the piano.
    bool read(const std::uint8_t* dump, int length);

    Kind kind = Kind::None;
    // The real-time form: notes already sounding follow the change. Otherwise only the notes struck after it
    // do. The master tunings are real-time messages.
    bool sounding = false;
    // KeyPitches: the keys and their new pitches in cents above key 0 (key 69 at 6900 is A 440).
    int keyCount = 0;
    std::uint8_t keys[kMaxChanges] = {};
    double keyCents[kMaxChanges] = {};
    // Octave: each pitch class's offset from equal temperament in cents, C first.
    double octaveCents[12] = {};
    // MasterFine: cents; MasterCoarse: semitones.
    double masterCents = 0.0;
    int masterSemitones = 0;

private:
    bool readKeyPitches(const std::uint8_t* body, int length);
    bool readOctave(const std::uint8_t* body, int length, bool twoBytes);
    bool readMaster(const std::uint8_t* body, int length, bool fine);
};

} // namespace piano
