// TMoveGenerator: the single authority on the rules. Lists the legal moves of a
// side (captures compulsory, multi-jumps to the end), plays moves with
// crowning, and tells whether a side can move at all.
#pragma once

#include <cstdint>

#include "engine/Board.h"
#include "engine/BoardMasks.h"
#include "engine/MoveList.h"

class TMoveGenerator {
 public:
  TMoveGenerator();

  int Directions[6];            // {4, 5, -5, -4, 4, 5}: a piece of colour c uses entries from 2c
  int CurrentMove[128];         // the move being built during the search of one piece
  int CurrentLength = 0;
  int* Board = nullptr;         // the position being examined (borrowed for one call)
  int Side = Black;             // the side whose moves are listed
  TMoveList* MoveList = nullptr;

  // Writes the starting position into a 55-cell array.
  static void InitBoard(int* board);
  // Plays a legal move on `board`: empties every listed square, crowns, puts the piece down.
  static void MakeMove(const int* move, int* board);

  // Fills `list` with every legal move of `side`: ordered by starting index,
  // then by the piece's directions in table order, captures depth first. The
  // board is only read.
  void MakeMoveList(int* board, TPlayer side, TMoveList* list);
  // The number of moves MakeMoveList would list, found without writing them.
  int CountMoves(const int* board, TPlayer side);
  // The same two for a position already read into masks (`MasksOf`): the
  // board versions read the board and call these.
  void MakeMoveList(const TBoardMasks& masks, TPlayer side, TMoveList* list);
  int CountMoves(const TBoardMasks& masks, TPlayer side);
  // Plays a move listed for `side` on the masks, as MakeMove does on a board.
  static void MakeMove(const int* move, TPlayer side, TBoardMasks& masks);
  // The moves MakeMoveList lists, in its order, as mask moves.
  void MakeMaskList(const TBoardMasks& masks, TPlayer side, TMaskMoveList* list);
  // Plays a mask move of `side` on the masks.
  static void MakeMove(const TMaskMove& move, TPlayer side, TBoardMasks& masks);
  // The mask move of a listed move.
  static TMaskMove MaskMoveOf(const int* move);
  // Appends CurrentMove to the list.
  void SaveMove();

  // 1 when `side` has a capture, else 2 when it has a simple move, else 0.
  int TestPos(const int* board, TPlayer side) const;
  static int TestPos(const TBoardMasks& masks, TPlayer side);
  // 1 when `side` has no legal move, else 0.
  int NoMovesLeft(const int* board, TPlayer side) const;

 private:
  // What the jump search does with a complete sequence: counts it, writes it
  // (from CurrentMove) into MoveList, or adds it to MaskList.
  enum class TOut { Count, Write, Mask };
  template <int S>
  void List(const TBoardMasks& m);
  template <int S>
  void ListMasks(const TBoardMasks& m);
  template <int S>
  int Count(const TBoardMasks& m);
  // The jump search of the piece on `bit` (its start already in CurrentMove
  // when writing); returns the number of complete sequences.
  template <int S, TOut Out>
  int PieceJumps(const TBoardMasks& m, int bit, bool king);
  // Every complete jump sequence of a piece standing on `bit` with CurrentLength
  // entries of its move written; `enemy` lacks the pieces taken so far and
  // `empty` has them (and the piece's starting square).
  template <int S, bool King, TOut Out>
  int Jumps(int bit, uint64_t enemy, uint64_t empty);

  TMaskMoveList* MaskList = nullptr;
  uint64_t maskEnemy_ = 0;  // the enemy pieces before the capture being searched
  uint8_t maskFrom_ = 0;    // where it started
};

inline void TMoveGenerator::MakeMove(const int* move, int* board) {
  int piece = board[move[0]];
  int last = move[0];
  for (const int* s = move; *s != 0; ++s) {
    board[*s] = Empty;
    last = *s;
  }
  if (IsCrowningRow(last) && piece > BlackKing) piece -= 2;
  board[last] = piece;
}

inline void TMoveGenerator::MakeMove(const int* move, TPlayer side, TBoardMasks& masks) {
  const uint64_t from = uint64_t{1} << MaskBit(move[0]);
  uint64_t to, taken = 0;
  if (move[2] == 0) {
    to = uint64_t{1} << MaskBit(move[1]);
  } else {
    // Entries 1, 3, 5, ... are the pieces jumped, 2, 4, 6, ... the landings.
    int n = 1;
    for (; move[n] != 0; n += 2) taken |= uint64_t{1} << MaskBit(move[n]);
    to = uint64_t{1} << MaskBit(move[n - 1]);
  }
  const bool king = (masks.Kings & from) != 0;
  masks.Pieces[side] = (masks.Pieces[side] & ~from) | to;
  masks.Pieces[1 - side] &= ~taken;
  masks.Empty = ((masks.Empty | from | taken) & ~to);
  masks.Kings &= ~(from | taken);
  if (king || (to & CrowningRows) != 0) masks.Kings |= to;
}

inline void TMoveGenerator::MakeMove(const TMaskMove& move, TPlayer side, TBoardMasks& masks) {
  const uint64_t from = uint64_t{1} << move.From, to = uint64_t{1} << move.To;
  const bool king = (masks.Kings & from) != 0;
  masks.Pieces[side] = (masks.Pieces[side] & ~from) | to;
  masks.Pieces[1 - side] &= ~move.Taken;
  masks.Empty = (masks.Empty | from | move.Taken) & ~to;
  masks.Kings &= ~(from | move.Taken);
  if (king || (to & CrowningRows) != 0) masks.Kings |= to;
}

inline TMaskMove TMoveGenerator::MaskMoveOf(const int* move) {
  TMaskMove m;
  m.From = static_cast<uint8_t>(MaskBit(move[0]));
  if (move[2] == 0) {
    m.To = static_cast<uint8_t>(MaskBit(move[1]));
    return m;
  }
  int n = 1;
  for (; move[n] != 0; n += 2) m.Taken |= uint64_t{1} << MaskBit(move[n]);
  m.To = static_cast<uint8_t>(MaskBit(move[n - 1]));
  return m;
}

// The program's generator.
extern class TMoveGenerator TMoveGenerator;
