#!/bin/sh
# Times two builds of the companion on the same perft runs, interleaved, and
# prints the median CPU seconds (user + system) of each and their ratio.
#   bench/compare-perft.sh OLD_VAREK_CLI NEW_VAREK_CLI [ROUNDS]
# The runs: perft 11 from the start, and four positions with kings.
set -eu
old=$1
new=$2
rounds=${3:-5}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
cpu() { /usr/bin/time -f '%U %S' "$@" 2>&1 >/dev/null | awk '{print $1 + $2}'; }

run() {
  label=$1
  shift
  : >/tmp/compare-perft.old.$$
  : >/tmp/compare-perft.new.$$
  i=0
  while [ $i -lt "$rounds" ]; do
    cpu "$old" perft "$@" >>/tmp/compare-perft.old.$$
    cpu "$new" perft "$@" >>/tmp/compare-perft.new.$$
    i=$((i + 1))
  done
  o=$(median </tmp/compare-perft.old.$$)
  n=$(median </tmp/compare-perft.new.$$)
  printf '%-34s %7.3f s %7.3f s %6.2fx   %s\n' "$label" "$o" "$n" "$(echo "$o $n" | awk '{print $1 / $2}')" \
    "$("$new" perft "$@" | cut -d' ' -f1-3)"
  rm -f /tmp/compare-perft.old.$$ /tmp/compare-perft.new.$$
}

printf '%-34s %9s %9s %7s\n' run old new speed-up
run "start, 11 plies" 11
run "kings only, 6 against 6, 8 plies" 8 "B:WK1,K2,K3,K4,K9,K10:BK29,K30,K31,K32,K21,K22"
run "three kings and men each, 11 plies" 11 "B:W21,22,23,25,26,K10,K11,K12:B1,2,3,6,7,K18,K19,K20"
run "kings and men, 12 plies" 12 "W:WK2,14,17,22,23,27,28,31:BK30,1,5,6,9,11,12,16"
run "one king each and men, 12 plies" 12 "B:W18,21,22,23,25,27,29,30,31,K3:B2,5,6,7,9,10,11,13,K32"
