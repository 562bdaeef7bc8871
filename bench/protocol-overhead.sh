#!/usr/bin/env bash
# What the engine protocol costs per move, against `varek-cli search`: the
# bench positions searched to a fixed depth ROUNDS times each, once as one
# `search` process per move (start-up, table and database load every time)
# and once through one `varek-cli engine` process (position, go, bestmove),
# both without the endgame database, or both with it (`egdb`: each search
# process then loads it, the engine once). Prints the milliseconds per move
# of each, the start-up a persistent engine saves, and the protocol's own
# overhead: the engine's wall time per move less the search time it reports.
#   bench/protocol-overhead.sh VAREK_CLI [DEPTH] [ROUNDS] [egdb]
set -euo pipefail
cli=$1
depth=${2:-11}
rounds=${3:-5}
if [ "${4:-}" = egdb ]; then plain=(); database=true; else plain=(--no-egdb); database=false; fi

positions=(
  B:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11,12
  W:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,12,15
  B:W18,19,21,23,24,26,27,28,30,31:B1,2,3,5,6,7,9,10,11,14
  W:W15,17,19,20,22,25,27,28,29,30,32:B1,3,4,5,6,8,9,10,11,12,13
  B:W9,19,26,27,28,30:B4,6,11,15,20,22
  W:W22,26,30,K14,K23:B3,8,K10,K19
  B:WK20:BK1,K6
  B:W6,15,24,23,14,30,32:B1,3,4,12,K27
)
moves=$((rounds * ${#positions[@]}))
now() { date +%s%N; }

# One process per move.
start=$(now)
for ((r = 0; r < rounds; ++r)); do
  for p in "${positions[@]}"; do "$cli" search "${plain[@]}" --depth "$depth" "$p" >/dev/null; done
done
searchNs=$(($(now) - start))

# One engine for every move; its own time per search from its last info line.
coproc ENGINE { "$cli" engine; }
started=$(now)
echo "setoption name EndgameDatabase value $database" >&"${ENGINE[1]}"
echo "isready" >&"${ENGINE[1]}"
while read -r line <&"${ENGINE[0]}"; do [ "$line" = readyok ] && break; done
start=$(now)
reportedMs=0
for ((r = 0; r < rounds; ++r)); do
  for p in "${positions[@]}"; do
    printf 'newgame\nposition fen %s\ngo depth %s\n' "$p" "$depth" >&"${ENGINE[1]}"
    last=0
    while read -r line <&"${ENGINE[0]}"; do
      case $line in
        "info depth "*) [[ $line =~ \ time\ ([0-9]+)\  ]] && last=${BASH_REMATCH[1]} ;;
        bestmove*) break ;;
      esac
    done
    reportedMs=$((reportedMs + last))
  done
done
engineNs=$(($(now) - start))
startupNs=$((start - started))
echo quit >&"${ENGINE[1]}"
wait "$ENGINE_PID" 2>/dev/null || true

awk -v s="$searchNs" -v e="$engineNs" -v r="$reportedMs" -v u="$startupNs" -v n="$moves" -v d="$depth" -v db="$([ "$database" = true ] && echo on || echo off)" 'BEGIN {
  printf "%d moves at depth %d, endgame database %s\n", n, d, db
  printf "varek-cli search, a process per move: %.1f ms a move\n", s / n / 1e6
  printf "varek-cli engine, one process:        %.1f ms a move (its start-up, once: %.1f ms)\n", e / n / 1e6, u / 1e6
  printf "saved per move by the engine:          %.1f ms\n", (s - e) / n / 1e6
  printf "protocol overhead per move:            %.2f ms (wall time less the %.1f ms a move the engine reports searching)\n", (e / 1e6 - r) / n, r / n
}'
