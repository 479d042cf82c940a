// The note sequence on the synthesizer library alone, loaded by its own loader, rendered in the same
// blocks and split at the same event frames as the plug-in renders: the cost the plug-in is measured
// against, bare (without chorus or reverb) or with the library's own reverb and chorus on.
#pragma once

#include <memory>
#include <string>

#include "PieceRun.h"
#include "VoiceCount.h"
#include "engine/FluidSynthApi.h"

class BareSynthRun : public PieceRun
{
public:
    explicit BareSynthRun(bool withOwnEffects) : ownEffects(withOwnEffects) {}
    ~BareSynthRun() override;

    // False with a message in error when the synthesizer or the bank cannot be set up.
    bool open(const std::string& riffBank, const NoteSequence& notes, int sampleRate, int blockFrames,
              std::string& error);

    VoiceCount voices;

private:
    void playBlock() override;

    bool ownEffects; // the library's reverb and chorus on
    engine::fluid_settings_t* settings = nullptr;
    engine::fluid_synth_t* synth = nullptr;
    std::unique_ptr<float[]> left;
    std::unique_ptr<float[]> right;
};
