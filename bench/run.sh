#!/usr/bin/env bash
# Benchmarks the real chansep binary against the I/O floor measured in the
# same run, and against a naive stdio converter. Prints medians and ratios.
#
#   bench/run.sh [RUNS]        (default 5 paired runs; needs ~1.5 GB in $TMPDIR)
#
# The floor of one run is reading the input once plus writing as many bytes
# as chansep wrote, into 16 files, both through a 1 MiB buffer with
# read(2)/write(2). ("cat input > /dev/null" is not a fair floor here: this
# cat copies to /dev/null without reading the data.)
set -euo pipefail
runs=${1:-5}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCHANSEP_BENCH=ON -DCHANSEP_TESTS=OFF >/dev/null
cmake --build "$build" -j2 >/dev/null
bin="$build/chansep"
tools="$build/bench"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

median() { sort -g | awk '{v[NR]=$1} END {print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }
# Wall seconds, peak resident KiB, user and system seconds of a command
# reading standard input from $stdin_file (default /dev/null), as
# "seconds kib user system".
measure() {
  local start end
  start=$(date +%s%N)
  /usr/bin/time -f '%M %U %S' -o "$work/time" "$@" < "${stdin_file:-/dev/null}" >/dev/null 2>&1
  end=$(date +%s%N)
  echo "$(awk -v a="$start" -v b="$end" 'BEGIN {printf "%.4f", (b - a) / 1e9}') $(cat "$work/time")"
}
range() { sort -g | awk 'NR == 1 {a = $1} {b = $1} END {print a " to " b}'; }

# Answers: scaling on (G/volt, volts), a factor per channel, means removed,
# two header lines.
answers() {
  local channels=$1 name=$2
  printf '%s out %d 1 1 1' "$name" "$channels"
  for ((k = 1; k <= channels; k++)); do printf ' %s' "$((k * 10)).5"; done
  printf ' 1 2\n'
}

echo "machine: $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2/1048576}' /proc/meminfo), $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"

for size in "100000 4" "1000000 16"; do
  set -- $size
  lines=$1 channels=$2
  "$tools/make_input" "$lines" "$channels" 2 > input.txt
  answers "$channels" input.txt > answers.txt
  in_bytes=$(stat -c %s input.txt)
  "$bin" < answers.txt > /dev/null
  out_bytes=$(cat out.[0-9]* | wc -c)
  echo
  echo "== $lines lines x $channels channels: $((in_bytes / 1000000)) MB in, $((out_bytes / 1000000)) MB out"
  : > ours; : > floor; : > ratio; : > memory; : > user; : > system
  for ((i = 1; i <= runs; i++)); do
    rm -f out.* floor.*
    sync
    read -r f_read _ < <(measure "$tools/io_floor" read input.txt)
    read -r f_write _ < <(measure "$tools/io_floor" write "$out_bytes" "$channels" floor)
    rm -f floor.*
    sync
    read -r t kib u s < <(stdin_file=answers.txt measure "$bin")
    f=$(awk -v a="$f_read" -v b="$f_write" 'BEGIN {print a + b}')
    echo "$t" >> ours; echo "$f" >> floor; echo "$kib" >> memory; echo "$u" >> user; echo "$s" >> system
    awk -v t="$t" -v f="$f" 'BEGIN {print (f > 0) ? t / f : 0}' >> ratio
  done
  t=$(median < ours); f=$(median < floor); r=$(median < ratio); m=$(median < memory)
  echo "chansep     median $t s ($(range < ours) s)   peak $((m / 1024)) MiB   CPU median $(median < user) s user, $(median < system) s system"
  echo "I/O floor   median $f s ($(range < floor) s)"
  echo "ratio to the floor, median of $runs paired runs: $r"
  awk -v t="$t" -v n="$((lines * channels))" 'BEGIN {printf "time per value: %.1f ns\n", t / n * 1e9}'
  if [ "$lines" = 1000000 ]; then
    rm -f out.*
    read -r naive _ < <(measure "$tools/naive_convert" input.txt "$channels" 2 naive)
    rm -f naive.*
    echo "naive stdio converter: $naive s, $(awk -v a="$naive" -v b="$t" 'BEGIN {printf "%.1f", a / b}') times chansep's time"
  fi
done

echo
echo "== micro benchmarks (ns per value)"
"$tools/micro_bench" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true 2>/dev/null \
  | awk '/_median/ {printf "%-36s %s %s\n", $1, $2, $3}'
