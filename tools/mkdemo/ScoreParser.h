#pragma once

#include "mkdemo/Score.h"

#include <string>
#include <vector>

namespace mkdemo
{

// Compiles score text into a Score. The text is a list of bars; within a bar each line names a voice and
// spells its notes, and every voice line must fill the bar exactly:
//
//   title Nocturne             meter 4/4            tempo 63 (from the start of the current bar)
//   bar 3
//   rh    mp e5:h d5:e c5 b4 [c5 e5]:q.+e   (dynamics ppp..fff, <f / >pp hairpins to the bar's end,
//                                           durations w h q e s t with . and /3, a missing duration repeats
//                                           the last, ^ accents, ' shortens to staccato, r rests)
//   pedal down:h change:h up:q hold:q       (change lifts on the beat and presses again just after)
//   tempo 63:h 60:h                         (tempo changes inside the bar)
//
// Pitches run from a0 to c8 with # and b; c4 is middle C. A key struck again while still sounding in any
// voice is an error, because one piano key cannot sound twice.
class ScoreParser
{
public:
    bool parse(const std::string& text);
    const Score& score() const { return parsed; }
    const std::string& error() const { return errorText; }

private:
    struct VoiceState
    {
        int velocity = 64;
        uint64_t lastDuration = 0;
    };

    bool parseLine(const std::vector<std::string>& tokens);
    bool parseVoiceLine(const std::string& name, const std::vector<std::string>& tokens);
    bool parsePedalLine(const std::vector<std::string>& tokens);
    bool parseTempoLine(const std::vector<std::string>& tokens);
    bool parseDuration(const std::string& text, uint64_t& ticks) const;
    void finishBar();
    bool checkOverlaps();
    int voiceIndex(const std::string& name);
    bool fail(const std::string& message);

    Score parsed;
    std::string errorText;
    int lineNumber = 0;
    int barNumber = 0;
    uint64_t barStart = 0;
    uint64_t barLength = 0;
    std::vector<VoiceState> voiceStates;
    std::vector<std::string> voicesInBar;
};

} // namespace mkdemo
