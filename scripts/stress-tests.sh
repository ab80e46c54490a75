#!/usr/bin/env bash
# Runs the whole CTest suite of build/main N times in a row (3 by default) while stress-ng keeps
# both cores busy, and prints "N passed, M failed" for each run: a test that passes only on an
# idle machine fails here. For developers; ./test.sh does not run it.
#   scripts/stress-tests.sh [N]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3}
scripts/deps.sh
scripts/deps.sh stress
cmake -S . -B build/main -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/main -j "$(nproc)" >/dev/null

stress-ng --cpu "$(nproc)" --quiet &
load=$!
trap 'kill "$load" 2>/dev/null || true' EXIT
failed_runs=0
for run in $(seq "$runs"); do
  log=build/main/stress-run-$run.log
  # Every run is counted, so a failing one does not end the loop; a run that printed no summary
  # (no tests found among them) counts as failed below.
  (cd build/main && QT_QPA_PLATFORM=offscreen ctest -j "$(nproc)" --output-on-failure --no-tests=error) >"$log" 2>&1 || true
  summary=$(grep -E "tests passed, [0-9]+ tests failed out of" "$log" || echo "0% tests passed, 1 tests failed out of 1")
  failed=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$summary")
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
  echo "run $run: $((total - failed)) passed, $failed failed"
  [ "$failed" -eq 0 ] || { failed_runs=$((failed_runs + 1)); grep -A1 -E "\(Failed\)|\(Timeout\)" "$log" | head -n 20; }
done
[ "$failed_runs" -eq 0 ]
