#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mkdemo
{

struct ScoreNote
{
    uint64_t start = 0;  // ticks
    uint64_t length = 0; // ticks
    uint8_t key = 60;
    uint8_t velocity = 64;
    int voice = 0;
    int bar = 0; // for messages
};

struct ScorePedal
{
    uint64_t tick = 0;
    bool down = false;
};

struct ScoreTempo
{
    uint64_t tick = 0;
    double beatsPerMinute = 120.0;
};

// A piece as compiled from its score text: every note, pedal movement and tempo on one tick grid.
struct Score
{
    std::string title;
    uint16_t ticksPerQuarter = 480;
    int meterNumerator = 4;
    int meterDenominator = 4;
    std::vector<std::string> voices; // in order of first appearance
    std::vector<ScoreNote> notes;
    std::vector<ScorePedal> pedal;
    std::vector<ScoreTempo> tempo;
    uint64_t endTick = 0;
};

} // namespace mkdemo
