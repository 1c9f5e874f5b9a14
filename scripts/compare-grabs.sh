#!/usr/bin/env bash
# compare-grabs.sh A B: names each grab that differs between two folders made
# by grab-views.sh, or is in only one of them; exits with 1 if any does.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 A B" >&2; exit 2; }
grabs=$( { (cd "$1" && find . -name '*.png'); (cd "$2" && find . -name '*.png'); } | sed 's|^\./||' | sort -u)
differing=0
while IFS= read -r grab; do
  [ -n "$grab" ] || continue
  if [ ! -f "$1/$grab" ] || [ ! -f "$2/$grab" ]; then
    echo "only in one: $grab"
  elif ! cmp -s "$1/$grab" "$2/$grab"; then
    echo "differs: $grab"
  else
    continue
  fi
  differing=$((differing + 1))
done <<< "$grabs"
if [ "$differing" -gt 0 ]; then
  echo "$differing of $(wc -l <<< "$grabs") grabs differ"
  exit 1
fi
echo "all $(wc -l <<< "$grabs") grabs identical"
