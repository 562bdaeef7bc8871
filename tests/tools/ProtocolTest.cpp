// varek-cli engine, driven as another program drives it: a scripted session
// checked line by line, the game's history, several lines, and endings the
// database wins. The engine searches on a thread of its own while it reads
// its input, so these carry the label `threaded` (ThreadSanitizer runs them).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "egdb/Database.h"
#include "engine/MoveGenerator.h"
#include "engine/PositionString.h"
#include "game/MoveText.h"
#include "tools/GameLine.h"

namespace {

using namespace enginetest;

// An info line taken apart: "info depth D seldepth S [multipv K] score cp X
// | win N | loss N nodes N nps N time MS pv M1 M2 ...".
struct TInfo {
  int Depth = 0, Line = 1;
  std::string Score;  // "cp 12", "win 25", "loss 8"
  std::vector<std::string> Pv;
};

bool Number(const std::string& word, bool sign = false) {
  size_t at = sign && !word.empty() && word[0] == '-' ? 1 : 0;
  return at < word.size() && word.find_first_not_of("0123456789", at) == std::string::npos;
}

bool IsMoveText(const std::string& word) {
  size_t at = 0, squares = 0;
  while (at < word.size()) {
    const size_t end = word.find_first_of("-x", at);
    if (!Number(word.substr(at, end - at))) return false;
    ++squares;
    if (end == std::string::npos) break;
    at = end + 1;
    if (at == word.size()) return false;
  }
  return squares >= 2;
}

bool ParseInfo(const std::string& line, TInfo* info) {
  std::istringstream in(line);
  std::vector<std::string> w;
  for (std::string word; in >> word;) w.push_back(word);
  size_t k = 0;
  auto take = [&](const char* name, bool sign = false) {
    if (k + 1 >= w.size() || w[k] != name || !Number(w[k + 1], sign)) return std::string();
    k += 2;
    return w[k - 1];
  };
  if (w.empty() || w[k++] != "info") return false;
  const std::string depth = take("depth");
  if (depth.empty() || take("seldepth").empty()) return false;
  info->Depth = std::stoi(depth);
  if (k < w.size() && w[k] == "multipv") {
    const std::string number = take("multipv");
    if (number.empty()) return false;
    info->Line = std::stoi(number);
  }
  if (k + 2 >= w.size() || w[k] != "score" || (w[k + 1] != "cp" && w[k + 1] != "win" && w[k + 1] != "loss") ||
      !Number(w[k + 2], w[k + 1] == "cp"))
    return false;
  info->Score = w[k + 1] + " " + w[k + 2];
  k += 3;
  if (take("nodes").empty() || take("nps").empty() || take("time").empty()) return false;
  if (k >= w.size() || w[k++] != "pv" || k == w.size()) return false;
  info->Pv.assign(w.begin() + static_cast<long>(k), w.end());
  for (const std::string& move : info->Pv)
    if (!IsMoveText(move)) return false;
  return true;
}

// Whether `moves`, in the engine's notation, are legal one after the other from `fen`.
bool Legal(const std::string& fen, const std::vector<std::string>& moves) {
  int board[BoardSize];
  TPlayer side = Black;
  std::string error;
  if (fen.empty()) TMoveGenerator::InitBoard(board);
  else if (!ParsePosition(fen, board, &side, &error)) return false;
  TGameLine line;
  line.Reset(board, side);
  for (const std::string& move : moves)
    if (!line.Play(move, &error)) return false;
  return true;
}

double Since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

TEST(ThreadedEngineProtocol, AScriptedSessionIsAnsweredLineByLine) {
  TEngineSession engine;
  engine.Send("protocol");
  EXPECT_EQ(engine.Next(), "id name Varek 99");
  EXPECT_EQ(engine.Next(), "id author the Varek authors");
  EXPECT_EQ(engine.Next(), "option name Hash type spin default 3 min 1 max 4096");
  EXPECT_EQ(engine.Next(),
            "option name Level type combo default 5 Seconds/Move var Easy var 2 Seconds/Move var 5 Seconds/Move var "
            "10 Seconds/Move var 15 Seconds/Move var 30 Seconds/Move var 60 Seconds/Move var Infinite");
  EXPECT_EQ(engine.Next(), "option name MultiPV type spin default 1 min 1 max 32");
  EXPECT_EQ(engine.Next(), "option name EndgameDatabase type check default true");
  const std::string folder = engine.Next();
  EXPECT_EQ(folder.rfind("option name EndgameDatabaseFolder type string default /", 0), 0u) << folder;
  EXPECT_EQ(engine.Next(), "option name Book type check default true");
  EXPECT_EQ(engine.Next(), "option name Evaluation type combo default fitted var fitted var classic");
  EXPECT_EQ(engine.Next(), "option name EvaluationWeights type string default");
  EXPECT_EQ(engine.Next(), "ok");
  engine.Send("newgame");
  engine.Send("isready");
  const std::string loaded = engine.Next();
  EXPECT_EQ(loaded.rfind("info string endgame database: up to ", 0), 0u) << loaded;
  EXPECT_EQ(engine.Next(), "readyok");
  engine.Send("isready");  // said once
  EXPECT_EQ(engine.Next(), "readyok");

  // A position with moves, to a fixed depth: one line per iteration (the
  // book would answer this one).
  engine.Send("setoption name Book value false");
  engine.Send("position startpos moves 11-15 23-19");
  engine.Send("go depth 11");
  const std::vector<std::string> lines = engine.Until("bestmove");
  ASSERT_EQ(lines.size(), 4u);  // 9, 10 and 11 plies
  TInfo info;
  for (int k = 0; k < 3; ++k) {
    ASSERT_TRUE(ParseInfo(lines[k], &info)) << lines[k];
    EXPECT_EQ(info.Depth, 9 + k);
    EXPECT_TRUE(Legal("", {"11-15", "23-19"}) && Legal("", [&] {
      std::vector<std::string> all{"11-15", "23-19"};
      for (const std::string& move : info.Pv) all.push_back(move);
      return all;
    }())) << lines[k];
  }
  const std::string best = lines[3].substr(9);
  EXPECT_EQ(best, info.Pv.front());

  // A time per move is kept to.
  auto began = std::chrono::steady_clock::now();
  const std::string timed = engine.BestMove("go movetime 300");
  EXPECT_LT(Since(began), 0.3 + 0.25);
  EXPECT_TRUE(Legal("", {"11-15", "23-19", timed})) << timed;

  // An infinite search goes on until stop, which is answered at once; a go
  // meanwhile is refused, a stop when idle is said to do nothing.
  engine.Send("go infinite");
  EXPECT_EQ(engine.Next().rfind("info depth 9 ", 0), 0u);
  engine.Send("go depth 9");
  EXPECT_EQ(engine.Until("error").back(), "error go: a search is running; send stop first");
  engine.Send("stop");
  began = std::chrono::steady_clock::now();
  const std::string stopped = engine.Until("bestmove ", 2).back();
  EXPECT_LT(Since(began), 0.5);
  EXPECT_TRUE(Legal("", {"11-15", "23-19", stopped.substr(9)})) << stopped;
  engine.Send("stop");
  EXPECT_EQ(engine.Next(), "info string no search to stop");

  // A bad move is said and leaves the position as it was; so does a capture
  // written short where two share both ends.
  engine.Send("position fen B:W6,7,14,15:B2 moves 2x18");
  EXPECT_EQ(engine.Next(),
            "error position: move 1 2x18 (Black to move): ambiguous, two captures go from 2 to 18 (the full path is "
            "needed); the position is unchanged");
  engine.Send("position fen B:W6,7,14,15:B2 moves 2x11x18");
  engine.Send("position startpos moves 11-15 11-16");
  EXPECT_EQ(engine.Next(), "error position: move 2 11-16 (White to move): not a legal move; the position is unchanged");
  engine.Send("position fen B:W6,7,14,15:B2 moves 22-18");
  EXPECT_EQ(engine.Next(), "error position: move 1 22-18 (Black to move): not a legal move; the position is unchanged");
  const std::string reply = engine.BestMove("go depth 9");
  EXPECT_TRUE(Legal("B:W6,7,14,15:B2", {"2x11x18", reply})) << reply;

  // Anything else gets one line and the engine goes on.
  engine.Send("foo bar");
  EXPECT_EQ(engine.Next(), "error unknown command 'foo'");
  engine.Send(std::string(5000, 'a'));
  EXPECT_EQ(engine.Next(), "error line longer than 4096 bytes, ignored");
  engine.Send(std::string("go\x01\xff", 4));
  EXPECT_EQ(engine.Next(), "error line holds a byte that is not text (0x01), ignored");
  engine.Send("setoption name Nope value 1");
  EXPECT_EQ(engine.Next(), "error setoption Nope: no such option");
  engine.Send("setoption name MultiPV value 99");
  EXPECT_EQ(engine.Next(), "error setoption MultiPV: the value must be a whole number from 1 to 32");
  engine.Send("go nodes 5");
  EXPECT_EQ(engine.Next(), "error go: unknown limit 'nodes'");
  engine.Send("position fen W:W5:B1");  // White to move and blocked
  EXPECT_EQ(engine.BestMove("go movetime 50"), "none");
  engine.Send("isready");
  EXPECT_EQ(engine.Next(), "readyok");

  // The end of the input ends it, cleanly.
  engine.Process().CloseInput();
  EXPECT_EQ(engine.Next(5), "<end>");
  const int status = engine.Process().Wait(std::chrono::seconds(5));
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// White, three kings against a king and a man, would play into a position it
// has had before unless the moves given say so; the engine and `search
// --moves` both see them.
TEST(ThreadedEngineProtocol, TheGamesHistoryKeepsTheEngineFromRepeating) {
  const std::string start = "W:WK1,K2,K3:BK25,12";
  TEngineSession engine;
  engine.Send("setoption name EndgameDatabase value false");
  engine.Send("position fen " + start);
  const std::string first = engine.BestMove("go depth 11");
  ASSERT_TRUE(Legal(start, {first})) << first;
  // Back to the start by a step of Black's king there and back and White's
  // own step back: the position after `first` has been on the board.
  int board[BoardSize];
  TPlayer side;
  std::string error;
  ASSERT_TRUE(ParsePosition(start, board, &side, &error));
  const size_t dash = first.find('-');
  ASSERT_NE(dash, std::string::npos) << "a capture cannot be taken back: " << first;
  const std::string back = first.substr(dash + 1) + "-" + first.substr(0, dash);
  std::string there, home;
  for (const char* step : {"25-21", "25-22", "25-29", "25-30"}) {
    const std::string text(step);
    const std::string reverse = text.substr(3) + "-" + text.substr(0, 2);
    if (Legal(start, {first, text, back, reverse})) {
      there = text;
      home = reverse;
      break;
    }
  }
  ASSERT_FALSE(there.empty());
  const std::string moves = " moves " + first + " " + there + " " + back + " " + home;
  engine.Send("newgame");
  engine.Send("position fen " + start + moves);
  const std::string again = engine.BestMove("go depth 11");
  EXPECT_NE(again, first);
  EXPECT_TRUE(Legal(start, {first, there, back, home, again})) << again;

  // The companion's search the same way.
  const std::string command = Companion() + " search --no-egdb --depth 11 " + start + " --moves" +
                              moves.substr(6) + " 2>&1";
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) out = buffer;  // the last line
    pclose(pipe);
  }
  EXPECT_EQ(out.rfind("Played ", 0), 0u) << out;
  EXPECT_EQ(out.rfind("Played " + first + " ", 0), std::string::npos) << out;
}

