// varek-cli book: builds the opening book from the first moves of PDN games,
// and says how much of a collection's opening play it covers.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "engine/MoveGenerator.h"
#include "engine/PositionString.h"
#include "game/Pdn.h"
#include "search/Book.h"
#include "search/Killers.h"
#include "tools/Commands.h"

namespace {

const char BookUsage[] =
    "usage: varek-cli book build [--plies N] [--min-games N] [--out FILE] PDN...\n"
    "       varek-cli book cover [--plies N] [--book FILE] PDN...\n"
    "       varek-cli book openings [--plies N] [--min-games N] PDN...";

struct TMoveStats {
  int Games = 0, Won = 0, Lost = 0;
};

using TMoveKey = std::tuple<uint32_t, uint8_t, uint8_t>;  // taken, from, to

bool ReadGames(const std::vector<std::string>& files, std::vector<TPdnGame>* games, std::string* error) {
  for (const std::string& file : files) {
    TPdnCollection collection;
    if (!ReadPdnFile(file, &collection, error)) return false;
    for (TPdnGame& game : collection.Games)
      if (game.FromStartingPosition() && game.Result != "*") games->push_back(std::move(game));
  }
  return true;
}

// Calls visit(board, side, move, ply) for the first `plies` moves of the game.
template <typename Visit>
void FirstMoves(const TPdnGame& game, int plies, Visit visit) {
  int board[BoardSize];
  std::copy(game.StartBoard, game.StartBoard + BoardSize, board);
  TPlayer side = game.StartSide;
  const int n = std::min<int>(plies, static_cast<int>(game.Moves.size()));
  for (int ply = 0; ply < n; ++ply) {
    visit(board, side, game.Moves[ply].data());
    TMoveGenerator::MakeMove(game.Moves[ply].data(), board);
    side = static_cast<TPlayer>(1 - side);
  }
}

}  // namespace

int CmdBook(const TArgs& args) {
  if (args.empty() || (args[0] != "build" && args[0] != "cover" && args[0] != "openings"))
    return CommandError("book", BookUsage);
  const bool build = args[0] == "build";
  int plies = 20, minGames = 5;
  std::string path = build ? "opening.book" : DefaultBookPath();
  std::vector<std::string> files;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word == "--plies" || word == "--min-games" || word == "--out" || word == "--book") {
      if (i + 1 == args.size()) return CommandError("book", word + " needs a value\n" + BookUsage);
      const std::string& value = args[++i];
      if (word == "--out" || word == "--book") path = value;
      else if (!ParseNumber(value, 1, 200, word == "--plies" ? &plies : &minGames))
        return CommandError("book", word + " must be a whole number from 1 to 200, not '" + value + "'");
    } else if (word.size() > 1 && word[0] == '-') {
      return CommandError("book", "unknown option '" + word + "'\n" + BookUsage);
    } else {
      files.push_back(word);
    }
  }
  if (files.empty()) return CommandError("book", std::string("no games given\n") + BookUsage);
  std::vector<TPdnGame> games;
  std::string error;
  if (!ReadGames(files, &games, &error)) return CommandError("book", error);

  if (args[0] == "openings") {
    // The positions after the first plies, the most played first (ties by text).
    std::map<std::string, int> reached;
    for (const TPdnGame& game : games) {
      if (static_cast<int>(game.Moves.size()) < plies) continue;
      int board[BoardSize];
      std::copy(game.StartBoard, game.StartBoard + BoardSize, board);
      for (int ply = 0; ply < plies; ++ply) TMoveGenerator::MakeMove(game.Moves[ply].data(), board);
      ++reached[FormatPosition(board, plies % 2 == 0 ? game.StartSide : static_cast<TPlayer>(1 - game.StartSide))];
    }
    std::vector<std::pair<int, std::string>> list;
    for (const auto& [text, count] : reached)
      if (count >= minGames) list.emplace_back(-count, text);
    std::sort(list.begin(), list.end());
    for (const auto& [count, text] : list) std::printf("%s %d\n", text.c_str(), -count);
    return 0;
  }
  if (!build) {
    TOpeningBook book;
    if (!book.Load(path, &error)) return CommandError("book", error);
    long positions = 0, inBook = 0, movesInBook = 0;
    TMoveList list;
    for (const TPdnGame& game : games)
      FirstMoves(game, plies, [&](int* board, TPlayer side, const int* move) {
        TMoveGenerator.MakeMoveList(board, side, &list);
        const auto moves = book.Moves(board, side, list);
        ++positions;
        inBook += !moves.empty();
        for (const auto& m : moves) movesInBook += TKillers::IsEquivalentMove(m.first, move);
      });
    std::printf("%zu games, %ld positions of their first %d plies: %ld (%.1f%%) in the book, "
                "%ld (%.1f%%) with the move played there\n",
                games.size(), positions, plies, inBook, 100.0 * inBook / std::max(1L, positions), movesInBook,
                100.0 * movesInBook / std::max(1L, positions));
    return 0;
  }

  // Every move of the first plies, with how the games went for the side that played it.
  std::map<uint64_t, std::map<TMoveKey, TMoveStats>> seen;
  for (const TPdnGame& game : games) {
    const int black = game.Result == "1-0" ? 1 : game.Result == "0-1" ? -1 : 0;
    FirstMoves(game, plies, [&](int* board, TPlayer side, const int* move) {
      const TOpeningBook::TEntry e = TOpeningBook::EntryOf(board, side, move);
      TMoveStats& stats = seen[e.Position][{e.Taken, e.From, e.To}];
      const int result = side == Black ? black : -black;
      ++stats.Games;
      stats.Won += result > 0;
      stats.Lost += result < 0;
    });
  }
  // Kept: moves played in at least min-games games that won at least as often as they lost.
  std::vector<TOpeningBook::TEntry> entries;
  long positions = 0;
  for (const auto& [position, moves] : seen) {
    bool any = false;
    for (const auto& [key, stats] : moves) {
      if (stats.Games < minGames || stats.Won < stats.Lost) continue;
      TOpeningBook::TEntry e;
      e.Position = position;
      std::tie(e.Taken, e.From, e.To) = key;
      e.Weight = static_cast<uint16_t>(std::min(stats.Games, 65535));
      entries.push_back(e);
      any = true;
    }
    positions += any;
  }
  if (!TOpeningBook::Save(path, entries, &error)) {
    std::fprintf(stderr, "varek-cli book: %s\n", error.c_str());
    return 1;
  }
  std::error_code ec;
  std::printf("%zu games: %ld positions of their first %d plies, %zu moves kept for %ld positions, %ju bytes in %s\n",
              games.size(), static_cast<long>(seen.size()), plies, entries.size(), positions,
              static_cast<uintmax_t>(std::filesystem::file_size(path, ec)), path.c_str());
  return 0;
}
