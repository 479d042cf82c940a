// The voices of each key's latest strike, kept by the note-on path so that a piano key sounds as one set of
// strings: a new strike of a key fades its earlier strike out and ends it, and the voices of a released key
// take their release from the dampers (the sustain pedal part way down) and from how fast the key came up.
// The synthesizer keeps every strike as voices of its own and recycles voices, so a voice is known by its
// pointer and the id of its note-on, and looked at only while the synthesizer still plays that note.
// Threads: attach and detach while no audio is rendered; everything else on the thread that sends notes and
// renders. Nothing allocates after construction.
#pragma once

#include <memory>

#include "engine/FluidSynthApi.h"
#include "piano/BankLayout.h"

namespace engine
{

class KeyStrikes
{
public:
    // How long an earlier strike takes to fade out: long enough that its largest step stays under what a
    // 30 ms fade gives and that even A0 (36 ms a period) fades over more than a period, short enough that it
    // hardly rings alongside the new strike.
    static constexpr double kFadeSeconds = 0.05;
    // Voices one strike of a key may start and still be followed; more are left to the synthesizer.
    static constexpr int kVoicesPerStrike = 16;
    // Keys that take part: the piano's; the noise keys above keep the bank's own rules.
    static constexpr int kKeys = piano::kHighestPianoZoneKey + 1;
    // The synthesizer's rendering block.
    static constexpr int kBlockFrames = 64;

    KeyStrikes();
    ~KeyStrikes();
    KeyStrikes(const KeyStrikes&) = delete;
    KeyStrikes& operator=(const KeyStrikes&) = delete;

    // The synthesizer whose voices follow, and its rate, which decides how many of its blocks a fade takes.
    void attach(fluid_synth_t* newSynth, double rate);
    // Forgets every voice: the synthesizer that played them is gone.
    void detach();

    // The note-on path of a strike: beginStrike before its first voice, prepareVoice when a voice's
    // generators are set and it is about to start (it gets the key's exclusive class, through which the
    // synthesizer puts the key's earlier voices into their release whatever the pedals hold), addVoice once
    // it has started, and finishStrike after the last. The earlier strike then fades out over the next
    // blocks; a strike that was still fading falls silent within the next block, so that no more than the
    // new strike and one fading strike of a key sound at once.
    void beginStrike(int channel, int key);
    void prepareVoice(fluid_voice_t* voice) const;
    void addVoice(fluid_voice_t* voice);
    void finishStrike();

    // After a note-off (or a note-on of velocity 0) reached the synthesizer: the key's voices that it let go
    // take their release from the dampers, shortened by a fast release velocity (above 64) and lengthened
    // by a slow one; 64 and 0 (no velocity) keep the voice's own release.
    void keyReleased(int channel, int key, int releaseVelocity);
    // After the sustain pedal reached the synthesizer: 1 with the dampers resting on the strings, 0 with
    // them lifted away, between for a pedal part way down. The released voices' releases follow it from
    // the voice's own (1) towards its undamped decay; fully lifted dampers leave released voices as they
    // are, as the pedal never brings back a note that already fell silent.
    void setDamping(float damping);

    // While a fade runs the synthesizer is rendered a block at a time, and stepFades comes before each.
    bool fading() const { return fadingKeys > 0; }
    void stepFades();

private:
    struct Voice
    {
        fluid_voice_t* voice = nullptr;
        unsigned int id = 0;
        float attenuation = 0.0f; // the voice's own, in centibels
        float release = 0.0f;     // the voice's own release, in timecents
        float modRelease = 0.0f;
        float freeDecay = 0.0f;    // how fast it fades with the dampers away from it
        float releaseShift = 0.0f; // from the key's release velocity
        float releaseSet = 0.0f;   // the release last written
    };
    struct Strike
    {
        int channel = -1;
        int count = 0;
        int fadeStep = 0;
        Voice voices[kVoicesPerStrike];
    };
    // A key's sounding strike, the one fading out, and one already silent that ends at the next block.
    struct Key
    {
        Strike current;
        Strike fading;
        Strike silenced;
    };

    static bool stillPlays(const Voice& voice);
    static bool isReleased(const Voice& voice);
    static void setGenerator(const Voice& voice, int generator, float value);
    void startFade(Strike& strike);
    void silence(Key& key, int blocksToEnd);
    static void end(Strike& strike);
    void applyRelease(Voice& voice) const;
    // The synthesizer takes changes to its voices made outside its own calls only once one of its calls
    // returns; asking it for its voice count is the lightest such call.
    void commit() const;

    fluid_synth_t* synth = nullptr;
    std::unique_ptr<Key[]> keys;
    Strike pending;
    int pendingKey = -1;
    int fadingKeys = 0;
    int fadeSteps = 1;
    float damping = 1.0f;
};

} // namespace engine
