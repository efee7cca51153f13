// The numbers of a record folder: 10^3 to 10^5 run records (a year of a
// busy help desk) read and counted, bound: 10^5 within 1 s. The records
// are in memory: the time is the reading and counting, not the disk.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "distribution/RunStatistics.h"

namespace velmora::bench {
namespace {

std::vector<std::string> Records(std::size_t count) {
  std::mt19937 random(20261209);
  std::vector<std::string> records;
  records.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    std::string steps = "1";
    std::size_t node = 1;
    for (int depth = 0; depth < 8; ++depth) {
      node = node * 2 + random() % 2;
      steps += " " + std::to_string(node);
    }
    records.push_back("velmora-run 1\r\ntitle=Printer\r\nversion=0badf00d\r\nstart=2026-12-09T20:30:05Z\r\n"
                      "duration-ms=" + std::to_string(random() % 600000) + "\r\nsteps=" + steps +
                      "\r\nanswers=y n y n y n y n o\r\nend=" + std::to_string(node) + "\r\noutcome=resolved\r\n");
  }
  return records;
}

void BM_RunStatistics(benchmark::State& state) {
  const std::vector<std::string> records = Records(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    RunStatisticsBuilder builder("0badf00d", 1024);
    for (const std::string& record : records) builder.Add("velmora-run-0badf00d.txt", record);
    benchmark::DoNotOptimize(builder.Finish());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RunStatistics)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
}  // namespace velmora::bench
