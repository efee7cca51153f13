#!/bin/bash
# Runs the benchmarks (make bench), each figure beside its reference and its
# bound:
# - the size of the i686 player stub beside the NSIS stub (34 KB) and 7-Zip's
#   smallest self-extractor (27 KB);
# - the native benchmarks (Google Benchmark);
# - velmora-cli convert of a tree file of 10^6 nodes (load and save) against
#   copying the same file with dd and a sync at the end, in the same rounds,
#   and the convert's peak memory against the file's size;
# - velmora-cli show of a chain 10^4 levels deep: its peak memory against
#   the file's size (the outline is streamed, not built);
# - under Wine, when the cross64 build is there: the tree view's first fill
#   of 100,000 nodes against a raw insert loop, opening a file of 100,000
#   nodes in the editor against the parse plus that loop, and a keystroke in
#   the title box at 100,000 nodes against one at 1,000 (flat).
# The times are medians of rounds that alternate with their references, so
# a machine busy with other work slows both sides alike.
#
#   BENCH_BUILD_DIR  native build folder (default build/native)
#   BENCH_CROSS_DIR  x86_64 Windows build folder (default build/cross64)
#   BENCH_ROUNDS     rounds of the convert/dd comparison (default 5)
#   BENCH_WINE_ROUNDS rounds of each Windows measurement (default 5)
#   BENCH_FILTER     --benchmark_filter for the Google Benchmark programs
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir="${BENCH_BUILD_DIR:-build/native}"
cross_dir="${BENCH_CROSS_DIR:-build/cross64}"
rounds="${BENCH_ROUNDS:-5}"
wine_rounds="${BENCH_WINE_ROUNDS:-5}"
time_bound=5
memory_bound=3

now_ns() { date +%s%N; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# The peak resident memory of a command in KiB, as the kernel counts it.
peak_kib() {
  python3 -c 'import resource, subprocess, sys
code = subprocess.run(sys.argv[1:]).returncode
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)
sys.exit(code)' "$@"
}

native_benchmarks() {
  "$build_dir/bench/velmora_benchmarks" ${BENCH_FILTER:+--benchmark_filter="$BENCH_FILTER"}

  work=$(mktemp -d "${TMPDIR:-/tmp}/velmora-bench.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  "$build_dir/bench/velmora-bench-tree" 1000000 "$work/tree.tre"
  file_bytes=$(stat -c %s "$work/tree.tre")
  echo
  echo "convert of a tree file of 10^6 nodes ($file_bytes bytes) vs dd conv=fsync:"

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
  peak=$(peak_kib "$build_dir/cli/velmora-cli" convert "$work/tree.tre" "$work/out.tre")

  dd_ms=$(printf '%s\n' "${dd_times[@]}" | median | awk '{ printf "%.1f", $1 / 1e6 }')
  convert_ms=$(printf '%s\n' "${convert_times[@]}" | median | awk '{ printf "%.1f", $1 / 1e6 }')
  echo "  dd conv=fsync       median of $rounds: $dd_ms ms"
  echo "  velmora-cli convert median of $rounds: $convert_ms ms"
  awk -v c="$convert_ms" -v d="$dd_ms" -v b="$time_bound" \
    'BEGIN { r = c / d; printf "  ratio convert / dd: %.2f (bound: at most %d)%s\n", r, b, r <= b ? "" : "  EXCEEDED" }'
  awk -v p="$peak" -v f="$file_bytes" -v b="$memory_bound" \
    'BEGIN { r = p * 1024 / f; printf "  peak memory of convert: %.1f MB, / file size: %.2f (bound: at most %d)%s\n",
             p / 1024, r, b, r <= b ? "" : "  EXCEEDED" }'

  # show streams its outline: a chain of 10^4 levels writes some 100 MB of
  # indentation, yet needs no more memory than the file it reads.
  python3 -c 'import sys
with open(sys.argv[1], "wb") as f:
    for level in range(10000): f.write(b"\t" * level + b"? q\r\n")' "$work/chain.tre"
  chain_bytes=$(stat -c %s "$work/chain.tre")
  peak=$(peak_kib "$build_dir/cli/velmora-cli" show "$work/chain.tre" > /dev/null)
  echo
  awk -v p="$peak" -v f="$chain_bytes" -v b="$memory_bound" \
    'BEGIN { r = p * 1024 / f; printf "show of a chain of 10^4 levels (%d bytes): peak %.1f MB, / file size: %.2f (bound: at most %d)%s\n",
             f, p / 1024, r, b, r <= b ? "" : "  EXCEEDED" }'
}

windows_benchmarks() {
  local tree_view_timing="$cross_dir/bench/TreeViewTiming.exe"
  local open_timing="$cross_dir/bench/OpenDocumentTiming.exe"
  local title_timing="$cross_dir/bench/TitleKeystrokeTiming.exe"
  if [ ! -f "$tree_view_timing" ] || [ ! -f "$open_timing" ] || [ ! -f "$title_timing" ]; then
    echo "tree view under Wine: skipped, no cross64 build (cmake --preset cross64 && cmake --build --preset cross64)"
    return 0
  fi
  # One virtual display for both programs.
  if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --windows-only
    return
  fi
  local wine=(scripts/wine-run.sh --arch win64 --prefix "$PWD/$cross_dir/wineprefix")
  echo "tree view of 100,000 nodes under Wine (x86_64):"
  "${wine[@]}" "$tree_view_timing" 100000 "$wine_rounds"
  echo
  echo "opening a file of 100,000 nodes in the editor under Wine (x86_64):"
  "${wine[@]}" "$open_timing" 100000 "$wine_rounds"
  echo
  echo "a keystroke in the title box under Wine (x86_64):"
  "${wine[@]}" "$title_timing" 100000
}

# The stub every generated executable starts with, against the stubs of an
# installer maker and of a self-extractor that end users' machines already
# judge by their size.
stub_size() {
  local stub=build/cross/app/Velmora.bin
  if [ ! -f "$stub" ]; then
    echo "player stub: skipped, no i686 build (cmake --preset cross && cmake --build --preset cross)"
    return
  fi
  local bytes
  bytes=$(stat -c %s "$stub")
  awk -v b="$bytes" 'BEGIN { printf "player stub Velmora.bin (i686): %.1f KB (%d bytes); NSIS stub: 34 KB; 7-Zip smallest SFX: 27 KB; bound: at most 64 KB%s\n",
    b / 1024, b, b <= 65536 ? "" : "  EXCEEDED" }'
}

if [ "${1:-}" = --windows-only ]; then
  windows_benchmarks
  exit
fi
stub_size
echo
native_benchmarks
echo
windows_benchmarks
