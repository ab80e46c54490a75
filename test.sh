#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the worksheet and window
# tests, the worksheet tests again under AddressSanitizer and UBSan, a bounded fuzzing run, and,
# when Qt for Windows is in its cache, the Windows build with its tests under Wine, and the page
# as WebAssembly, with the worksheet tests under Node and the page's tests in Chromium.
# FUZZ_SECONDS sets the fuzzing time (60 by default).
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
jobs=$(nproc)
# Here, and so in CI, a warning in our own code is an error; in anyone else's build it is not.
export BLENDORA_WERROR=ON

echo "== Licences"
# Not on the left of &&, where under set -e a failure would not stop the script; a failure
# shows reuse's report, which names each file and licence at fault.
if ! reuse lint --quiet; then
  reuse lint | grep -v "^$" | tail -n 25
  exit 1
fi
echo "Every file has its copyright and licence (reuse lint)."

echo "== Worksheet tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DBLENDORA_WERROR=ON -DBLENDORA_WINDOW=OFF \
  -DBLENDORA_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
  >/dev/null
cmake --build build/asan -j "$jobs"
# A folder configured without tests must fail, not pass with nothing run.
(cd build/asan && ctest --output-on-failure --no-tests=error -j "$jobs")

echo "== Fuzzing the worksheet and the reader for ${FUZZ_SECONDS:-60} s each"
cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBLENDORA_WERROR=ON -DBLENDORA_WINDOW=OFF -DBLENDORA_TESTS=OFF -DBLENDORA_BENCH=OFF -DBLENDORA_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" \
  >/dev/null
cmake --build build/fuzz -j "$jobs"
# Each fuzzer with its own seeds and corpus; a pasted problem is longer than a row of cells.
for target in worksheet:fuzz/seeds:512 reader:fuzz/reader_seeds:4096; do
  IFS=: read -r name seeds length <<<"$target"
  mkdir -p "build/fuzz/corpus-$name"
  if ! "build/fuzz/fuzz/${name}_fuzz" -max_total_time="${FUZZ_SECONDS:-60}" -max_len="$length" \
    -artifact_prefix="build/fuzz/$name-" "build/fuzz/corpus-$name" "$seeds" \
    >"build/fuzz/$name.log" 2>&1; then
    tail -n 40 "build/fuzz/$name.log"
    echo "The fuzzer found a fault in the $name; the input that caused it is in build/fuzz/."
    exit 1
  fi
  grep -E "^Done" "build/fuzz/$name.log"
done

echo "== Windows"
source scripts/build-env.sh
if [ -x "$qt_windows/bin/qt-cmake" ]; then
  scripts/windows.sh
elif [ "${CI:-}" = true ]; then
  echo "No Qt for Windows in $qt_windows: in CI the Windows stage must run (.ci/run unpacks it)." >&2
  exit 1
else
  echo "Skipped: no Qt for Windows in $qt_windows; scripts/windows-qt.sh builds it once (most of an hour), and the stage then takes about a minute."
fi

echo "== The page"
scripts/web.sh
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)

echo "== All tests"
cmake -S . -B build/main -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBLENDORA_WERROR=ON >/dev/null
cmake --build build/main -j "$jobs"
cd build/main
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error -j "$jobs"
