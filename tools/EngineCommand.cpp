// varek-cli engine: the computer player behind a line protocol on standard
// input and output, for other programs to drive (docs/engine-protocol.md).
// The main thread reads and answers commands; a search runs on a thread of
// its own and writes its info lines and its bestmove itself.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "egdb/Database.h"
#include "engine/MoveGenerator.h"
#include "engine/PositionString.h"
#include "game/Pdn.h"
#include "search/Book.h"
#include "search/Engine.h"
#include "search/Evaluation.h"
#include "search/Levels.h"
#include "search/Tuning.h"
#include "tools/Commands.h"
#include "tools/GameLine.h"

namespace {

constexpr size_t MaxLineLength = 4096;
constexpr int MaxMultiPv = 32;
constexpr int MaxTableMegabytes = 4096;

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  size_t at = 0;
  while (at < line.size()) {
    const size_t start = line.find_first_not_of(" \t", at);
    if (start == std::string::npos) break;
    const size_t end = std::min(line.find_first_of(" \t", start), line.size());
    words.push_back(line.substr(start, end - start));
    at = end;
  }
  return words;
}

// The words from `from` to the first of `stops` (or the end), joined by spaces.
std::string Phrase(const std::vector<std::string>& words, size_t& from, std::initializer_list<const char*> stops) {
  std::string phrase;
  for (; from < words.size(); ++from) {
    if (std::any_of(stops.begin(), stops.end(), [&](const char* stop) { return Lower(words[from]) == stop; })) break;
    if (!phrase.empty()) phrase += ' ';
    phrase += words[from];
  }
  return phrase;
}

// Whole lines to standard output, from either thread.
class TOutput {
 public:
  void Line(const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    Write(text);
  }
  // Runs `step` and writes `text` while no other line can come between.
  template <typename Step>
  void LineAfter(Step step, const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    step();
    Write(text);
  }

 private:
  static void Write(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
  }
  std::mutex mutex_;
};

// Standard input line by line. A line too long or holding a byte that is not
// text is reported as such and skipped whole.
class TInput {
 public:
  enum class TKind { Line, TooLong, NotText, End };

  TKind Next(std::string* line, unsigned char* badByte) {
    line->clear();
    bool tooLong = false, notText = false;
    for (;;) {
      if (at_ == size_ && !Fill()) {
        if (line->empty() && !tooLong && !notText) return TKind::End;
        break;  // a last line without its newline
      }
      const char c = buffer_[at_++];
      if (c == '\n') break;
      const auto byte = static_cast<unsigned char>(c);
      if ((byte < 0x20 && c != '\t' && c != '\r') || byte >= 0x7f) {
        if (!notText) *badByte = byte;
        notText = true;
      }
      if (line->size() < MaxLineLength)
        line->push_back(c);
      else
        tooLong = true;
    }
    if (notText) return TKind::NotText;
    if (tooLong) return TKind::TooLong;
    if (!line->empty() && line->back() == '\r') line->pop_back();
    return TKind::Line;
  }

 private:
  bool Fill() {
    const ssize_t n = ::read(0, buffer_, sizeof buffer_);
    if (n <= 0) return false;
    at_ = 0;
    size_ = static_cast<size_t>(n);
    return true;
  }
  char buffer_[4096];
  size_t at_ = 0, size_ = 0;
};

// "cp 12", "win 25" (the side to move wins: the other side has no move 25
// plies from now), "loss 8".
std::string ScoreWords(int score) {
  if (score > 9500) return "win " + std::to_string(10001 - score);
  if (score < -9500) return "loss " + std::to_string(score + 10001);
  return "cp " + std::to_string(score);
}

std::string Notation(const int* board, TPlayer side, const int* move) {
  return MoveNotations(board, side, {std::vector<int>(move, move + MoveLength(move) + 1)}).front();
}

class TProtocol {
 public:
  explicit TProtocol(TOutput& out) : out_(out), game_(std::make_unique<TGameLine>()) {}
  ~TProtocol() { StopSearch(); }

  // Answers one line; false once it is told to quit.
  bool Handle(const std::string& line) {
    const std::vector<std::string> words = Words(line);
    if (words.empty()) return true;
    const std::string command = Lower(words[0]);
    if (command == "quit") return false;
    if (command == "protocol") Handshake();
    else if (command == "isready") Ready();
    else if (command == "setoption") SetOption(words);
    else if (command == "newgame") NewGame();
    else if (command == "position") Position(words);
    else if (command == "go") Go(words);
    else if (command == "stop") Stop();
    else out_.Line("error unknown command '" + words[0] + "'");
    return true;
  }