// The opening book answers the first moves unless it is turned off; the
// evaluation can be the classic one or weights from a file.
TEST(ThreadedEngineProtocol, TheBookAndTheEvaluationAreOptions) {
  TEngineSession engine;
  engine.Send("isready");
  ASSERT_EQ(engine.Until("readyok").back(), "readyok");
  engine.Send("position startpos");
  engine.Send("go depth 9");
  std::vector<std::string> lines = engine.Until("bestmove");
  ASSERT_EQ(lines.size(), 2u) << lines.front();
  EXPECT_EQ(lines[0], "info string from the opening book");
  EXPECT_TRUE(Legal("", {lines[1].substr(9)})) << lines[1];
  engine.Send("setoption name Book value false");
  engine.Send("go depth 9");
  lines = engine.Until("bestmove");
  EXPECT_EQ(lines.front().rfind("info depth 9 ", 0), 0u) << lines.front();
  engine.Send("setoption name Book value maybe");
  EXPECT_EQ(engine.Next(), "error setoption Book: the value must be true or false");

  engine.Send("setoption name Evaluation value classic");
  engine.Send("position startpos moves 11-15 23-19");
  engine.Send("go depth 9");
  EXPECT_EQ(engine.Until("bestmove").front().rfind("info depth 9 ", 0), 0u);
  engine.Send("setoption name Evaluation value best");
  EXPECT_EQ(engine.Next(), "error setoption Evaluation: the value must be fitted or classic");
  engine.Send("setoption name EvaluationWeights value /no/such/weights.cpp");
  EXPECT_EQ(engine.Next(),
            "error setoption EvaluationWeights: cannot read weights from '/no/such/weights.cpp' (a file written by "
            "varek-cli tune fit)");
  engine.Send("setoption name EvaluationWeights value " VAREK_SOURCE_DIR "/search/FittedWeights.cpp");
  engine.Send("isready");
  EXPECT_EQ(engine.Until("readyok").back(), "readyok");
}

