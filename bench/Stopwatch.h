// Wall-clock timing with the performance counter, and the median of repeated runs.
#pragma once

#include <functional>
#include <vector>

// Milliseconds since construction, or since a counter value that another process took: the
// counter is the same for every process of the machine.
class Stopwatch {
  public:
    Stopwatch();
    explicit Stopwatch(long long startCount) : start_(startCount) {}
    double ElapsedMs() const;
    long long StartCount() const { return start_; }

  private:
    long long start_;
};

double Median(std::vector<double> samples);

// Runs each measure once to warm caches, then `repeats` times in turn, so that drifts of the
// machine hit both alike; the medians, in the order given, in milliseconds.
std::vector<double> MedianTimes(const std::vector<std::function<double()>>& measures, int repeats);
