// The voices a synthesizer plays after each block of a piece: their mean over the blocks and the most at
// once.
#pragma once

#include <algorithm>
#include <cstdint>

class VoiceCount
{
public:
    void add(int voices)
    {
        sum += voices;
        most = std::max(most, voices);
        ++blocks;
    }
    double mean() const { return blocks > 0 ? sum / static_cast<double>(blocks) : 0.0; }
    int mostAtOnce() const { return most; }

private:
    double sum = 0.0;
    int most = 0;
    uint64_t blocks = 0;
};
