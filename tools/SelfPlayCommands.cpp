// varek-cli selfplay: the computer against itself with two evaluations, from a
// list of openings, each opening twice with colours reversed, at a fixed time
// or depth per move. Prints a line per game and the first player's result
// (wins, draws, losses, score and Elo with its 95% interval).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "egdb/Database.h"
#include "engine/MoveGenerator.h"
#include "engine/PositionKey.h"
#include "engine/PositionString.h"
#include "game/DrawRules.h"
#include "game/Pdn.h"
#include "search/Evaluation.h"
#include "search/Engine.h"
#include "search/Tuning.h"
#include "tools/Commands.h"

namespace {

const char SelfPlayUsage[] =
    "usage: varek-cli selfplay [--movetime MS | --depth N] [--games N] [--part K/N] [--seed N]\n"
    "                          [--no-egdb] [--pdn FILE] OPENINGS FIRST SECOND\n"
    "  OPENINGS: a file of positions, one a line; FIRST, SECOND: fitted, classic or a weights file";

// How one side plays: an evaluation and its weights, and an engine of its own.
struct TContender {
  std::string Name;
  TEvaluationKind Kind = TEvaluationKind::Fitted;
  TEvalWeights Weights;
  TEngine Engine;
};

bool MakePlayer(const std::string& name, TContender* player, std::string* error) {
  player->Name = name;
  player->Weights = FittedWeights;
  if (name == "fitted") return true;
  if (name == "classic") {
    player->Kind = TEvaluationKind::Classic;
    return true;
  }
  std::ifstream file(name, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (!file || !ParseWeightsSource(text, &player->Weights)) {
    *error = "cannot read weights from '" + name + "'";
    return false;
  }
  return true;
}

struct TGameResult {
  int Black = 0;  // 1 Black won, 0 drawn, -1 White won
  const char* How = "";
  std::vector<std::vector<int>> Moves;
};

// One game from `board`, `players[Black]` and `players[White]` moving in turn.
TGameResult PlayGame(const int* start, TPlayer side, TContender* players[2], int moveMs, int depth,
                     const TEndgameDatabase* database) {
  TGameResult game;
  int board[BoardSize];
  std::copy(start, start + BoardSize, board);
  std::vector<TPositionKey> history{MakePositionKey(board, side)};
  int quiet = 0;
  TMoveList list;
  for (int ply = 0;; ++ply) {
    TMoveGenerator.MakeMoveList(board, side, &list);
    const int mover = side == Black ? 1 : -1;
    if (list.NumMoves == 0) {
      game.Black = -mover;
      game.How = "no move";
      return game;
    }
    if (CountOccurrences(history, history.back()) >= 3 || quiet >= FortyMoveRulePlies || ply >= 400) {
      game.How = ply >= 400 ? "move limit" : quiet >= FortyMoveRulePlies ? "40-move rule" : "repetition";
      return game;
    }
    if (database != nullptr) {
      const int value = database->Probe(board, side);
      if (value != EgdbUnknown) {
        game.Black = value == EgdbDraw ? 0 : EgdbIsWin(value) ? mover : -mover;
        game.How = "endgame database";
        return game;
      }
    }
    TContender& player = *players[side];
    EvaluationKind = player.Kind;
    SetEvalWeights(player.Weights);
    TSearchRequest request;
    std::copy(board, board + BoardSize, request.Board.begin());
    request.Side = side;
    request.History = history;
    if (depth > 0) {
      request.Limits.Infinite = true;
      request.Limits.Depth = depth;
    } else {
      request.Limits = TSearchLimits::MoveTime(moveMs * 0.001);
    }
    TSearchControl control;
    const TSearchResult result = player.Engine.Search(std::move(request), control);
    const int* move = result.Move.data();
    const int length = MoveLength(move);
    game.Moves.emplace_back(move, move + length + 1);
    if (IsIrreversibleMove(move, board)) {
      history.clear();
      quiet = 0;
    } else {
      ++quiet;
    }
    TMoveGenerator::MakeMove(move, board);
    side = static_cast<TPlayer>(1 - side);
    history.push_back(MakePositionKey(board, side));
  }
}

}  // namespace

int CmdSelfPlay(const TArgs& args) {
  int moveMs = 100, depth = 0, games = 0, part = 1, parts = 1, seed = 1;
  bool egdb = true;
  std::string pdnPath;
  std::vector<std::string> words;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word == "--no-egdb") {
      egdb = false;
    } else if (word == "--movetime" || word == "--depth" || word == "--games" || word == "--seed" ||
               word == "--pdn" || word == "--part") {
      if (i + 1 == args.size()) return CommandError("selfplay", word + " needs a value\n" + SelfPlayUsage);
      const std::string& value = args[++i];
      bool ok = true;
      if (word == "--pdn") pdnPath = value;
      else if (word == "--movetime") ok = ParseNumber(value, 1, 3600000, &moveMs);
      else if (word == "--depth") ok = ParseNumber(value, 9, 47, &depth);
      else if (word == "--games") ok = ParseNumber(value, 1, 1000000, &games);
      else if (word == "--seed") ok = ParseNumber(value, 0, 999999999, &seed);
      else {
        const size_t slash = value.find('/');
        ok = slash != std::string::npos && ParseNumber(value.substr(0, slash), 1, 64, &part) &&
             ParseNumber(value.substr(slash + 1), 1, 64, &parts) && part <= parts;
      }
      if (!ok) return CommandError("selfplay", "bad value '" + value + "' for " + word);
    } else if (word.size() > 1 && word[0] == '-') {
      return CommandError("selfplay", "unknown option '" + word + "'\n" + SelfPlayUsage);
    } else {
      words.push_back(word);
    }
  }
  if (words.size() != 3) return CommandError("selfplay", SelfPlayUsage);

  std::ifstream file(words[0]);
  if (!file) return CommandError("selfplay", "cannot open " + words[0]);
  struct TOpening {
    int Board[BoardSize];
    TPlayer Side;
  };
  std::vector<TOpening> openings;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line[0] == '#') continue;
    TOpening o;
    std::string reason;
    if (!ParsePosition(line.substr(0, line.find_first_of(" \t")), o.Board, &o.Side, &reason))
      return CommandError("selfplay", "bad opening '" + line + "': " + reason);
    openings.push_back(o);
  }
  if (openings.empty()) return CommandError("selfplay", "no openings in " + words[0]);
  std::mt19937 random(static_cast<unsigned>(seed));
  std::shuffle(openings.begin(), openings.end(), random);

  TContender first, second;
  std::string error;
  if (!MakePlayer(words[1], &first, &error) || !MakePlayer(words[2], &second, &error))
    return CommandError("selfplay", error);
  if (first.Engine.HashTable() == nullptr || second.Engine.HashTable() == nullptr)
    return CommandError("selfplay", "no memory for the hash tables");
  TEndgameDatabase database;
  if (egdb) {
    const TEgdbLoadReport report = database.Load(DefaultEgdbFolder());
    if (report.Files == 0) return CommandError("selfplay", report.Problem() + " (or give --no-egdb)");
    first.Engine.SetDatabase(&database);
    second.Engine.SetDatabase(&database);
  }
  if (games == 0) games = 2 * static_cast<int>(openings.size());

  const TEvaluationKind kind = EvaluationKind;
  const TEvalWeights weights = EvalWeights();
  int won = 0, drawn = 0, lost = 0;
  std::vector<TPdnGame> record;
  for (int g = 0; g < games; ++g) {
    if (g % parts != part - 1) continue;
    const TOpening& opening = openings[(g / 2) % openings.size()];
    const bool firstIsBlack = g % 2 == 0;
    TContender* players[2];
    players[Black] = firstIsBlack ? &first : &second;
    players[White] = firstIsBlack ? &second : &first;
    first.Engine.NewGame();
    second.Engine.NewGame();
    const TGameResult result =
        PlayGame(opening.Board, opening.Side, players, moveMs, depth, egdb ? &database : nullptr);
    const int forFirst = firstIsBlack ? result.Black : -result.Black;
    won += forFirst > 0;
    drawn += forFirst == 0;
    lost += forFirst < 0;
    std::printf("game %d: %s (Black) - %s (White) %s by %s after %zu plies; %s %d-%d-%d\n", g + 1,
                players[Black]->Name.c_str(), players[White]->Name.c_str(),
                result.Black > 0 ? "1-0" : result.Black < 0 ? "0-1" : "1/2-1/2", result.How, result.Moves.size(),
                first.Name.c_str(), won, drawn, lost);
    std::fflush(stdout);
    if (!pdnPath.empty()) {
      TPdnGame pdn;
      std::copy(opening.Board, opening.Board + BoardSize, pdn.StartBoard);
      pdn.StartSide = opening.Side;
      pdn.Black = players[Black]->Name;
      pdn.White = players[White]->Name;
      pdn.Event = "selfplay game " + std::to_string(g + 1);
      pdn.Result = result.Black > 0 ? "1-0" : result.Black < 0 ? "0-1" : "1/2-1/2";
      pdn.Moves = result.Moves;
      record.push_back(std::move(pdn));
    }
  }
  EvaluationKind = kind;
  SetEvalWeights(weights);

  const int n = won + drawn + lost;
  const double score = n > 0 ? (won + 0.5 * drawn) / n : 0.5;
  auto elo = [](double s) { return s <= 0 ? -999.0 : s >= 1 ? 999.0 : -400 * std::log10(1 / s - 1); };
  const double deviation =
      n > 0 ? std::sqrt((won * std::pow(1 - score, 2) + drawn * std::pow(0.5 - score, 2) + lost * score * score) / n) /
                  std::sqrt(n)
            : 0;
  std::printf("result %s against %s: %d games, +%d =%d -%d, score %.1f%%, Elo %+.0f (95%%: %+.0f to %+.0f)\n",
              first.Name.c_str(), second.Name.c_str(), n, won, drawn, lost, 100 * score, elo(score),
              elo(score - 1.96 * deviation), elo(score + 1.96 * deviation));
  if (!pdnPath.empty()) {
    std::ofstream out(pdnPath, std::ios::binary | std::ios::trunc);
    out << WritePdn(record);
    if (!out) {
      std::fprintf(stderr, "varek-cli selfplay: cannot write %s\n", pdnPath.c_str());
      return 1;
    }
  }
  return 0;
}
