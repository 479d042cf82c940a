// Wall-clock time of each processed block, and the figures a benchmark prints from them.
#pragma once

#include <chrono>
#include <vector>

class BlockTimes
{
public:
    using Clock = std::chrono::steady_clock;

    void add(Clock::duration block) { times.push_back(std::chrono::duration<double>(block).count()); }
    double total() const;
    double worst() const;
    // The time that the given fraction (0..1) of blocks stay at or below.
    double percentile(double fraction) const;

private:
    std::vector<double> times;
};
