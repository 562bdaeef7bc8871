#!/bin/sh
# Runs two builds of varek-window-bench in turn, at device pixel ratios 1 and
# 2 on the offscreen platform, and prints the median of every figure.
#   bench/compare-window.sh OLD_BENCH NEW_BENCH [ROUNDS]
# (bench/window.md says how to build the bench for an older tree.)
set -eu
old=$1
new=$2
rounds=${3:-7}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export QT_QPA_PLATFORM=offscreen

run() {  # build scale output
  VAREK_BENCH_START_NS=$(date +%s%N) QT_SCALE_FACTOR=$2 "$1" 2>/dev/null | grep -v '^(' >>"$3"
}

i=0
while [ $i -lt "$rounds" ]; do
  for scale in 1 2; do
    run "$old" $scale "$tmp/old.$scale"
    run "$new" $scale "$tmp/new.$scale"
  done
  i=$((i + 1))
done

# Median of each figure, in the order the bench prints them.
medians() { awk -F': ' -f "$(dirname "$0")/medians.awk" "$1"; }

for scale in 1 2; do
  echo "device pixel ratio $scale, medians of $rounds runs"
  printf '%-34s %12s %12s\n' figure old new
  medians "$tmp/old.$scale" >"$tmp/old.m"
  medians "$tmp/new.$scale" >"$tmp/new.m"
  paste "$tmp/old.m" "$tmp/new.m" | awk -F'\t' '{printf "%-34s %9s %-3s %8s %-3s\n", $1, $2, $3, $5, $6}'
  echo
done