TEST(ThreadedEngineProtocol, SeveralLinesAreSearchedAndReportedBestFirst) {
  TEngineSession engine;
  engine.Send("setoption name MultiPV value 3");
  engine.Send("setoption name Book value false");
  engine.Send("position startpos moves 11-15 23-19 8-11");
  engine.Send("go depth 13");
  std::vector<std::string> lines = engine.Until("bestmove");
  std::erase_if(lines, [](const std::string& line) { return line.rfind("info string ", 0) == 0; });
  ASSERT_EQ(lines.size(), 5u * 3 + 1) << lines.back();  // 9 to 13 plies, three lines each
  for (size_t k = 0; k < 15; k += 3) {
    std::vector<std::string> firsts;
    int last = 100000;
    for (size_t j = 0; j < 3; ++j) {
      TInfo info;
      ASSERT_TRUE(ParseInfo(lines[k + j], &info)) << lines[k + j];
      EXPECT_EQ(info.Line, static_cast<int>(j + 1));
      ASSERT_EQ(info.Score.rfind("cp ", 0), 0u);
      const int score = std::stoi(info.Score.substr(3));
      EXPECT_LE(score, last) << lines[k + j];
      last = score;
      firsts.push_back(info.Pv.front());
      if (k == 12 && j == 0) {
        EXPECT_EQ(lines.back(), "bestmove " + firsts.back());
      }
    }
    EXPECT_NE(firsts[0], firsts[1]);
    EXPECT_NE(firsts[1], firsts[2]);
    EXPECT_NE(firsts[0], firsts[2]);
  }
}

