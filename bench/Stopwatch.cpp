#include "bench/Stopwatch.h"

#include <windows.h>

#include <algorithm>

namespace {

long long Counter() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double CounterFrequency() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart);
}

} // namespace

Stopwatch::Stopwatch() : start_(Counter()) {}

double Stopwatch::ElapsedMs() const {
    static const double frequency = CounterFrequency();
    return static_cast<double>(Counter() - start_) * 1000.0 / frequency;
}

double Median(std::vector<double> samples) {
    if (samples.empty()) {
        return 0;
    }
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    return samples.size() % 2 != 0 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

std::vector<double> MedianTimes(const std::vector<std::function<double()>>& measures, int repeats) {
    std::vector<std::vector<double>> samples(measures.size());
    for (const auto& measure : measures) {
        measure();
    }
    for (int run = 0; run < repeats; ++run) {
        for (std::size_t i = 0; i < measures.size(); ++i) {
            samples[i].push_back(measures[i]());
        }
    }
    std::vector<double> medians;
    for (const auto& series : samples) {
        medians.push_back(Median(series));
    }
    return medians;
}
