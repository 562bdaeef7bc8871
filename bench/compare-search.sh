#!/bin/sh
# Runs two builds' `varek-cli bench` in turn and prints the median nodes per
# second of each and their ratio; then searches every bench position with both
# builds to its bench depth and requires the same result line (move, score,
# depth, evaluations, nodes), times left out.
#   bench/compare-search.sh OLD_VAREK_CLI NEW_VAREK_CLI [ROUNDS]
set -eu
old=$1
new=$2
rounds=${3:-5}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
rate() { "$1" bench | awk '/^total/ {print $(NF - 1)}'; }

: >/tmp/compare-search.old.$$
: >/tmp/compare-search.new.$$
i=0
while [ $i -lt "$rounds" ]; do
  rate "$old" >>/tmp/compare-search.old.$$
  rate "$new" >>/tmp/compare-search.new.$$
  i=$((i + 1))
done
o=$(median </tmp/compare-search.old.$$)
n=$(median </tmp/compare-search.new.$$)
rm -f /tmp/compare-search.old.$$ /tmp/compare-search.new.$$
printf 'bench nodes/s, median of %d: old %s, new %s, %.2fx\n' "$rounds" "$o" "$n" "$(echo "$o $n" | awk '{print $2 / $1}')"
"$new" bench | tail -n 1

# The bench suite as positions for `search`, with its depths, searched without
# the endgame database (builds whose search uses it by default are told so).
plain() { if "$1" search --no-egdb --depth 9 >/dev/null 2>&1; then echo --no-egdb; fi; }
old_flags=$(plain "$old")
new_flags=$(plain "$new")
status=0
while read -r depth position; do
  a=$("$old" search $old_flags --depth "$depth" "$position" | tail -n 1 | sed -E 's/ [0-9.e+]+ sec//; s/ [0-9]+ n\/s//')
  b=$("$new" search $new_flags --depth "$depth" "$position" | tail -n 1 | sed -E 's/ [0-9.e+]+ sec//; s/ [0-9]+ n\/s//')
  if [ "$a" = "$b" ]; then echo "same   $b"; else echo "DIFFER $position: $a | $b"; status=1; fi
done <<'SUITE'
15 B:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11,12
15 W:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,12,15
17 B:W18,19,21,23,24,26,27,28,30,31:B1,2,3,5,6,7,9,10,11,14
17 W:W15,17,19,20,22,25,27,28,29,30,32:B1,3,4,5,6,8,9,10,11,12,13
21 B:W9,19,26,27,28,30:B4,6,11,15,20,22
21 W:W22,26,30,K14,K23:B3,8,K10,K19
27 B:WK20:BK1,K6
15 B:W6,15,24,23,14,30,32:B1,3,4,12,K27
SUITE
exit $status
