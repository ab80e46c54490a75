#!/usr/bin/env bash
# Every relative link and picture in README.md and docs/*.md leads to a file that exists.
# Usage: docs_links_test.sh SOURCE_DIR
set -euo pipefail
cd "$1"
documents=(README.md docs/*.md)
checked=0
broken=0
for document in "${documents[@]}"; do
  folder=$(dirname "$document")
  # Markdown links and pictures: ](target), less any #fragment; web addresses are not files.
  while IFS= read -r target; do
    target=${target%%#*}
    [ -n "$target" ] || continue
    checked=$((checked + 1))
    if [ ! -e "$folder/$target" ]; then
      echo "$document: $target does not exist"
      broken=$((broken + 1))
    fi
  done < <(grep -oE '\]\([^)]+\)' "$document" | sed -E 's/^\]\(([^) ]+).*/\1/' | grep -vE '^[a-z]+:')
done
echo "$((checked - broken)) passed, $broken failed"
[ "$checked" -gt 0 ] && [ "$broken" -eq 0 ]
