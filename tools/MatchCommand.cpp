// varek-cli match: two programs speaking the engine protocol play each other
// from a list of openings, each opening twice with the colours changed. The
// rules decide every game (a side without a move loses; threefold repetition
// and the 40-move rule draw), and an engine that ends, plays an illegal move
// or oversteps its time loses that game. Every game goes to one PDN file as
// it ends, from which a stopped match can go on.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "engine/MoveGenerator.h"
#include "engine/PositionString.h"
#include "game/DrawRules.h"
#include "game/GameFile.h"
#include "game/Pdn.h"
#include "tools/Commands.h"
#include "tools/EngineProcess.h"
#include "tools/GameLine.h"
#include "tools/Openings.h"

namespace {

using TClock = TEngineProcess::TClock;
using std::chrono::milliseconds;

const char Usage[] =
    "usage: varek-cli match [OPTIONS] ENGINE1 ENGINE2\n"
    "  ENGINE1, ENGINE2        shell commands that start the engines, e.g. 'varek-cli engine'\n"
    "  --games N               games to play (default: every opening twice)\n"
    "  --movetime MS           time per move in milliseconds (default 100)\n"
    "  --clock SECONDS[+INC]   a clock per game instead, e.g. 60+0.5\n"
    "  --depth N               a fixed depth per move instead (no time limit): the same games on every run\n"
    "  --concurrency N         games played at once, 1 to 8 (default 1)\n"
    "  --pdn FILE              where every game is written (default match.pdn)\n"
    "  --resume                go on with the games FILE holds already\n"
    "  --openings FILE         start positions from a PDN file instead of the three-move openings\n"
    "  --option1 NAME=VALUE    an engine option for ENGINE1 (any number of them); --option2 for ENGINE2\n"
    "  --name1 NAME            ENGINE1's name in the PDN and the table (default: its own); --name2\n"
    "  --margin MS             time over its limit an engine may take before it loses (default 500)\n"
    "  --seed N                order of the openings (default 1)";

// Set by Ctrl-C or a termination signal: no game starts and those under way are dropped.
volatile std::sig_atomic_t stopSignal = 0;
void OnSignal(int) { stopSignal = 1; }
bool Stopping() { return stopSignal != 0; }

struct TOptions {
  std::string Commands[2];
  std::vector<std::pair<std::string, std::string>> EngineOptions[2];
  std::string Names[2];
  int Games = 0;
  int MoveTimeMs = 100;
  int Depth = 0;
  bool Clock = false;
  double ClockSeconds = 0, Increment = 0;
  int Concurrency = 1;
  std::string Pdn = "match.pdn";
  bool Resume = false;
  std::string OpeningsFile;
  unsigned Seed = 1;
  int MarginMs = 500;

