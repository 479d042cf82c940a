// Checks every block an instance writes: each sample finite and no louder than the output limiter can let
// through. The limiter holds -0.5 dB (0.944); its envelope closes 99 % of a step within the 5 ms attack,
// which is also its look-ahead, and falls back over 50 ms. A peak that its hold misses comes out above the
// threshold by at most 1 / ((1 - 0.01) x 0.01^(5 / 50)): 1.51 at every rate.
#pragma once

#include <string>

class OutputWatch
{
public:
    // An empty text when the block is sound, else what is wrong with it.
    std::string check(const float* left, const float* right, int frames);

    static double threshold();
    static double ceiling();
    // The largest sample magnitude seen so far.
    double largest() const { return largestSeen; }

private:
    double largestSeen = 0.0;
};
