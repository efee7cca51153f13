# Native benchmarks (Google Benchmark).
