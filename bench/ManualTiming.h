#pragma once
// Timings a benchmark reports against a baseline measured in the same run
// (a walk over the tree, a memchr over the bytes): the ratio says how far
// the work is from the least any code could do, on whatever machine.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

namespace velmora::bench {

// The fastest of `rounds` runs of `work`: the baseline.
template <typename Work>
double BestSeconds(Work work, int rounds = 20) {
  double best = 1e9;
  for (int round = 0; round < rounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    work();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

// Runs `work` under manual timing and returns its mean seconds per
// iteration, so the ratio to the baseline comes from the same measurements.
template <typename Work>
double MeasureManually(benchmark::State& state, Work work) {
  double total = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(seconds);
    total += seconds;
  }
  return total / static_cast<double>(state.iterations());
}

}  // namespace velmora::bench
