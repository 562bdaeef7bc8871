#!/bin/sh
# Games for the evaluation's fit: a build of the companion plays itself at a
# fixed depth from positions the master games reached (half of the distinct
# positions after 10 plies and after 12, in the match's order), the opening
# book off, the endgame database on. At a fixed depth the same engine plays an opening
# alike with either colour, so each pair's repeat is dropped. Writes the games
# compressed to OUT (xz). With --after EARLIER.pdn.xz the starts EARLIER holds
# are left out and every other one is played: the other half. With --plies
# "N ..." the starts are the positions after those plies instead of 10 and 12.
#   bench/selfplay-games.sh [--after EARLIER.pdn.xz] [--plies "N ..."] VAREK_CLI MASTER_PDN... > OUT.pdn.xz
# e.g. bench/selfplay-games.sh build/release/tools/varek-cli ../shared/data/games/*.pdn \
#          > search/selfplay-games.pdn.xz
# The games depend on the build that plays them (a later build plays others),
# and a few on which games an engine played before, two being played at once:
# a rerun differs in about one game in a hundred. The fit reads the file kept.
# About 30 minutes on two cores; needs xz (scripts/refit installs it).
set -eu
usage="usage: $0 [--after EARLIER.pdn.xz] [--plies \"N ...\"] VAREK_CLI MASTER_PDN... > OUT.pdn.xz"
after=
plies_list="10 12"
while [ "${1:-}" = --after ] || [ "${1:-}" = --plies ]; do
  [ $# -ge 2 ] || { echo "$usage" >&2; exit 2; }
  case $1 in
    --after) after=$2 ;;
    --plies) plies_list=$2 ;;
  esac
  shift 2
done
[ $# -ge 2 ] || { echo "$usage" >&2; exit 2; }
cli=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
: > "$work/earlier"
[ -z "$after" ] || xz -dc "$after" | sed -n 's/^\[FEN "\(.*\)"\]$/\1/p' > "$work/earlier"
for plies in $plies_list; do
  "$cli" book openings --plies "$plies" --min-games 1 "$@" |
    awk -v plies="$plies" -v earlier="$work/earlier" 'FILENAME == earlier { seen[$0] = 1; next }
      !($1 in seen) { printf "[Event \"after %d plies, %d\"]\n[SetUp \"1\"]\n[FEN \"%s\"]\n*\n\n", plies, FNR, $1 }' \
      "$work/earlier" - > "$work/openings-$plies.pdn"
  # As many games as openings: the first half of them, each with both colours;
  # after earlier games, all that are left.
  games=$(grep -c '^\[FEN' "$work/openings-$plies.pdn")
  [ -z "$after" ] || games=$((2 * games))
  nice -n 5 "$cli" match --depth 9 --games "$games" --concurrency 2 --openings "$work/openings-$plies.pdn" \
    --option1 Book=false --option2 Book=false --name1 a --name2 b --pdn "$work/games-$plies.pdn" \
    "$cli engine" "$cli engine" >&2
done
# One game a paragraph: a game is kept unless its start and moves came before.
for plies in $plies_list; do cat "$work/games-$plies.pdn"; done | awk 'BEGIN { RS = ""; ORS = "\n\n" }
  {
    key = ""
    lines = split($0, line, "\n")
    for (i = 1; i <= lines; ++i)
      if (line[i] ~ /^\[FEN / || line[i] !~ /^\[/) key = key line[i] "\n"
    if (!(key in seen)) { seen[key] = 1; print }
  }' | xz -9