  std::string TimeControl() const {
    char text[64];
    if (Clock)
      std::snprintf(text, sizeof text, "%g+%g", ClockSeconds, Increment);
    else if (Depth > 0)
      std::snprintf(text, sizeof text, "depth %d", Depth);
    else
      std::snprintf(text, sizeof text, "movetime %d ms", MoveTimeMs);
    return text;
  }
};

bool ReadOptions(const TArgs& args, TOptions* options, std::string* error) {
  std::vector<std::string> commands;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word.size() < 2 || word[0] != '-' || word[1] != '-') {
      commands.push_back(word);
      continue;
    }
    if (word == "--resume") {
      options->Resume = true;
      continue;
    }
    if (i + 1 == args.size()) {
      *error = word + " needs a value";
      return false;
    }
    const std::string& value = args[++i];
    int number = 0;
    if (word == "--games") {
      if (!ParseNumber(value, 1, 100000, &options->Games)) return *error = "--games takes a number from 1", false;
    } else if (word == "--movetime") {
      if (!ParseNumber(value, 1, 3600000, &options->MoveTimeMs))
        return *error = "--movetime takes milliseconds from 1", false;
    } else if (word == "--clock") {
      const size_t plus = value.find('+');
      double seconds = 0, increment = 0;
      if (!ParseSeconds(value.substr(0, plus), 86400, &seconds) || seconds <= 0 ||
          (plus != std::string::npos && !ParseSeconds(value.substr(plus + 1), 3600, &increment)))
        return *error = "--clock takes SECONDS or SECONDS+INCREMENT, e.g. 60+0.5, not '" + value + "'", false;
      options->Clock = true;
      options->ClockSeconds = seconds;
      options->Increment = increment;
    } else if (word == "--depth") {
      if (!ParseNumber(value, 1, 47, &options->Depth)) return *error = "--depth takes a number of plies from 1 to 47", false;
    } else if (word == "--concurrency") {
      if (!ParseNumber(value, 1, 8, &options->Concurrency)) return *error = "--concurrency takes 1 to 8", false;
    } else if (word == "--pdn") {
      options->Pdn = value;
    } else if (word == "--openings") {
      options->OpeningsFile = value;
    } else if (word == "--option1" || word == "--option2") {
      const size_t equals = value.find('=');
      if (equals == std::string::npos || equals == 0) return *error = word + " takes NAME=VALUE", false;
      options->EngineOptions[word == "--option2"].emplace_back(value.substr(0, equals), value.substr(equals + 1));
    } else if (word == "--name1" || word == "--name2") {
      options->Names[word == "--name2"] = value;
    } else if (word == "--margin") {
      if (!ParseNumber(value, 0, 3600000, &options->MarginMs)) return *error = "--margin takes milliseconds", false;
    } else if (word == "--seed") {
      if (!ParseNumber(value, 0, 999999999, &number)) return *error = "--seed takes a whole number", false;
      options->Seed = static_cast<unsigned>(number);
    } else {
      *error = "unknown option '" + word + "'";
      return false;
    }
  }
  if (commands.size() != 2) {
    *error = "give two engine commands";
    return false;
  }
  if (options->Clock && options->Depth > 0) {
    *error = "give --clock or --depth, not both";
    return false;
  }
  options->Commands[0] = commands[0];
  options->Commands[1] = commands[1];
  return true;
}

// One game of the schedule: its round (from 1), its opening, and which
// engine has Black (the first in odd rounds).
struct TRound {
  int Number = 0;
  int Opening = 0;
  int BlackEngine = 0;
};

// The openings in an order fixed by the seed (the same on every machine),
// each twice in a row with the colours changed.
std::vector<TRound> Schedule(int openings, int games, unsigned seed) {
  std::vector<int> order(static_cast<size_t>(openings));
  for (int i = 0; i < openings; ++i) order[static_cast<size_t>(i)] = i;
  std::mt19937 random(seed);
  for (int i = openings - 1; i > 0; --i) std::swap(order[static_cast<size_t>(i)], order[random() % (i + 1)]);
  std::vector<TRound> rounds;
  for (int n = 0; n < games; ++n)
    rounds.push_back({n + 1, order[static_cast<size_t>((n / 2) % openings)], n % 2});
  return rounds;
}

// A finished game as the tally needs it.
struct TOutcome {
  int Round = 0;
  int Winner = -1;          // engine 0 or 1; -1 for a draw
  int Forfeit = -1;         // the engine that lost by ending, an illegal move or time; -1 for none
  double Seconds[2] = {};   // time used by each engine
  int Moves[2] = {};        // moves played by each engine
  double Least[2] = {1e9, 1e9};  // on a clock, the least time each engine had left after a move (below 0: it overstepped)
};

std::string Tag(const TPdnGame& game, const std::string& name) {
  for (const TPdnGame::TTag& tag : game.OtherTags)
    if (tag.Name == name) return tag.Value;
  return "";
}

// An engine of one worker: its process, and whether it has shaken hands.
struct TSeat {
  TEngineProcess Process;
  bool Started = false;
};

