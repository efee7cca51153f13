#!/bin/bash
# Runs the native benchmarks (make bench), then times velmora-cli convert of
# a tree file of 10^6 nodes against copying the same file with dd and a sync
# at the end, side by side, and prints the ratio.
#
#   BENCH_BUILD_DIR  native build folder (default build/native)
#   BENCH_ROUNDS     rounds of the convert/dd comparison (default 5)
#   BENCH_FILTER     --benchmark_filter for the Google Benchmark programs
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir="${BENCH_BUILD_DIR:-build/native}"
rounds="${BENCH_ROUNDS:-5}"

"$build_dir/bench/velmora_benchmarks" ${BENCH_FILTER:+--benchmark_filter="$BENCH_FILTER"}

work=$(mktemp -d "${TMPDIR:-/tmp}/velmora-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$build_dir/bench/velmora-bench-tree" 1000000 "$work/tree.tre"
echo
echo "convert of a tree file of 10^6 nodes ($(stat -c %s "$work/tree.tre") bytes) vs dd conv=fsync:"

now_ns() { date +%s%N; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

convert_times=()
dd_times=()
for round in $(seq "$rounds"); do
  rm -f "$work/copy.tre" "$work/out.tre"
  start=$(now_ns)
  dd if="$work/tree.tre" of="$work/copy.tre" bs=1M conv=fsync status=none
  dd_times+=($(( $(now_ns) - start )))
  start=$(now_ns)
  "$build_dir/cli/velmora-cli" convert "$work/tree.tre" "$work/out.tre"
  convert_times+=($(( $(now_ns) - start )))
  cmp -s "$work/tree.tre" "$work/out.tre" || { echo "bench: convert changed the file" >&2; exit 1; }
done

dd_ms=$(printf '%s\n' "${dd_times[@]}" | median | awk '{ printf "%.1f", $1 / 1e6 }')
convert_ms=$(printf '%s\n' "${convert_times[@]}" | median | awk '{ printf "%.1f", $1 / 1e6 }')
echo "  dd conv=fsync       median of $rounds: $dd_ms ms"
echo "  velmora-cli convert median of $rounds: $convert_ms ms"
awk -v c="$convert_ms" -v d="$dd_ms" 'BEGIN { printf "  ratio convert / dd: %.2f (aim: at most 10)\n", c / d }'
