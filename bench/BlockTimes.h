// Times of each processed block (wall-clock, or the processor time of the thread that rendered it), the
// processor time of the whole run, and the figures a benchmark prints from them. Processor time compares
// runs fairly on a busy machine; the thread's processor time of a block is its cost without the time the
// thread waited for a core; the wall-clock time of a block is what a host's deadline sees.
#pragma once

#include <chrono>
#include <ctime>
#include <vector>

class BlockTimes
{
public:
    using Clock = std::chrono::steady_clock;

    void add(Clock::duration block) { times.push_back(std::chrono::duration<double>(block).count()); }
    void add(double seconds) { times.push_back(seconds); }
    // The processor time the calling thread has used so far, in seconds.
    static double ThreadSeconds();
    // Runs the piece's blocks through play() and keeps the processor time they took.
    template <typename Play> void measure(Play play)
    {
        const std::clock_t start = std::clock();
        play();
        cpu = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    }
    double processorSeconds() const { return cpu; }
    double total() const;
    double worst() const;
    // The time that the given fraction (0..1) of blocks stay at or below.
    double percentile(double fraction) const;

private:
    std::vector<double> times;
    double cpu = 0.0;
};
