// Times of each processed block (wall-clock, or the processor time of the thread that rendered it) and the
// figures a benchmark prints from them. The thread's processor time of a block is its cost without the
// time the thread waited for a core; the wall-clock time of a block is what a host's deadline sees.
#pragma once

#include <chrono>
#include <vector>

class BlockTimes
{
public:
    using Clock = std::chrono::steady_clock;

    void add(Clock::duration block) { times.push_back(std::chrono::duration<double>(block).count()); }
    void add(double seconds) { times.push_back(seconds); }
    double total() const;
    double worst() const;
    // The time that the given fraction (0..1) of blocks stay at or below.
    double percentile(double fraction) const;

private:
    std::vector<double> times;
};
