#!/usr/bin/env bash
# Makes the release of this commit twice, in two clean clones that differ in folder, start time,
# umask and time zone, and fails naming each file whose bytes differ (diffoscope shows where).
#   scripts/reproducible.sh [WORK]   the clones go into WORK (a new temporary folder by default)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh release
source=$PWD
work=${1:-$(mktemp -d)}

# release FOLDER UMASK TIME_ZONE: a clone of this commit in FOLDER, and its release
release() {
  git clone -q "$source" "$1"
  echo "== A release in $1 (umask $2, TZ=$3, $(date -u +%H:%M:%S) UTC)"
  (cd "$1" && umask "$2" && TZ=$3 scripts/release.sh)
}
first_started=$(date +%s)
release "$work/one/blendora" 022 UTC
# The second starts a minute or more after the first, so that no clock reading can agree.
sleep $((first_started + 61 - $(date +%s) > 0 ? first_started + 61 - $(date +%s) : 0))
release "$work/two/somewhere else/blendora-copy" 002 Asia/Tokyo
first="$work/one/blendora/build/release"
second="$work/two/somewhere else/blendora-copy/build/release"

same=0
differ=0
for name in $( (ls "$first" && ls "$second") | LC_ALL=C sort -u); do
  if cmp -s "$first/$name" "$second/$name"; then
    same=$((same + 1))
  else
    differ=$((differ + 1))
    echo "DIFFERS: $name"
    diffoscope --text - "$first/$name" "$second/$name" 2>&1 | head -n 80 || true
  fi
done
if [ "$differ" -eq 0 ] && [ -z "${1:-}" ]; then
  rm -rf "$work"
fi
echo "reproducible: $same passed, $differ failed"
[ "$differ" -eq 0 ]
