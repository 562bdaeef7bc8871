#!/usr/bin/env bash
# How long `varek-cli analyse` takes for one game of 100 moves (plies) at
# SECONDS a move: the wall time of the whole run (the database's load
# included), the time per position searched, and the marks it gave.
#   bench/analysis-time.sh VAREK_CLI [SECONDS] [PDN] [GAME]
# By default game 1098 of OCA_2.0.pdn (100 plies, 101 positions with the last).
set -euo pipefail
cli=$1
seconds=${2:-1}
pdn=${3:-$(dirname "$0")/../../shared/data/games/OCA_2.0.pdn}
game=${4:-1098}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

"$cli" convert --game "$game" "$pdn" "$scratch/game.pdn"
plies=$("$cli" show "$scratch/game.pdn" | awk 'NR > 1 && /^[0-9]+\./ { n += NF - 1 } END { print n }')
echo "game $game of $(basename "$pdn"): $plies plies, $seconds s a move; load $(cut -d' ' -f1-3 /proc/loadavg)"
start=$(date +%s%N)
"$cli" analyse --time "$seconds" "$scratch/game.pdn" "$scratch/analysed.pdn" 2>/dev/null
took=$((($(date +%s%N) - start) / 1000000))
awk -v ms="$took" -v n="$plies" 'BEGIN { printf "wall %.1f s, %.2f s per position (%d positions)\n", ms / 1000, ms / 1000 / (n + 1), n + 1 }'
