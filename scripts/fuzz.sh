#!/bin/bash
# Runs every libFuzzer target for a bounded time (make fuzz).
#
#   FUZZ_SECONDS   seconds per target (default 60)
#   FUZZ_TARGETS   the targets to run (default: all)
#   FUZZ_BUILD_DIR build folder of the fuzz preset (default build/fuzz)
#
# Each target starts from its seed corpus in fuzz/corpus/<target>/ and keeps
# what it finds in fuzz/corpus-work/<target>/ (not in git), so later runs go
# on where earlier ones stopped. A finding stops the script with the
# target's output and the crashing input in <build>/fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${FUZZ_SECONDS:-60}"
build_dir="${FUZZ_BUILD_DIR:-build/fuzz}"
targets="${FUZZ_TARGETS:-TreeTextFuzzer IniTextFuzzer PayloadFuzzer BranchTextFuzzer DiffFuzzer RunRecordFuzzer VersionCommentFuzzer}"

cmake --preset fuzz -B "$build_dir" >/dev/null
cmake --build "$build_dir" --target fuzzers

for target in $targets; do
  work="fuzz/corpus-work/$target"
  artifacts="$build_dir/fuzz/artifacts/$target/"
  mkdir -p "$work" "$artifacts"
  echo "fuzz: $target for ${seconds}s"
  start=$(date +%s)
  # Deep trees are legitimate input: allow the parser's 50 MB cases their
  # memory, but stop anything that hangs.
  nice "$build_dir/fuzz/$target" \
    -max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 -max_len=65536 \
    -print_final_stats=1 -artifact_prefix="$artifacts" \
    "$work" "fuzz/corpus/$target" 2>"$build_dir/fuzz/$target.log" || {
      tail -n 40 "$build_dir/fuzz/$target.log"
      echo "fuzz: $target found a problem; see $artifacts" >&2
      exit 1
    }
  grep -E '^stat::number_of_executed_units' "$build_dir/fuzz/$target.log" || true
  echo "fuzz: $target ran $(( $(date +%s) - start ))s without a finding"
done
