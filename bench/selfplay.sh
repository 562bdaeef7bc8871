#!/bin/sh
# Self-play between two evaluations, two games at once (two processes, each
# playing every other game), under nice. Prints both processes' game lines
# and the summed result of FIRST.
#   bench/selfplay.sh VAREK_CLI FIRST SECOND [MOVETIME_MS] [GAMES] [EXTRA SELFPLAY OPTIONS...]
# FIRST and SECOND are fitted, classic or a weights file; the openings are
# bench/openings.txt, each played twice with colours reversed. With
# SELFPLAY_PDN=PREFIX set, the games go to PREFIX.1.pdn and PREFIX.2.pdn.
set -eu
[ $# -ge 3 ] || { echo "usage: $0 VAREK_CLI FIRST SECOND [MOVETIME_MS] [GAMES] [OPTIONS...]" >&2; exit 2; }
cli=$1 first=$2 second=$3
ms=${4:-100}
games=${5:-0}
[ $# -ge 5 ] && shift 5 || shift $#
here=$(dirname "$0")
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
count=""
[ "$games" -gt 0 ] && count="--games $games"
for part in 1 2; do
  pdn=""
  [ -n "${SELFPLAY_PDN:-}" ] && pdn="--pdn $SELFPLAY_PDN.$part.pdn"
  nice -n 5 "$cli" selfplay --movetime "$ms" $count --part "$part/2" $pdn "$@" "$here/openings.txt" "$first" \
    "$second" > "$out/part$part" &
done
wait
cat "$out/part1" "$out/part2" | grep '^game'
# The result lines read "... +W =D -L ..."; the sum gives the score and Elo.
grep -h '^result' "$out/part1" "$out/part2" | sed 's/.*+\([0-9]*\) =\([0-9]*\) -\([0-9]*\).*/\1 \2 \3/' |
  awk -v first="$first" -v second="$second" -v ms="$ms" '
    { w += $1; d += $2; l += $3 }
    END {
      n = w + d + l; s = (w + d / 2) / n
      sd = sqrt((w * (1 - s) ^ 2 + d * (0.5 - s) ^ 2 + l * s ^ 2) / n) / sqrt(n)
      lo = s - 1.96 * sd; hi = s + 1.96 * sd
      printf "%s against %s at %d ms a move: %d games, +%d =%d -%d, score %.1f%%, Elo %+.0f (95%%: %+.0f to %+.0f)\n",
        first, second, ms, n, w, d, l, 100 * s, elo(s), elo(lo), elo(hi)
    }
    function elo(x) { if (x <= 0) return -999; if (x >= 1) return 999; return -400 * log(1 / x - 1) / log(10) }'
