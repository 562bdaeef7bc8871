#!/bin/sh
# Self-play: two builds of the companion (or one build twice, with other
# options for one side) play a match through the engine protocol, two games
# at once, under nice, the opening book off and the endgame database on for
# both. Prints every game and FIRST's result (wins, draws, losses, score, Elo
# with its 95% interval).
#   bench/selfplay.sh FIRST_VAREK_CLI SECOND_VAREK_CLI [MOVETIME_MS] [GAMES] [MATCH OPTIONS...]
# e.g. bench/selfplay.sh build/release/tools/varek-cli ../old/build/release/tools/varek-cli 100 400
#      bench/selfplay.sh build/release/tools/varek-cli build/release/tools/varek-cli 100 312 \
#          --option2 Evaluation=classic
# GAMES 0 (the default) plays every three-move opening twice (312 games). The
# games go to $SELFPLAY_PDN (default: a file in a temporary folder, removed
# afterwards); each engine finds its endgame database beside its own build.
set -eu
[ $# -ge 2 ] || { echo "usage: $0 FIRST_VAREK_CLI SECOND_VAREK_CLI [MOVETIME_MS] [GAMES] [MATCH OPTIONS...]" >&2; exit 2; }
first=$1 second=$2
ms=${3:-100}
games=${4:-0}
[ $# -ge 4 ] && shift 4 || shift $#
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
pdn=${SELFPLAY_PDN:-$out/games.pdn}
count=""
[ "$games" -gt 0 ] && count="--games $games"
# The opening book off for an engine that has one (an older build may not
# have the option: its engine plays without a book).
book=""
book_off() {
  if echo protocol | "$2" engine 2>/dev/null | grep -q '^option name Book '; then book="$book --option$1 Book=false"; fi
}
book_off 1 "$first"
book_off 2 "$second"
nice -n 5 "$first" match $book --movetime "$ms" $count --concurrency 2 --margin 3000 --pdn "$pdn" \
  --name1 first --name2 second "$@" "$first engine" "$second engine"
