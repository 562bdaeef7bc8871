// TGameAnalysis: what the computer thinks of every move of a game. Each
// position of the game is searched for a time per move, with the game's
// history and the endgame database; each move gets the score after it and
// after the best move, the best move, and a mark when it threw too much away.
// The analysis hands out one search request at a time and takes its result,
// so that the window can run the searches on the computer's thread and the
// companion in a loop (AnalyseGame).
#pragma once

#include <functional>
#include <vector>

#include "engine/Board.h"
#include "engine/PositionKey.h"
#include "search/Engine.h"

// How bad a move was, by how much of the score it lost (see MoveMarkFor).
enum class TMoveMark { None, Inaccuracy, Mistake, Blunder };

// "", "?!", "?" or "??".
const char* MoveMarkText(TMoveMark mark);
// The mark a text stands for; None for anything else ("!", "!?", "").
TMoveMark MoveMarkFromText(const char* text);

// Scores are in the search's units: hundredths of a man (a man 100, a king
// 130), wins above WinScores ("win in N plies" is 10001 - N).
constexpr int WinScores = 9500;

// Losses are measured on scores clamped at three men either way, so that what
// happens in a game already decided does not count, with a proven win worth a
// little more than three men and a proven loss a little less.
constexpr int ClampedScore = 300;
constexpr int ProvenScore = 350;
// The least loss, in hundredths of a man, that marks a move "?!", "?" and "??".
constexpr int InaccuracyLoss = 30;
constexpr int MistakeLoss = 60;
constexpr int BlunderLoss = 100;

// The mark of a move after which the mover's score is `played` where the best
// move would have kept `best` (both from the mover's view). A win thrown away
// (a proven win before, a draw or a proven loss after) is always a blunder.
TMoveMark MoveMarkFor(int best, int played);

struct TMoveAnalysis {
  // Scores from the view of the side that made the move.
  int Played = 0;  // after the move played
  int Best = 0;    // after the best move
  TMoveBuffer BestMove{};  // zero-terminated
  TMoveMark Mark = TMoveMark::None;
  int Depth = 0;  // the search's depth in the position before the move (0: none was needed)
  // The mover's side, so that scores can be turned to White's view.
  TPlayer Side = Black;
  // The score after the move played from White's view (White ahead above 0).
  int WhiteScore() const { return Side == White ? Played : -Played; }
};

class TGameAnalysis {
 public:
  // The game from `board` with `side` to move and its moves (each
  // zero-terminated, legal where it is played). The engine that searches
  // should have the endgame database: the positions it holds are then
  // scored exactly.
  TGameAnalysis(const int* board, TPlayer side, std::vector<std::vector<int>> moves);

  // The next position to search, at `seconds` a move, or false when nothing
  // is left to search (the analysis is complete or was stopped).
  bool NextRequest(double seconds, TSearchRequest* request);
  // The result of the request NextRequest gave last. A search stopped before
  // its first iteration ended tells nothing: the analysis stops there.
  void TakeResult(const TSearchResult& result);
  // No more requests; what is done is kept.
  void Stop() { stopped_ = true; }

  bool Complete() const { return analysed_.size() == moves_.size(); }
  // Positions whose score is known, of Positions() (one more than the moves).
  int PositionsDone() const { return next_; }
  int Positions() const { return static_cast<int>(positions_.size()); }
  // The moves analysed so far, from the first; each needs its own position
  // and the one after it.
  const std::vector<TMoveAnalysis>& Moves() const { return analysed_; }

 private:
  struct TPosition {
    int Board[BoardSize];
    TPlayer Side = Black;
    std::vector<TPositionKey> History;  // since the last capture or man move, itself last
    bool Drawn = false;      // the rules draw the game here
    bool Known = false;
    int MoveCount = 0;
    int Score = 0;           // from its side to move's view: its best move's
    int Reached = 0;         // what reaching it is worth (0 when the rules draw it)
    int Depth = 0;
    TMoveBuffer Best{};
  };
  // Settles the positions that need no search, from next_ on.
  void SettleWithoutSearch();
  // Position `at` is known: so are the only-move positions before it.
  void Known(int at);
  // Adds the analysis of every move whose two positions are known.
  void Conclude();

  std::vector<std::vector<int>> moves_;
  std::vector<TPosition> positions_;
  std::vector<TMoveAnalysis> analysed_;
  int next_ = 0;  // the first position not yet known
  bool stopped_ = false;
};

// Runs the whole analysis on `engine` (whose table it empties first), calling
// `progress` after each position. A stop request in `control` ends it with
// what is done.
void AnalyseGame(TGameAnalysis& analysis, TEngine& engine, double seconds, TSearchControl& control,
                 const std::function<void(const TGameAnalysis&)>& progress = nullptr);