// Two kings against one, and two against two with the defender's kings apart:
// the engine playing both sides, each told the game so far, wins within the
// distance the database gives.
TEST(ThreadedEngineProtocol, WonEndingsAreWonWithinTheDatabasesDistance) {
  TEndgameDatabase database;
  ASSERT_EQ(database.Load(DefaultEgdbFolder()).Problem(), "");
  for (const auto& [fen, winner] : {std::pair<std::string, TPlayer>{"W:WK14:BK19,K27", Black},
                                    std::pair<std::string, TPlayer>{"B:WK4,K15:BK23", White}}) {
    SCOPED_TRACE(fen);
    int board[BoardSize];
    TPlayer side;
    std::string error;
    ASSERT_TRUE(ParsePosition(fen, board, &side, &error));
    const int value = database.Probe(board, side);
    ASSERT_TRUE(EgdbIsLoss(value) || EgdbIsWin(value));
    const int distance = EgdbPlies(value);
    TEngineSession engine;
    TGameLine game;
    game.Reset(board, side);
    std::string moves;
    class TMoveGenerator generator;
    int plies = 0;
    while (!generator.NoMovesLeft(game.Board(), game.Side()) && plies <= distance) {
      engine.Send("position fen " + fen + (moves.empty() ? "" : " moves" + moves));
      const std::string move = engine.BestMove("go movetime 100");
      ASSERT_TRUE(game.Play(move, &error)) << move << ": " << error;
      moves += " " + move;
      ++plies;
    }
    EXPECT_TRUE(generator.NoMovesLeft(game.Board(), game.Side())) << "not won after" << moves;
    EXPECT_NE(game.Side(), winner);
    EXPECT_LE(plies, distance) << moves;
  }
}

// The companion's search uses the database unless told not to.
TEST(ThreadedEngineProtocol, SearchUsesTheDatabaseUnlessToldNot) {
  auto last = [](const std::string& options) {
    std::string out;
    const std::string command = Companion() + " search --depth 13 " + options + " W:WK14:BK19,K27 2>&1";
    if (FILE* pipe = popen(command.c_str(), "r")) {
      char buffer[512];
      while (std::fgets(buffer, sizeof buffer, pipe)) out = buffer;
      pclose(pipe);
    }
    return out;
  };
  EXPECT_NE(last("").find("  egdb"), std::string::npos) << last("");
  EXPECT_EQ(last("--no-egdb").find("egdb"), std::string::npos) << last("--no-egdb");
}
