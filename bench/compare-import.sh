#!/bin/sh
# Runs two builds of varek-import-bench in turn on the offscreen platform and
# prints the median of every figure.
#   bench/compare-import.sh OLD_BENCH NEW_BENCH [ROUNDS] [PDN [COPIES]]
# (bench/import.md says how to build the bench for an older tree.)
set -eu
old=$1
new=$2
rounds=${3:-3}
shift $(($# < 3 ? $# : 3))
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export QT_QPA_PLATFORM=offscreen

i=0
while [ $i -lt "$rounds" ]; do
  "$old" "$@" 2>/dev/null | grep -v '^(' | grep -v '^collection' >>"$tmp/old"
  "$new" "$@" 2>/dev/null | grep -v '^(' | grep -v '^collection' >>"$tmp/new"
  i=$((i + 1))
done

medians() { awk -F': ' -f "$(dirname "$0")/medians.awk" "$1"; }
echo "medians of $rounds runs"
printf '%-46s %12s %12s\n' figure old new
medians "$tmp/old" >"$tmp/old.m"
medians "$tmp/new" >"$tmp/new.m"
paste "$tmp/old.m" "$tmp/new.m" | awk -F'\t' '{printf "%-46s %9s %-3s %8s %-3s\n", $1, $2, $3, $5, $6}'
