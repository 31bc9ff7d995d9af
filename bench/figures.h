#pragma once

// The two figures every benchmark prints of its repeated measurements: the
// median and the slowest.

#include <algorithm>
#include <vector>

struct Figures
{
    double median = 0;
    double slowest = 0;
};

inline Figures medianAndSlowest(std::vector<double> samples)
{
    if (samples.empty())
        return {};
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2], samples.back()};
}