  void StopSearch() {
    if (!thread_.joinable()) return;
    control_.StopRequest = true;
    {
      std::lock_guard<std::mutex> lock(waitMutex_);
      stopAsked_ = true;
    }
    stopped_.notify_all();
    thread_.join();
  }

 private:
  void Handshake() {
    out_.Line("id name Varek 99");
    out_.Line("id author the Varek authors");
    out_.Line("option name Hash type spin default " + std::to_string(TEngine::DefaultTableMegabytes) + " min 1 max " +
              std::to_string(MaxTableMegabytes));
    std::string levels = "option name Level type combo default " + std::string(Levels[DefaultLevel].Name);
    for (const TLevel& level : Levels) levels += std::string(" var ") + level.Name;
    out_.Line(levels);
    out_.Line("option name MultiPV type spin default 1 min 1 max " + std::to_string(MaxMultiPv));
    out_.Line("option name EndgameDatabase type check default true");
    out_.Line("option name EndgameDatabaseFolder type string default " + DefaultEgdbFolder());
    out_.Line("option name Book type check default true");
    out_.Line("option name Evaluation type combo default fitted var fitted var classic");
    out_.Line("option name EvaluationWeights type string default");
    out_.Line("ok");
  }

  void Ready() {
    if (!searching_) LoadDatabase();
    out_.Line("readyok");
  }

  bool Idle(const char* command) {
    if (!searching_) {
      if (thread_.joinable()) thread_.join();  // the last search has written its bestmove
      return true;
    }
    out_.Line(std::string("error ") + command + ": a search is running; send stop first");
    return false;
  }

