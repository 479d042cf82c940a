#include "BlockTimes.h"

#include <algorithm>
#include <numeric>

double BlockTimes::total() const
{
    return std::accumulate(times.begin(), times.end(), 0.0);
}

double BlockTimes::worst() const
{
    return times.empty() ? 0.0 : *std::max_element(times.begin(), times.end());
}

double BlockTimes::percentile(double fraction) const
{
    if (times.empty())
        return 0.0;
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    const auto index = static_cast<size_t>(fraction * static_cast<double>(sorted.size() - 1));
    return sorted[index];
}