class TMatch {
 public:
  TMatch(const TOptions& options, std::vector<TOpening> openings)
      : options_(options), openings_(std::move(openings)) {
    const int games = options_.Games > 0 ? options_.Games : 2 * static_cast<int>(openings_.size());
    rounds_ = Schedule(static_cast<int>(openings_.size()), games, options_.Seed);
  }

  // Plays the match; returns the exit code.
  int Run() {
    std::string error;
    // What each engine says of itself while it gets ready (its endgame
    // database above all: a build copied out of its folder plays without it).
    std::vector<std::string> notes[2];
    // Both engines must answer before any game starts.
    {
      TSeat players[2];
      for (int e = 0; e < 2; ++e) {
        std::string name;
        if (!StartEngine(players[e], e, &name, &error, &notes[e])) {
          std::fprintf(stderr, "varek-cli match: engine %d (%s): %s\n", e + 1, options_.Commands[e].c_str(),
                       error.c_str());
          return 2;
        }
        if (names_[e].empty()) names_[e] = options_.Names[e].empty() ? name : options_.Names[e];
        players[e].Process.Quit();
      }
      if (names_[0] == names_[1]) {
        names_[0] += " (1)";
        names_[1] += " (2)";
      }
    }
    if (!LoadEarlierGames(&error)) {
      std::fprintf(stderr, "varek-cli match: %s\n", error.c_str());
      return 2;
    }
    std::printf("match: %s - %s, %zu games (%zu written before), %s, %d at once, games to %s\n", names_[0].c_str(),
                names_[1].c_str(), rounds_.size(), outcomes_.size(), options_.TimeControl().c_str(),
                options_.Concurrency, options_.Pdn.c_str());
    for (int e = 0; e < 2; ++e)
      for (const std::string& note : notes[e]) std::printf("%s: %s\n", names_[e].c_str(), note.c_str());
    std::fflush(stdout);

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::vector<std::thread> workers;
    for (int w = 0; w < options_.Concurrency; ++w) workers.emplace_back(&TMatch::Work, this);
    for (std::thread& worker : workers) worker.join();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);

