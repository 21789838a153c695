#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS seconds
# (default 60). Fails on the first finding; the crashing input is left in the
# current folder as crash-*. New corpus entries go to a temporary folder, so
# the seeds under fuzz/corpus stay as committed.
#
#   fuzz/run.sh [SECONDS] [TARGET...]     e.g. fuzz/run.sh 3600 run
set -euo pipefail
seconds=${1:-60}
shift || true
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHANSEP_FUZZ=ON \
  -DCHANSEP_TESTS=OFF >/dev/null
cmake --build "$build" -j2 >/dev/null
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(data_field render answers run)
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
for t in "${targets[@]}"; do
  corpus=$(mktemp -d)
  echo "== fuzz_$t for $seconds s"
  "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 \
    -max_len=4096 -print_final_stats=1 "$corpus" "$root/fuzz/corpus/$t" 2>&1 | tail -n 12
  status=${PIPESTATUS[0]}
  rm -rf "$corpus"
  [ "$status" -eq 0 ] || { echo "fuzz_$t found a problem (status $status)"; exit 1; }
done
