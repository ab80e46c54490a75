#!/usr/bin/env bash
# Runs Node's test runner over the given folders, as CTest does for the page's tests, and fails a
# run that found no test: the runner itself exits 0 on a folder with no file of its pattern.
# A step that hangs fails its test well before CTest's timeout, and a file whose test failed
# while holding a connection still ends.
set -uo pipefail
log=$(mktemp)
trap 'rm -f "$log"' EXIT
node --test --test-timeout=120000 --test-force-exit "$@" | tee "$log"
status=${PIPESTATUS[0]}
if ! grep -Eq '^# tests [1-9]' "$log"; then
  echo "No test ran in $*: no file there matches *.test.mjs." >&2
  exit 1
fi
exit "$status"
