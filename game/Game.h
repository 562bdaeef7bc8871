// Game: the record of the current game. The position it started from, the
// side to move there and every move played since; any position of the game is
// rebuilt by replaying moves from the start (undo and redo).
#pragma once

#include <functional>
#include <iosfwd>
#include <string>

#include "engine/Board.h"

struct GameNode {
  int* Move = nullptr;  // zero-terminated, allocated to its exact length
  GameNode* Next = nullptr;
};

class Game {
 public:
  Game();
  ~Game();
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  int StartBoard[BoardSize];
  int StartSide;
  GameNode* Head;    // sentinel; the recorded moves follow it
  GameNode* Cursor;  // node of the last move played to reach the current position
  int MoveCount;
  int Position;      // moves played from the start to reach the current position

  // Starts a new record from `board` with `side` to move.
  void InitGame(const int* board, TPlayer side);
  // Drops every move; the start position and side stay.
  void Flush();
  // Records `move` as played from the current position, dropping any redo tail.
  void AddMove(const int* move);
  // Rebuilds the position after move n into board/side; nothing when n is out of range.
  void GoTo(int n, int* board, TPlayer* side);
  void Forward(int n, int* board, TPlayer* side);
  void TakeBack(int n, int* board, TPlayer* side);

  // The reader's failure step: reports the damaged file and drops every move.
  void CorruptedFile();

 private:
  void DropAfter(GameNode* node);
};

// The message a damaged game file is reported with.
extern const char* const CorruptedFileMessage;
extern const char* const CorruptedFileCaption;

// Where the reader's failure message goes. The window shows it in a message
// box; the default writes it to standard error.
using TFileErrorReporter = std::function<void(const char* caption, const char* message)>;
void SetFileErrorReporter(TFileErrorReporter reporter);

// The saved-game file format: write and read a record. The reader rejects any
// file that is damaged, with CorruptedFile.
std::ostream& operator<<(std::ostream& out, Game& game);
std::istream& operator>>(std::istream& in, Game& game);
