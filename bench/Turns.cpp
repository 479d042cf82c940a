#include "Turns.h"

#include <algorithm>

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : 0.5 * (values[middle - 1] + values[middle]);
}

void TakeTurns(const std::vector<std::function<void(uint64_t)>>& players, uint64_t frames,
               uint64_t turnFrames)
{
    size_t first = 0;
    for (uint64_t end = turnFrames; end < frames + turnFrames; end += turnFrames)
    {
        for (size_t i = 0; i < players.size(); ++i)
            players[(first + i) % players.size()](end);
        first = (first + 1) % players.size();
    }
}

void Figures::take(double roundSeconds, const BlockTimes& blocks)
{
    seconds.push_back(roundSeconds);
    worst = std::max(worst, blocks.worst());
    percentile999 = std::max(percentile999, blocks.percentile(0.999));
}

double Figures::against(const Figures& other) const
{
    std::vector<double> ratios;
    for (size_t round = 0; round < seconds.size() && round < other.seconds.size(); ++round)
        ratios.push_back(seconds[round] / other.seconds[round]);
    return Median(ratios);
}
