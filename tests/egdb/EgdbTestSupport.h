// Helpers shared by the endgame database tests: the database the build
// solved, a three-piece database solved in memory, and a plain solver that
// knows nothing of the database's numbering or of its backward search.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>

#include "egdb/Builder.h"
#include "egdb/Database.h"
#include "engine/Metrics.h"
#include "engine/MoveGenerator.h"
#include "engine/PositionKey.h"
#include "engine/PositionString.h"
#include "tests/PositionFromText.h"

inline std::string BuiltEgdbFolder() { return VAREK_BINARY_DIR "/share/varek/egdb"; }

// The files the build solved, loaded once.
inline const TEndgameDatabase& BuiltEgdb() {
  static TEndgameDatabase database;
  static const bool loaded = [] {
    const TEgdbLoadReport report = database.Load(BuiltEgdbFolder());
    EXPECT_EQ(report.Problem(), "") << BuiltEgdbFolder();
    return true;
  }();
  (void)loaded;
  return database;
}

// Every split of up to three pieces, solved in memory.
inline const TEndgameDatabase& SmallEgdb() {
  static TEndgameDatabase database;
  static const bool built = [] {
    BuildEgdb(database, 3);
    return true;
  }();
  (void)built;
  return database;
}


inline bool operator<(const TPositionKey& a, const TPositionKey& b) {
  return std::tie(a.WhiteMen, a.WhiteKings, a.BlackMen, a.BlackKings, a.Side) <
         std::tie(b.WhiteMen, b.WhiteKings, b.BlackMen, b.BlackKings, b.Side);
}

// Calls visit(board, side) for every position with the given pieces (men off
// their crowning rows), placed square by square.
template <typename Visit>
void ForEachPlacement(int whiteKings, int whiteMen, int blackKings, int blackMen, Visit visit) {
  int board[BoardSize];
  for (int i = 0; i < BoardSize; ++i) board[i] = IsPlayable(i) ? Empty : OffBoard;
  int left[4] = {whiteKings, whiteMen, blackKings, blackMen};
  const int codes[4] = {WhiteKing, WhiteMan, BlackKing, BlackMan};
  // Pieces of one kind go on ascending squares, so each set is placed once.
  auto place = [&](auto&& self, int kind, int from) -> void {
    if (kind == 4) {
      visit(board, White);
      visit(board, Black);
      return;
    }
    if (left[kind] == 0) return self(self, kind + 1, FirstSquare);
    for (int i = from; i <= LastSquare; ++i) {
      if (board[i] != Empty) continue;
      if (codes[kind] == WhiteMan && i > 40) continue;
      if (codes[kind] == BlackMan && i < 14) continue;
      board[i] = codes[kind];
      --left[kind];
      self(self, kind, i + 1);
      ++left[kind];
      board[i] = Empty;
    }
  };
  place(place, 0, FirstSquare);
}

// Solves a set of positions closed under moves by going forwards: round r
// finds the wins in r plies (a move to a loss of round r - 1) and the losses
// in r (every move to a win already found). What no round finds is a draw.
class TForwardSolver {
 public:
  // Adds every position of up to `pieces` pieces.
  void AddAll(int pieces) {
    for (int p = 2; p <= pieces; ++p)
      for (int wk = 0; wk <= p; ++wk)
        for (int wm = 0; wm + wk <= p; ++wm)
          for (int bk = 0; bk + wm + wk <= p; ++bk) {
            const int bm = p - wk - wm - bk;
            if (wk + wm == 0 || bk + bm == 0) continue;
            ForEachPlacement(wk, wm, bk, bm, [&](const int* board, TPlayer side) {
              nodes_.emplace(MakePositionKey(board, side), TNode{});
            });
          }
  }

  void Solve() {
    class TMoveGenerator generator;
    TMoveList list;
    // The children of every position, found once.
    for (auto& [key, node] : nodes_) {
      int board[BoardSize];
      KeyToBoard(key, board);
      const TPlayer side = static_cast<TPlayer>(key.Side);
      generator.MakeMoveList(board, side, &list);
      for (int m = 0; m < list.NumMoves; ++m) {
        int child[BoardSize];
        std::copy(board, board + BoardSize, child);
        TMoveGenerator::MakeMove(list.Moves[m], child);
        const TPositionKey childKey = MakePositionKey(child, static_cast<TPlayer>(1 - side));
        const bool noPieces = (childKey.Side == White ? childKey.WhiteMen | childKey.WhiteKings
                                                      : childKey.BlackMen | childKey.BlackKings) == 0;
        node.Children.push_back(noPieces ? nullptr : &nodes_.at(childKey));
      }
    }
    for (int round = 0;; ++round) {
      std::vector<TNode*> found;
      for (auto& [key, node] : nodes_) {
        if (node.Value != EgdbDraw) continue;
        bool win = false, allWon = true;
        for (const TNode* child : node.Children) {
          const int v = child == nullptr ? EgdbFromPlies(0) : child->Value;
          if (EgdbIsLoss(v) && EgdbPlies(v) == round - 1) win = true;
          if (!EgdbIsWin(v)) allWon = false;
        }
        if (win || (allWon && round % 2 == 0)) found.push_back(&node);
      }
      if (found.empty() && round > 0) break;
      for (TNode* node : found) node->Value = EgdbFromPlies(round);
    }
  }

  int Value(const int* board, TPlayer side) const { return nodes_.at(MakePositionKey(board, side)).Value; }
  size_t Size() const { return nodes_.size(); }

  static void KeyToBoard(const TPositionKey& key, int* board) {
    for (int i = 0; i < BoardSize; ++i) board[i] = IsPlayable(i) ? Empty : OffBoard;
    for (int n = 1; n <= 32; ++n) {
      const std::uint32_t bit = std::uint32_t{1} << (n - 1);
      const int index = TMetrics::NotationToSquare(n);
      if (key.WhiteMen & bit) board[index] = WhiteMan;
      if (key.WhiteKings & bit) board[index] = WhiteKing;
      if (key.BlackMen & bit) board[index] = BlackMan;
      if (key.BlackKings & bit) board[index] = BlackKing;
    }
  }

  template <typename Visit>
  void ForEach(Visit visit) const {
    for (const auto& [key, node] : nodes_) {
      int board[BoardSize];
      KeyToBoard(key, board);
      visit(board, static_cast<TPlayer>(key.Side), node.Value);
    }
  }

 private:
  struct TNode {
    int Value = EgdbDraw;
    std::vector<TNode*> Children;  // null: the side to move there has no pieces
  };
  std::map<TPositionKey, TNode> nodes_;
};
