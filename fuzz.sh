#!/usr/bin/env bash
# Builds the fuzz targets (clang, AddressSanitizer + UndefinedBehaviorSanitizer)
# and runs each for the given seconds (default 60), all at once.
#   ./fuzz.sh [seconds] [target ...]     targets by name: ssq_file, settings, ...
# Seeds come from fuzz/corpus/<target>, a dictionary from fuzz/<target>.dict
# where there is one; what a run adds to them stays in the
# build folder (build-fuzz/corpus). A finding is kept in build-fuzz/findings/<target>
# and makes the script fail. Replay one: build-fuzz/fuzz/fuzz_<target> <file>
set -euo pipefail
source "$(dirname "$0")/tools/setup.sh"

seconds="${1:-60}"
shift || true
kelton_fuzz_setup
KELTON_BUILD="${KELTON_FUZZ_BUILD:-$KELTON_ROOT/build-fuzz}"
CC=clang CXX=clang++ kelton_build -DKELTON_FUZZ=ON -DKELTON_BUILD_UI=OFF \
  -DKELTON_BUILD_TESTS=OFF -DKELTON_BUILD_BENCH=OFF

if (($#)); then
  targets=("$@")
else
  targets=()
  for src in "$KELTON_ROOT"/fuzz/fuzz_*.cpp; do
    name="$(basename "$src" .cpp)"
    targets+=("${name#fuzz_}")
  done
fi

# The longest input a target is given: room above its largest seed (a
# history of 310 draws, a statistics file of 311 records), so that the
# look-backs of the statistics are reached. Others take libFuzzer's default.
max_len_of() {
  case "$1" in
    lottor_data) echo 16384 ;;
    stat_file) echo 2097152 ;;
  esac
}

# The longest an input may take before it counts as a hang: the default,
# but a minute for the targets whose seeds hold lists at their limit (a
# scheme or panel file of 32,767 items, a formula file filling the
# definition text), which take seconds each under the sanitizers. A loop
# that never ends, or work that grows with the square of the items, still
# passes it.
timeout_of() {
  case "$1" in
    scheme_file | other_sections | way_file) echo 60 ;;
    *) echo 10 ;;
  esac
}

runs="$KELTON_BUILD/fuzz-runs"
rm -rf "$runs"
mkdir -p "$runs"
pids=()
for t in "${targets[@]}"; do
  corpus="$KELTON_BUILD/corpus/$t"
  findings="$KELTON_BUILD/findings/$t"
  mkdir -p "$corpus" "$findings"
  seeds=()
  [ -d "$KELTON_ROOT/fuzz/corpus/$t" ] && seeds=("$KELTON_ROOT/fuzz/corpus/$t")
  dict=()
  [ -f "$KELTON_ROOT/fuzz/$t.dict" ] && dict=(-dict="$KELTON_ROOT/fuzz/$t.dict")
  # -timeout: an input taking longer counts as a hang (timeout_of);
  # -rss_limit_mb: as a runaway allocation.
  max_len="$(max_len_of "$t")"
  "$KELTON_BUILD/fuzz/fuzz_$t" "$corpus" "${seeds[@]}" "${dict[@]}" ${max_len:+-max_len="$max_len"} \
    -max_total_time="$seconds" -timeout="$(timeout_of "$t")" -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$findings/" \
    >"$runs/$t.log" 2>&1 &
  pids+=($!)
done

failed=0
for i in "${!targets[@]}"; do
  t="${targets[$i]}"
  if wait "${pids[$i]}"; then
    result="ok"
  else
    result="FINDING"
    failed=1
  fi
  execs="$(grep -m1 -o 'stat::number_of_executed_units: [0-9]*' "$runs/$t.log" | grep -o '[0-9]*$' || echo '?')"
  printf '%-16s %-8s %12s runs\n' "$t" "$result" "$execs"
  if [ "$result" != ok ]; then
    grep -E 'ERROR|SUMMARY|check failed|runtime error|Test unit written|timeout|out-of-memory' "$runs/$t.log" | head -20
  fi
done
exit "$failed"
