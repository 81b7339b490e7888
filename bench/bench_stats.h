// Summaries of timed samples for the benchmark suite.
#pragma once

#include <algorithm>
#include <vector>

struct Timing {
    double median = 0, p99 = 0;  // in the samples' unit
    size_t samples = 0;
};

inline Timing Summarize(std::vector<double> samples) {
    Timing t;
    t.samples = samples.size();
    if (samples.empty()) return t;
    std::sort(samples.begin(), samples.end());
    t.median = samples[samples.size() / 2];
    t.p99 = samples[std::min(samples.size() - 1, samples.size() * 99 / 100)];
    return t;
}