    PrintTable();
    if (!writeError_.empty()) {
      std::fprintf(stderr, "varek-cli match: %s\n", writeError_.c_str());
      return 1;
    }
    if (outcomes_.size() < rounds_.size()) {
      std::printf("stopped after %zu of %zu games; the same command with --resume goes on\n", outcomes_.size(),
                  rounds_.size());
      return 1;
    }
    return 0;
  }

 private:
  // Starts an engine and waits for its handshake, gives it its options and
  // waits until it is ready.
  bool StartEngine(TSeat& player, int engine, std::string* name, std::string* error,
                   std::vector<std::string>* notes = nullptr) {
    player.Started = false;
    if (!player.Process.Start(options_.Commands[engine], error)) return false;
    std::string line;
    if (!player.Process.Send("protocol")) return *error = "does not read its input", false;
    const auto deadline = TClock::now() + std::chrono::seconds(30);
    for (;;) {
      const TEngineProcess::TRead read = player.Process.ReadLine(deadline, &line);
      if (read != TEngineProcess::TRead::Line)
        return *error = read == TEngineProcess::TRead::End ? "ended before its handshake" : "no handshake in 30 s",
               false;
      if (line.rfind("id name ", 0) == 0) *name = line.substr(8);
      if (line == "ok") break;
    }
    for (const auto& [option, value] : options_.EngineOptions[engine])
      player.Process.Send("setoption name " + option + " value " + value);
    if (!WaitReady(player, error, notes)) return false;
    if (name->empty()) *name = "engine " + std::to_string(engine + 1);
    player.Started = true;
    return true;
  }

  // isready, answered within a minute (loading a database may take a while);
  // the info strings said before the answer go to `notes`.
  bool WaitReady(TSeat& player, std::string* error, std::vector<std::string>* notes = nullptr) {
    if (!player.Process.Send("isready")) return *error = "ended", false;
    const auto deadline = TClock::now() + std::chrono::seconds(60);
    std::string line;
    for (;;) {
      const TEngineProcess::TRead read = player.Process.ReadLine(deadline, &line);
      if (read != TEngineProcess::TRead::Line)
        return *error = read == TEngineProcess::TRead::End ? "ended" : "not ready within 60 s", false;
      if (line.rfind("error", 0) == 0) return *error = line, false;  // a refused option
      if (line == "readyok") return true;
      if (notes != nullptr && line.rfind("info string ", 0) == 0) notes->push_back(line.substr(12));
    }
  }

  // The games of an earlier run of this match, kept if they belong to it; the
  // file is written again with them alone (a game cut off is dropped).
  bool LoadEarlierGames(std::string* error) {
    const bool exists = std::filesystem::exists(options_.Pdn);
    if (!options_.Resume) {
      if (exists && std::filesystem::file_size(options_.Pdn) > 0) {
        *error = options_.Pdn + " exists: give --resume to go on with its games, or another --pdn";
        return false;
      }
      return true;
    }
    if (!exists) return true;
    TPdnCollection collection;
    if (!ReadPdnFile(options_.Pdn, &collection, error)) return false;
    std::vector<bool> seen(rounds_.size() + 1, false);
    for (const TPdnGame& game : collection.Games) {
      int round = 0;
      const std::string where = options_.Pdn + " game of round " + Tag(game, "Round");
      if (!ParseNumber(Tag(game, "Round"), 1, static_cast<long>(rounds_.size()), &round) || seen[round])
        return *error = where + ": no round of this match, or one played twice", false;
      const TRound& scheduled = rounds_[static_cast<size_t>(round - 1)];
      const TOpening& opening = openings_[static_cast<size_t>(scheduled.Opening)];
      const bool sameStart = game.StartSide == opening.StartSide &&
                             std::equal(opening.StartBoard, opening.StartBoard + BoardSize, game.StartBoard) &&
                             game.Moves.size() >= opening.Moves.size() &&
                             std::equal(opening.Moves.begin(), opening.Moves.end(), game.Moves.begin());
      if (!sameStart || game.Black != names_[scheduled.BlackEngine] || game.White != names_[1 - scheduled.BlackEngine])
        return *error = where + ": another opening or other players than this match has there (the same options are"
                                " needed to go on)",
               false;
      seen[round] = true;
      TOutcome outcome;
      outcome.Round = round;
      if (game.Result == "1-0") outcome.Winner = scheduled.BlackEngine;
      if (game.Result == "0-1") outcome.Winner = 1 - scheduled.BlackEngine;
      if (Tag(game, "Forfeit") == "Black") outcome.Forfeit = scheduled.BlackEngine;
      if (Tag(game, "Forfeit") == "White") outcome.Forfeit = 1 - scheduled.BlackEngine;
      for (int colour = 0; colour < 2; ++colour) {
        const int engine = colour == 0 ? scheduled.BlackEngine : 1 - scheduled.BlackEngine;
        double seconds = 0;
        ParseSeconds(Tag(game, colour == 0 ? "BlackSeconds" : "WhiteSeconds"), 1e9, &seconds);
        outcome.Seconds[engine] = seconds;
        int moves = 0;
        ParseNumber(Tag(game, colour == 0 ? "BlackMoves" : "WhiteMoves"), 0, 100000, &moves);
        outcome.Moves[engine] = moves;
      }
      outcomes_.push_back(outcome);
      games_.push_back(game);
    }
    if (!SaveTextFile(options_.Pdn, games_.empty() ? std::string() : WritePdn(games_))) {
      *error = "cannot write " + options_.Pdn;
      return false;
    }
    done_ = seen;
    return true;
  }

  // The next round nobody has played or taken; false when none is left.
  bool Take(TRound* round) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (done_.size() < rounds_.size() + 1) done_.resize(rounds_.size() + 1, false);
    while (next_ < rounds_.size() && done_[rounds_[next_].Number]) ++next_;
    if (next_ >= rounds_.size() || Stopping() || !writeError_.empty()) return false;
    *round = rounds_[next_++];
    return true;
  }

  void Work() {
    TSeat players[2];
    TRound round;
    while (Take(&round)) {
      TPdnGame game;
      TOutcome outcome;
      if (!Play(players, round, &game, &outcome)) break;  // stopped
      Finish(round, game, outcome);
    }
    for (TSeat& player : players) player.Process.Quit();
  }

  // Brings an engine to the start of a game: started again if it has ended,
  // told of the new game otherwise.
  bool Prepare(TSeat& player, int engine, std::string* error) {
    if (player.Started && player.Process.Running() && player.Process.Send("newgame") &&
        WaitReady(player, error))
      return true;
    std::string name;
    return StartEngine(player, engine, &name, error);
  }

  // Plays one game; false when the match is being stopped (the game is dropped).
  bool Play(TSeat* players, const TRound& round, TPdnGame* game, TOutcome* outcome) {
    const TOpening& opening = openings_[static_cast<size_t>(round.Opening)];
    TGameLine line;
    line.Reset(opening.StartBoard, opening.StartSide);
    for (const std::vector<int>& move : opening.Moves) line.Play(move.data());
    const std::string start = opening.FromStartingPosition()
                                  ? "position startpos"
                                  : "position fen " + FormatPosition(opening.StartBoard, opening.StartSide);
    const int black = round.BlackEngine;
    auto engineOf = [black](TPlayer side) { return side == Black ? black : 1 - black; };
    auto colour = [](TPlayer side) { return std::string(side == Black ? "Black" : "White"); };
    double clock[2] = {options_.ClockSeconds, options_.ClockSeconds};  // by engine
    outcome->Round = round.Number;
    std::string termination;
    TPlayer loser = Black;
    bool decided = false, forfeit = false;
    class TMoveGenerator generator;

    for (int e = 0; e < 2 && !decided; ++e) {
      std::string error;
      if (!Prepare(players[e], e, &error)) {
        if (Stopping()) return false;
        loser = e == black ? Black : White;
        termination = colour(loser) + "'s engine did not start: " + error;
        decided = forfeit = true;
      }
    }
    while (!decided) {
      if (Stopping()) return false;
      const TPlayer side = line.Side();
      if (generator.NoMovesLeft(line.Board(), side)) {
        loser = side;
        termination = colour(side) + " has no move";
        decided = true;
        break;
      }
      if (const TDraw draw = line.Draw(); draw != TDraw::None) {
        termination = DrawText(draw);
        break;
      }
      const int engine = engineOf(side);
      TEngineProcess& process = players[engine].Process;
      std::string position = start;
      const std::vector<std::string> moves = line.Notations();
      if (!moves.empty()) position += " moves";
      for (const std::string& move : moves) position += " " + move;
      std::string go;
      milliseconds allowed;
      if (options_.Clock) {
        const int white = 1 - black;
        go = "go wtime " + std::to_string(std::lround(clock[white] * 1000)) + " btime " +
             std::to_string(std::lround(clock[black] * 1000)) + " winc " +
             std::to_string(std::lround(options_.Increment * 1000)) + " binc " +
             std::to_string(std::lround(options_.Increment * 1000));
        allowed = milliseconds(std::lround(clock[engine] * 1000));
      } else if (options_.Depth > 0) {
        go = "go depth " + std::to_string(options_.Depth);
        allowed = std::chrono::hours(1);
      } else {
        go = "go movetime " + std::to_string(options_.MoveTimeMs);
        allowed = milliseconds(options_.MoveTimeMs);
      }
      const auto began = TClock::now();
      const auto deadline = began + allowed + milliseconds(options_.MarginMs);
      std::string answer;
      TEngineProcess::TRead read = TEngineProcess::TRead::End;
      if (process.Send(position) && process.Send(go)) {
        for (;;) {
          // Short waits, so that a stop is seen soon.
          read = process.ReadLine(std::min(deadline, TClock::now() + milliseconds(100)), &answer);
          if (Stopping()) return false;
          if (read == TEngineProcess::TRead::Timeout && TClock::now() < deadline) continue;
          if (read != TEngineProcess::TRead::Line || answer.rfind("bestmove", 0) == 0) break;
        }
      }
      const double seconds = std::chrono::duration<double>(TClock::now() - began).count();
      outcome->Seconds[engine] += seconds;
      ++outcome->Moves[engine];
      if (read != TEngineProcess::TRead::Line) {
        process.Kill();
        loser = side;
        termination = colour(side) + "'s engine " +
                      (read == TEngineProcess::TRead::End ? std::string("ended")
                                                          : "took longer than " + std::to_string(allowed.count()) +
                                                                " ms and " + std::to_string(options_.MarginMs) +
                                                                " ms more");
        decided = forfeit = true;
        break;
      }
      std::istringstream words(answer);
      std::string keyword, move, reason;
      words >> keyword >> move;
      if (move.empty() || move == "none" || !line.Play(move, &reason)) {
        loser = side;
        termination = colour(side) + "'s engine played " +
                      (move.empty() || move == "none" ? "no move though it had one" : "an illegal move " + move +
                                                                                           " (" + reason + ")");
        decided = forfeit = true;
        break;
      }
      if (options_.Clock) {
        outcome->Least[engine] = std::min(outcome->Least[engine], clock[engine] - seconds);
        clock[engine] = std::max(0.0, clock[engine] - seconds) + options_.Increment;
      }
    }

    game->Event = "varek-cli match";
    game->Date = PdnToday();
    game->Black = names_[black];
    game->White = names_[1 - black];
    std::copy(line.StartBoard(), line.StartBoard() + BoardSize, game->StartBoard);
    game->StartSide = line.StartSide();
    game->Moves = line.Moves();
    game->Result = !decided ? "1/2-1/2" : loser == White ? "1-0" : "0-1";
    outcome->Winner = decided ? engineOf(loser == Black ? White : Black) : -1;
    outcome->Forfeit = forfeit ? engineOf(loser) : -1;
    auto tag = [game](const std::string& name, const std::string& value) { game->OtherTags.push_back({name, value}); };
    char text[32];
    tag("Round", std::to_string(round.Number));
    tag("Opening", opening.Name);
    tag("TimeControl", options_.TimeControl());
    tag("Termination", termination);
    if (forfeit) tag("Forfeit", colour(loser));
    for (TPlayer side : {Black, White}) {
      std::snprintf(text, sizeof text, "%.3f", outcome->Seconds[engineOf(side)]);
      tag(colour(side) + "Seconds", text);
      tag(colour(side) + "Moves", std::to_string(outcome->Moves[engineOf(side)]));
      if (options_.Clock && outcome->Moves[engineOf(side)] > 0) {
        std::snprintf(text, sizeof text, "%.3f", outcome->Least[engineOf(side)]);
        tag(colour(side) + "LeastClock", text);
      }
    }
    return true;
  }

  // Writes a finished game to the file and says how it ended.
  void Finish(const TRound& round, const TPdnGame& game, const TOutcome& outcome) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::ofstream out(options_.Pdn, std::ios::app | std::ios::binary);
    out << (outcomes_.empty() ? "" : "\n") << WritePdn(game);
    out.flush();
    if (!out) writeError_ = "cannot write " + options_.Pdn + "; the match stops";
    outcomes_.push_back(outcome);
    done_[round.Number] = true;
    double score = 0;
    for (const TOutcome& o : outcomes_) score += o.Winner == 0 ? 1 : o.Winner < 0 ? 0.5 : 0;
    std::printf("game %d/%zu %s: %s - %s %s, %s, %zu plies; %s %.1f of %zu\n", round.Number, rounds_.size(),
                Tag(game, "Opening").c_str(), game.Black.c_str(), game.White.c_str(), game.Result.c_str(),
                Tag(game, "Termination").c_str(), game.Moves.size(), names_[0].c_str(), score, outcomes_.size());
    std::fflush(stdout);
  }

  void PrintTable() const {
    int wins[2] = {}, draws = 0, forfeits[2] = {};
    double seconds[2] = {}, moves[2] = {};
    for (const TOutcome& o : outcomes_) {
      if (o.Winner < 0) ++draws;
      else ++wins[o.Winner];
      if (o.Forfeit >= 0) ++forfeits[o.Forfeit];
      for (int e = 0; e < 2; ++e) {
        seconds[e] += o.Seconds[e];
        moves[e] += o.Moves[e];
      }
    }
    const int games = static_cast<int>(outcomes_.size());
    const std::string heading = "after " + std::to_string(games) + " games";
    std::printf("\n%-28s %6s %6s %6s %7s %10s %9s\n", heading.c_str(), "wins", "draws", "losses", "score",
                "time/move", "forfeits");
    for (int e = 0; e < 2; ++e) {
      const double score = games > 0 ? (wins[e] + 0.5 * draws) / games : 0;
      std::printf("%-28s %6d %6d %6d %6.1f%% %8.3f s %9d\n", names_[e].c_str(), wins[e], draws, wins[1 - e],
                  100 * score, moves[e] > 0 ? seconds[e] / moves[e] : 0.0, forfeits[e]);
    }
    if (options_.Clock) {
      double least[2] = {1e9, 1e9};
      for (const TOutcome& o : outcomes_)
        for (int e = 0; e < 2; ++e) least[e] = std::min(least[e], o.Least[e]);
      if (least[0] < 1e9 && least[1] < 1e9)
        std::printf("least time left after a move: %s %.3f s, %s %.3f s\n", names_[0].c_str(), least[0],
                    names_[1].c_str(), least[1]);
    }
    if (games == 0) return;
    // The score per game of the first engine, its mean and the standard error
    // of the mean; Elo from the logistic curve, the interval at 95%.
    const double p = (wins[0] + 0.5 * draws) / games;
    const double variance =
        (wins[0] * (1 - p) * (1 - p) + draws * (0.5 - p) * (0.5 - p) + wins[1] * p * p) / games;
    const double error = std::sqrt(variance / games);
    auto elo = [](double score) { return -400 * std::log10(1 / score - 1); };
    if (p <= 0 || p >= 1) {
      std::printf("Elo of %s: not finite (%s every game)\n", names_[0].c_str(), p >= 1 ? "won" : "lost");
      return;
    }
    const double low = std::max(p - 1.96 * error, 1e-6), high = std::min(p + 1.96 * error, 1 - 1e-6);
    std::printf("Elo of %s against %s: %+.0f +- %.0f (95%%: %+.0f to %+.0f), %d games\n", names_[0].c_str(),
                names_[1].c_str(), elo(p), (elo(high) - elo(low)) / 2, elo(low), elo(high), games);
  }

  const TOptions options_;
  const std::vector<TOpening> openings_;
  std::vector<TRound> rounds_;
  std::string names_[2];

  std::mutex mutex_;  // guards what follows
  std::vector<bool> done_;  // by round number
  size_t next_ = 0;
  std::vector<TOutcome> outcomes_;
  std::vector<TPdnGame> games_;
  std::string writeError_;
};

}  // namespace

int CmdMatch(const TArgs& args) {
  TOptions options;
  std::string error;
  if (!ReadOptions(args, &options, &error)) return CommandError("match", error + "\n" + Usage);
  std::vector<TOpening> openings;
  if (options.OpeningsFile.empty())
    openings = StandardOpenings();
  else if (!ReadOpenings(options.OpeningsFile, &openings, &error))
    return CommandError("match", error);
  TMatch match(options, std::move(openings));
  return match.Run();
}