  // "setoption name NAME [value VALUE]"; names are not case-sensitive.
  void SetOption(const std::vector<std::string>& words) {
    if (!Idle("setoption")) return;
    size_t at = 1;
    if (at >= words.size() || Lower(words[at]) != "name") {
      out_.Line("error setoption: write setoption name NAME value VALUE");
      return;
    }
    ++at;
    const std::string name = Phrase(words, at, {"value"});
    std::string value;
    if (at < words.size()) {
      ++at;
      value = Phrase(words, at, {});
    }
    const std::string key = Lower(name);
    auto bad = [&](const std::string& why) { out_.Line("error setoption " + name + ": " + why); };
    int number = 0;
    if (key == "hash") {
      if (!ParseNumber(value, 1, MaxTableMegabytes, &number))
        return bad("the value must be a whole number of MiB from 1 to " + std::to_string(MaxTableMegabytes));
      if (!engine_.SetTableMegabytes(number)) {
        engine_.SetTableMegabytes(TEngine::DefaultTableMegabytes);
        return bad("no memory for " + value + " MiB; the table has " +
                   std::to_string(TEngine::DefaultTableMegabytes) + " MiB");
      }
    } else if (key == "level") {
      const auto level = std::find_if(std::begin(Levels), std::end(Levels),
                                      [&](const TLevel& l) { return Lower(l.Name) == Lower(value); });
      if (level == std::end(Levels)) return bad("no level '" + value + "'");
      level_ = static_cast<int>(level - std::begin(Levels));
    } else if (key == "multipv") {
      if (!ParseNumber(value, 1, MaxMultiPv, &number))
        return bad("the value must be a whole number from 1 to " + std::to_string(MaxMultiPv));
      multiPv_ = number;
    } else if (key == "endgamedatabase") {
      if (Lower(value) != "true" && Lower(value) != "false") return bad("the value must be true or false");
      databaseWanted_ = Lower(value) == "true";
      databaseState_ = TDatabaseState::ToLoad;
    } else if (key == "endgamedatabasefolder") {
      if (value.empty()) return bad("the value must be a folder");
      databaseFolder_ = value;
      databaseState_ = TDatabaseState::ToLoad;
    } else if (key == "book") {
      if (Lower(value) != "true" && Lower(value) != "false") return bad("the value must be true or false");
      book_ = Lower(value) == "true";
      if (book_ && DefaultBook() == nullptr) out_.Line("info string no opening book at " + DefaultBookPath());
    } else if (key == "evaluation") {
      if (Lower(value) != "fitted" && Lower(value) != "classic") return bad("the value must be fitted or classic");
      EvaluationKind = Lower(value) == "fitted" ? TEvaluationKind::Fitted : TEvaluationKind::Classic;
    } else if (key == "evaluationweights") {
      TEvalWeights weights = FittedWeights;
      if (!value.empty()) {
        std::ifstream file(value, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (!file || !ParseWeightsSource(text, &weights))
          return bad("cannot read weights from '" + value + "' (a file written by varek-cli tune fit)");
      }
      SetEvalWeights(weights);
    } else {
      bad("no such option");
    }
  }

  void NewGame() {
    if (!Idle("newgame")) return;
    engine_.NewGame();
  }

  // "position startpos|fen FEN [moves M1 M2 ...]": every move is checked and
  // a bad one leaves the position as it was.
  void Position(const std::vector<std::string>& words) {
    if (!Idle("position")) return;
    auto game = std::make_unique<TGameLine>();
    size_t at = 1;
    const std::string kind = at < words.size() ? Lower(words[at]) : "";
    if (kind == "fen") {
      if (at + 1 >= words.size()) {
        out_.Line("error position: fen needs a position");
        return;
      }
      int board[BoardSize];
      TPlayer side = Black;
      std::string reason;
      if (!ParsePosition(words[at + 1], board, &side, &reason)) {
        out_.Line("error position: bad fen '" + words[at + 1] + "': " + reason);
        return;
      }
      game->Reset(board, side);
      at += 2;
    } else if (kind == "startpos") {
      at += 1;
    } else {
      out_.Line("error position: write position startpos or position fen FEN, then moves ...");
      return;
    }
    if (at < words.size()) {
      if (Lower(words[at]) != "moves") {
        out_.Line("error position: '" + words[at] + "' where moves was expected");
        return;
      }
      for (++at; at < words.size(); ++at) {
        std::string reason;
        const TPlayer side = game->Side();
        if (!game->Play(words[at], &reason)) {
          out_.Line("error position: move " + std::to_string(game->Moves().size() + 1) + " " + words[at] + " (" +
                    (side == Black ? "Black" : "White") + " to move): " + reason + "; the position is unchanged");
          return;
        }
      }
    }
    game_ = std::move(game);
  }

  // "go [infinite] [depth N] [movetime MS] [wtime MS] [btime MS] [winc MS]
  // [binc MS] [movestogo N]"; without limits the Level option's.
  void Go(const std::vector<std::string>& words) {
    if (!Idle("go")) return;
    bool infinite = false;
    int depth = 0, moveTime = -1, movesToGo = 0;
    int times[2] = {-1, -1}, increments[2] = {0, 0};  // by TPlayer: White 0, Black 1
    for (size_t at = 1; at < words.size(); ++at) {
      const std::string word = Lower(words[at]);
      if (word == "infinite") {
        infinite = true;
        continue;
      }
      int* target = word == "depth"       ? &depth
                    : word == "movetime"  ? &moveTime
                    : word == "movestogo" ? &movesToGo
                    : word == "wtime"     ? &times[White]
                    : word == "btime"     ? &times[Black]
                    : word == "winc"      ? &increments[White]
                    : word == "binc"      ? &increments[Black]
                                          : nullptr;
      if (target == nullptr) {
        out_.Line("error go: unknown limit '" + words[at] + "'");
        return;
      }
      if (at + 1 >= words.size() || !ParseNumber(words[at + 1], word == "depth" ? 1 : 0, 999999999, target)) {
        out_.Line("error go: " + word + " needs a whole number" + (word == "depth" ? " from 1" : ""));
        return;
      }
      ++at;
    }
    const TPlayer side = game_->Side();
    TSearchRequest request;
    std::copy(game_->Board(), game_->Board() + BoardSize, request.Board.begin());
    request.Side = side;
    request.History = game_->History();
    if (infinite) {
      request.Limits.Infinite = true;
    } else if (moveTime >= 0) {
      request.Limits = TSearchLimits::MoveTime(moveTime * 0.001);
    } else if (times[White] >= 0 || times[Black] >= 0) {
      if (times[side] < 0) {
        out_.Line(std::string("error go: the clock of the side to move is missing (") +
                  (side == White ? "wtime" : "btime") + ")");
        return;
      }
      request.Limits = TSearchLimits::Clock(times[side] * 0.001, increments[side] * 0.001, movesToGo);
    } else if (depth > 0) {
      request.Limits.Infinite = true;
    } else {
      request.Limits = LevelLimits(level_);
    }
    // The shallowest iteration is 9 plies; a smaller depth gets that one.
    if (depth > 0) request.Limits.Depth = std::max(depth, 9);
    request.Limits.MultiPv = multiPv_;
    request.Limits.Book = book_;
    engine_.SetBook(book_ ? DefaultBook() : nullptr);

    LoadDatabase();
    if (generator_.NoMovesLeft(game_->Board(), side)) {
      out_.Line("bestmove none");
      return;
    }
    control_.StopRequest = false;
    stopAsked_ = false;
    searching_ = true;
    thread_ = std::thread(&TProtocol::Search, this, std::move(request), infinite);
  }

  void Stop() {
    if (!searching_) {
      if (thread_.joinable()) thread_.join();
      out_.Line("info string no search to stop");
      return;
    }
    StopSearch();
  }

  // The search thread: info lines as the iterations finish, then the move.
  void Search(TSearchRequest request, bool infinite) {
    int board[BoardSize];
    std::copy(request.Board.begin(), request.Board.end(), board);
    const TPlayer side = request.Side;
    const int lines = request.Limits.MultiPv;
    bool reported = false;
    TSearchCallbacks reporter;
    reporter.OnIteration = [&](const TSearchLine& line) {
      std::vector<std::vector<int>> pv;
      for (const TMoveBuffer& move : line.Pv) pv.emplace_back(move.begin(), move.begin() + MoveLength(move.data()) + 1);
      std::string text = "info depth " + std::to_string(line.Depth) + " seldepth " + std::to_string(line.SelectiveDepth);
      if (lines > 1) text += " multipv " + std::to_string(line.Line);
      const long long nps = line.Milliseconds > 0 ? line.Nodes * 1000 / line.Milliseconds : 0;
      text += " score " + ScoreWords(line.Score) + " nodes " + std::to_string(line.Nodes) + " nps " +
              std::to_string(nps) + " time " + std::to_string(line.Milliseconds) + " pv";
      for (const std::string& move : MoveNotations(board, side, pv)) text += " " + move;
      out_.Line(text);
      reported = true;
    };
    const TSearchResult result = engine_.Search(std::move(request), control_, &reporter);
    const bool moved = result.Move[0] != 0;
    if (moved && !reported) {
      // No iteration finished: an only move, the database's move or the
      // two-ply fallback (a stop came first, or the Easy level).
      if (result.Source == TMoveSource::OnlyMove) {
        out_.Line("info string only move");
      } else if (result.Source == TMoveSource::Book) {
        out_.Line("info string from the opening book");
      } else {
        if (result.Source == TMoveSource::Database) out_.Line("info string from the endgame database");
        out_.Line("info depth " + std::to_string(result.Source == TMoveSource::Fallback ? 2 : 0) + " score " +
                  ScoreWords(result.Score) + " pv " + Notation(board, side, result.Move.data()));
      }
    }
    if (infinite) {  // the move waits for stop
      std::unique_lock<std::mutex> lock(waitMutex_);
      stopped_.wait(lock, [this] { return stopAsked_; });
    }
    const std::string move = moved ? Notation(board, side, result.Move.data()) : "none";
    out_.LineAfter([this] { searching_ = false; }, "bestmove " + move);
  }

  // Loads (or leaves off) the endgame database as the options say, once
  // after each change, and says what it found.
  void LoadDatabase() {
    if (databaseState_ == TDatabaseState::Done) return;
    databaseState_ = TDatabaseState::Done;
    engine_.SetDatabase(nullptr);
    database_.Clear();
    if (!databaseWanted_) {
      out_.Line("info string endgame database off");
      return;
    }
    const TEgdbLoadReport report = database_.Load(databaseFolder_);
    if (report.Files > 0) engine_.SetDatabase(&database_);
    if (!report.Problem().empty())
      out_.Line("info string " + report.Problem() + " (" + databaseFolder_ + ")");
    else
      out_.Line("info string endgame database: up to " + std::to_string(database_.Pieces()) + " pieces, " +
                std::to_string(report.Files) + " files from " + databaseFolder_);
  }

  enum class TDatabaseState { ToLoad, Done };

  TOutput& out_;
  TEngine engine_;
  TEndgameDatabase database_;
  bool databaseWanted_ = true;
  std::string databaseFolder_ = DefaultEgdbFolder();
  TDatabaseState databaseState_ = TDatabaseState::ToLoad;
  int level_ = DefaultLevel;
  int multiPv_ = 1;
  bool book_ = true;
  std::unique_ptr<TGameLine> game_;
  class TMoveGenerator generator_;

  std::thread thread_;
  std::atomic<bool> searching_{false};
  TSearchControl control_;
  std::mutex waitMutex_;
  std::condition_variable stopped_;
  bool stopAsked_ = false;  // guarded by waitMutex_
};

}  // namespace

int CmdEngine(const TArgs& args) {
  if (!args.empty()) return CommandError("engine", "usage: varek-cli engine (then commands on standard input)");
  TOutput out;
  TInput input;
  TProtocol protocol(out);
  std::string line;
  unsigned char bad = 0;
  for (;;) {
    const TInput::TKind kind = input.Next(&line, &bad);
    if (kind == TInput::TKind::End) break;  // as quit
    if (kind == TInput::TKind::TooLong) {
      out.Line("error line longer than " + std::to_string(MaxLineLength) + " bytes, ignored");
      continue;
    }
    if (kind == TInput::TKind::NotText) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "0x%02x", bad);
      out.Line(std::string("error line holds a byte that is not text (") + hex + "), ignored");
      continue;
    }
    if (!protocol.Handle(line)) break;
  }
  protocol.StopSearch();
  return 0;
}
