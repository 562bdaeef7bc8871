// The companion's rules commands: perft, divide and show.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/Metrics.h"
#include "engine/MoveGenerator.h"
#include "engine/Perft.h"
#include "engine/PositionString.h"
#include "game/Game.h"
#include "game/Pdn.h"
#include "tools/Commands.h"

namespace {

constexpr int MaxDepth = 64;

// Reads "DEPTH [POSITION]"; on error prints the reason and returns false.
bool ReadDepthAndPosition(const char* command, const TArgs& args, int lowest, int* depth, int* board,
                          TPlayer* side, int* exitCode) {
  *exitCode = 2;
  if (args.empty() || args.size() > 2) {
    CommandError(command, std::string("usage: varek-cli ") + command + " DEPTH [POSITION]");
    return false;
  }
  if (!ParseNumber(args[0], lowest, MaxDepth, depth)) {
    CommandError(command, "DEPTH must be a whole number from " + std::to_string(lowest) + " to " +
                       std::to_string(MaxDepth) + ", not '" + args[0] + "'");
    return false;
  }
  if (args.size() == 1) {
    TMoveGenerator::InitBoard(board);
    *side = Black;
    return true;
  }
  std::string reason;
  if (!ParsePosition(args[1], board, side, &reason)) {
    CommandError(command, "bad position: " + reason);
    return false;
  }
  return true;
}

std::string Notation(const int* move) {
  char text[8];
  return TMetrics::MoveToStr(move, text);
}

}  // namespace

int CmdPerft(const TArgs& args) {
  int depth = 0, board[BoardSize], code = 2;
  TPlayer side = Black;
  if (!ReadDepthAndPosition("perft", args, 0, &depth, board, &side, &code)) return code;
  TPerft perft;
  const auto start = std::chrono::steady_clock::now();
  const long long count = perft.Count(board, side, depth);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double rate = seconds > 0 ? count / seconds : 0.0;
  std::printf("perft(%d) = %lld  %.3f s  %.0f nodes/s\n", depth, count, seconds, rate);
  return 0;
}

int CmdDivide(const TArgs& args) {
  int depth = 0, board[BoardSize], code = 2;
  TPlayer side = Black;
  if (!ReadDepthAndPosition("divide", args, 1, &depth, board, &side, &code)) return code;
  TPerft perft;
  std::vector<std::vector<int>> moves;
  const std::vector<long long> counts = perft.Divide(board, side, depth, &moves);
  long long total = 0;
  for (size_t i = 0; i < counts.size(); ++i) {
    std::printf("%s %lld\n", Notation(moves[i].data()).c_str(), counts[i]);
    total += counts[i];
  }
  std::printf("total %lld\n", total);
  return 0;
}

int CmdShow(const TArgs& words) {
  TArgs args = words;
  int chosen = 0, code = 2;
  if (!TakeGameNumber("show", args, &chosen, &code)) return code;
  if (args.size() != 1) return CommandError("show", "usage: varek-cli show [--game N] FILE");
  Game game;
  TPdnGame pdn;
  if (!LoadAnyGame("show", args[0], chosen, game, &pdn, &code)) return code;

  int board[BoardSize];
  for (int i = 0; i < BoardSize; ++i) board[i] = game.StartBoard[i];
  TPlayer side = static_cast<TPlayer>(game.StartSide);
  std::printf("start %s\n", FormatPosition(board, side).c_str());
  // Moves are numbered in pairs, Black's first; a game that starts with White
  // to move opens with "1. ...".
  int number = 1;
  bool open = false;  // a numbered line has been started and not ended
  for (GameNode* node = game.Head->Next; node != nullptr; node = node->Next) {
    if (!open) std::printf(side == Black ? "%d." : "%d. ...", number);
    std::printf(" %s", Notation(node->Move).c_str());
    open = side == Black;
    if (!open) {
      std::printf("\n");
      ++number;
    }
    TMoveGenerator::MakeMove(node->Move, board);
    side = static_cast<TPlayer>(1 - side);
  }
  if (open) std::printf("\n");
  std::printf("%s\n", FormatPosition(board, side).c_str());
  return 0;
}
