#!/usr/bin/env bash
# Runs the end-to-end tests against the Windows build under Wine. The test
# programs are the native ones from BUILD; they run CHANSEP_EXE through wine64
# and expect CR LF line ends in every text the program writes.
#
#   tests/wine_e2e.sh CHANSEP_EXE BUILD
set -euo pipefail
exe=$(realpath "$1")
build=$(realpath "$2")
wine=${WINE:-/usr/lib/wine/wine64}
export WINEDEBUG=-all
export CHANSEP_RUNNER="$wine" CHANSEP_UNDER_TEST="$exe" CHANSEP_TEXT_LINE_END=crlf
# One wine server for all the runs, detached from this script's output.
setsid "$(dirname "$wine")/wineserver" -p </dev/null >/dev/null 2>&1 || true
trap '"$(dirname "$wine")/wineserver" -k >/dev/null 2>&1 || true' EXIT
status=0
for t in chansep_test channel_files_test parameter_file_test hostile_input_test; do
  echo "== $t under Wine"
  "$build/tests/$t" --gtest_brief=1 </dev/null || status=1
done
exit $status
