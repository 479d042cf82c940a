// Runs that take turns through the same piece a stretch at a time, in a changing order, so that a busy
// machine slows them alike; and the figures of one run over several rounds, each round's time compared with
// another run's in the same round. Plain functions and values, one thread.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "BlockTimes.h"

// The median of the values; 0 for none.
double Median(std::vector<double> values);

// Each player renders the piece up to a frame; they take turns `turnFrames` at a time, the first of one
// stretch going last in the next.
void TakeTurns(const std::vector<std::function<void(uint64_t)>>& players, uint64_t frames,
               uint64_t turnFrames);

// One run's figures over the rounds.
struct Figures
{
    const char* name;
    std::vector<double> seconds; // processor time of each round
    double worst = 0.0;
    double percentile999 = 0.0;

    void take(double roundSeconds, const BlockTimes& blocks);
    // The median over the rounds of this run's time against the other's in the same round.
    double against(const Figures& other) const;
};
