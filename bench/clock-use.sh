#!/usr/bin/env bash
# How close the computer comes to its clock: GAMES self-play games of
# `varek-cli match` at a clock of BASE+INCREMENT seconds (two at once), then
# for each side of each game the share of its time it used (its thinking
# time over the clock's time plus the increments it got) and the least time
# it had left after a move, and over all of them the mean share, the lowest
# time left and the forfeits (a side that overstepped by more than the match's
# margin loses on time).
#   bench/clock-use.sh VAREK_CLI BASE+INCREMENT [GAMES] [PDN]
set -euo pipefail
cli=$1
clock=$2
games=${3:-20}
pdn=${4:-clock-use-$clock.pdn}
echo "$games games at $clock, two at once; load $(cut -d' ' -f1-3 /proc/loadavg)"
"$cli" match --games "$games" --clock "$clock" --concurrency 2 --pdn "$pdn" \
  --name1 first --name2 second "$cli engine" "$cli engine" | tail -n 5
base=${clock%+*}
increment=${clock#*+}
awk -v base="$base" -v inc="$increment" '
  # The tag values are compared as numbers: as text "100.7" would come before "37.9".
  function tag(line) { sub(/^[^"]*"/, "", line); sub(/".*$/, "", line); return line + 0 }
  /^\[BlackSeconds / { seconds["B"] = tag($0) } /^\[WhiteSeconds / { seconds["W"] = tag($0) }
  /^\[BlackMoves / { moves["B"] = tag($0) }     /^\[WhiteMoves / { moves["W"] = tag($0) }
  /^\[BlackLeastClock / { least["B"] = tag($0) } /^\[WhiteLeastClock / { least["W"] = tag($0) }
  /^\[Forfeit / { ++forfeits }
  /^\[GameType / {
    for (s in seconds) {
      share = seconds[s] / (base + inc * moves[s]); total += share; ++sides
      if (share > most) most = share
      if (sides == 1 || least[s] < lowest) lowest = least[s]
    }
    delete seconds; delete moves; delete least
  }
  END {
    printf "sides %d: time used %.0f%% of the clock on average, %.0f%% at most; least time left after a move %.3f s; forfeits %d\n",
      sides, 100 * total / sides, 100 * most, lowest, forfeits
  }' "$pdn"
