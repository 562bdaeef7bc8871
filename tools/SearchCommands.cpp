// The companion's computer-player commands: search (the computer's choice for
// a position, with its progress lines) and bench (speed of the search).
#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "egdb/Database.h"
#include "engine/Metrics.h"
#include "engine/MoveGenerator.h"
#include "engine/PositionString.h"
#include "search/Bench.h"
#include "search/Engine.h"
#include "search/Levels.h"
#include "tools/Commands.h"
#include "tools/GameLine.h"

namespace {

const char SearchUsage[] =
    "usage: varek-cli search [--depth N | --time SECONDS] [--no-egdb] [POSITION] [--moves MOVE...]";

}  // namespace

int CmdSearch(const TArgs& args) {
  int depth = 0;
  double seconds = -1;
  bool useDatabase = true, withMoves = false;
  std::string position;
  std::vector<std::string> moves;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word == "--moves") {  // the rest are the game's moves
      moves.assign(args.begin() + static_cast<long>(i) + 1, args.end());
      withMoves = true;
      break;
    }
    if (word == "--no-egdb") {
      useDatabase = false;
    } else if (word == "--depth" || word == "--time") {
      if (depth > 0 || seconds >= 0) return CommandError("search", std::string("give --depth or --time once\n") + SearchUsage);
      if (i + 1 == args.size()) return CommandError("search", word + " needs a value\n" + SearchUsage);
      const std::string& value = args[++i];
      // Iterations run 9, 11, ... 47 plies deep: a smaller N would search nothing.
      if (word == "--depth" && !ParseNumber(value, 9, 47, &depth))
        return CommandError("search", "--depth must be a whole number of plies from 9 to 47, not '" + value + "'");
      if (word == "--time" && !ParseSeconds(value, 36000000, &seconds))
        return CommandError("search", "--time must be a number of seconds from 0 to 36000000, not '" + value + "'");
    } else if (word.size() > 1 && word[0] == '-') {
      return CommandError("search", "unknown option '" + word + "'\n" + SearchUsage);
    } else if (position.empty()) {
      position = word;
    } else {
      return CommandError("search", std::string("more than one position given\n") + SearchUsage);
    }
  }

  int board[BoardSize];
  TPlayer side = Black;
  if (position.empty()) {
    TMoveGenerator::InitBoard(board);
  } else {
    std::string reason;
    if (!ParsePosition(position, board, &side, &reason)) return CommandError("search", "bad position: " + reason);
  }
  // The moves played since, the search seeing the positions that can come back.
  TGameLine game;
  game.Reset(board, side);
  for (const std::string& move : moves) {
    std::string reason;
    const size_t number = game.Moves().size() + 1;
    if (!game.Play(move, &reason))
      return CommandError("search", "move " + std::to_string(number) + " " + move + ": " + reason);
  }
  std::copy(game.Board(), game.Board() + BoardSize, board);
  side = game.Side();
  if (TMoveGenerator.NoMovesLeft(board, side)) {
    std::fprintf(stderr, "varek-cli search: %s has no legal move here (%s wins); nothing to search\n",
                 side == Black ? "Black" : "White", side == Black ? "White" : "Black");
    return 1;
  }

  TSearchRequest request;
  std::copy(board, board + BoardSize, request.Board.begin());
  request.Side = side;
  // Without --moves the position has no past: nothing scores as a repetition.
  if (withMoves) request.History = game.History();
  // --depth: every iteration up to N plies and no time limit, the same on every run.
  if (depth > 0) {
    request.Limits.Infinite = true;
    request.Limits.Depth = depth;
  } else if (seconds >= 0) {
    request.Limits = TSearchLimits::MoveTime(seconds);
  } else {
    request.Limits = LevelLimits(DefaultLevel);  // as the window thinks at first
  }
  TSearchCallbacks reporter;
  reporter.OnProgress = [](const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
  };
  TEngine engine;
  TEndgameDatabase database;
  if (useDatabase) {
    const std::string folder = DefaultEgdbFolder();
    const TEgdbLoadReport report = database.Load(folder);
    if (!report.Problem().empty()) std::fprintf(stderr, "varek-cli search: %s (%s)\n", report.Problem().c_str(), folder.c_str());
    if (report.Files > 0) engine.SetDatabase(&database);
  }
  TSearchControl control;
  const TSearchResult result = engine.Search(std::move(request), control, &reporter);
  std::printf("Played %s\n", result.Report);
  return 0;
}

int CmdBench(const TArgs& args) {
  // The node total is pinned for the search without the database; with it,
  // positions of few pieces are answered from it.
  const char usage[] = "usage: varek-cli bench [--egdb [DIR]]";
  if (args.size() > 2 || (!args.empty() && args[0] != "--egdb")) return CommandError("bench", usage);
  TEngine engine;
  TEndgameDatabase database;
  if (!args.empty()) {
    const std::string folder = args.size() == 2 ? args[1] : DefaultEgdbFolder();
    const TEgdbLoadReport report = database.Load(folder);
    if (report.Files == 0 || !report.Damaged.empty() || !report.Missing.empty())
      return CommandError("bench", report.Problem() + " (" + folder + ")");
    std::printf("endgame database: up to %d pieces, from %s\n", database.Pieces(), folder.c_str());
    engine.SetDatabase(&database);
  } else {
    std::printf("endgame database: none\n");
  }
  long long totalMs = 0;
  const long long nodes = RunBench(engine, [&totalMs](const TBenchResult& result) {
    char text[8];
    const long long speed = result.Milliseconds > 0 ? result.Nodes * 1000 / result.Milliseconds : 0;
    std::printf("%-20s depth %2d  %-6s %11lld nodes %7d ms %10lld n/s\n", result.Position->Name,
                result.Position->Depth, TMetrics::MoveToStr(result.Move, text), result.Nodes, result.Milliseconds,
                speed);
    std::fflush(stdout);
    totalMs += result.Milliseconds;
  });
  if (nodes < 0) {
    std::fprintf(stderr, "varek-cli bench: no memory for the hash table; nothing measured\n");
    return 1;
  }
  const long long speed = totalMs > 0 ? nodes * 1000 / totalMs : 0;
  std::printf("total %lld nodes %lld ms %lld n/s\n", nodes, totalMs, speed);
  return 0;
}
