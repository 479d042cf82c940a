// Checks every block an instance writes: each sample finite and no louder than the output limiter can let
// through. The limiter's threshold is -0.5 dB (0.944); a peak that its hold misses comes out above it, by
// at most threshold / ((1 - attack^n) x release^n) for a look-ahead of n samples, the bound its own tests
// establish for inputs of any size. With the look-ahead at the attack time of 5 ms and a 50 ms release,
// that is 1.51 at every rate.
#pragma once

#include <string>

class OutputWatch
{
public:
    explicit OutputWatch(float startRate);

    // Mirrors the instrument: a rate that is not positive and finite is not taken.
    void rateChanged(float rate);
    // An empty text when the block is sound, else what is wrong with it.
    std::string check(const float* left, const float* right, int frames);

    double ceiling() const { return ceiling_; }
    double threshold() const { return threshold_; }
    // The largest sample magnitude seen so far.
    double largest() const { return largest_; }

private:
    double threshold_ = 0.0;
    double ceiling_ = 0.0;
    double largest_ = 0.0;
};
