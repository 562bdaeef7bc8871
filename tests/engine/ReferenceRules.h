// A deliberately plain second implementation of the rules, on an 8x8 grid of
// rows and columns, used to check the engine's generator on arbitrary
// positions. It copies the grid for every jump instead of making and taking
// back moves, and converts to board indices only at the end.
#pragma once

#include <array>
#include <vector>

namespace reference {

using Grid = std::array<std::array<int, 8>, 8>;  // [row][column], codes as on the board; 5 on light squares
using Move = std::vector<int>;                   // board indices, no terminator

// Index of the dark square on row r, column c: rows of four, with a ghost
// cell after every second row.
inline int IndexOf(int r, int c) { return 10 + 4 * r + r / 2 + c / 2; }

inline Grid FromBoard(const int* board) {
  Grid g;
  for (int r = 0; r < 8; ++r)
    for (int c = 0; c < 8; ++c) g[r][c] = (r + c) % 2 == 1 ? board[IndexOf(r, c)] : 5;
  return g;
}

inline void ToBoard(const Grid& g, int* board) {
  for (int i = 0; i < 55; ++i) board[i] = 5;
  for (int r = 0; r < 8; ++r)
    for (int c = 0; c < 8; ++c)
      if ((r + c) % 2 == 1) board[IndexOf(r, c)] = g[r][c];
}

// Steps as (row, column): White men go up the rows, Black men down; kings
// try their own colour's forward steps first. Left then right, as seen from
// row 0 at the bottom: White {up-left, up-right}, Black {down-left, down-right}.
inline std::vector<std::array<int, 2>> StepsOf(int code) {
  const std::array<int, 2> upLeft{1, -1}, upRight{1, 1}, downLeft{-1, -1}, downRight{-1, 1};
  const bool white = (code & 1) == 0;
  std::vector<std::array<int, 2>> steps;
  if (white) steps = {upLeft, upRight};
  else steps = {downLeft, downRight};
  if (code < 2) {
    if (white) {
      steps.push_back(downLeft);
      steps.push_back(downRight);
    } else {
      steps.push_back(upLeft);
      steps.push_back(upRight);
    }
  }
  return steps;
}

inline bool Inside(int r, int c) { return r >= 0 && r < 8 && c >= 0 && c < 8; }

// Every complete jump sequence of the piece `code` standing (in thought) on
// (r, c) of `g`, whose own start square is already empty in `g`.
inline void Jumps(const Grid& g, int code, int r, int c, Move& path, std::vector<Move>& out) {
  bool any = false;
  for (auto [dr, dc] : StepsOf(code)) {
    const int mr = r + dr, mc = c + dc, lr = r + 2 * dr, lc = c + 2 * dc;
    if (!Inside(lr, lc)) continue;
    const int victim = g[mr][mc];
    if (victim >= 4 || (victim & 1) == (code & 1) || g[lr][lc] != 4) continue;
    any = true;
    Grid next = g;
    next[mr][mc] = 4;
    path.push_back(IndexOf(mr, mc));
    path.push_back(IndexOf(lr, lc));
    Jumps(next, code, lr, lc, path, out);
    path.pop_back();
    path.pop_back();
  }
  if (!any && path.size() > 1) out.push_back(path);
}

// Squares of one colour in ascending board index: row by row, column by column.
inline std::vector<std::array<int, 2>> PiecesOf(const Grid& g, int side) {
  std::vector<std::array<int, 2>> pieces;
  for (int r = 0; r < 8; ++r)
    for (int c = 0; c < 8; ++c)
      if (g[r][c] < 4 && (g[r][c] & 1) == side) pieces.push_back({r, c});
  return pieces;
}

// The legal moves of `side`: all captures when there is one, else all simple moves.
inline std::vector<Move> LegalMoves(const Grid& g, int side) {
  std::vector<Move> captures, simple;
  for (auto [r, c] : PiecesOf(g, side)) {
    const int code = g[r][c];
    Grid lifted = g;
    lifted[r][c] = 4;
    Move path{IndexOf(r, c)};
    Jumps(lifted, code, r, c, path, captures);
    for (auto [dr, dc] : StepsOf(code))
      if (Inside(r + dr, c + dc) && g[r + dr][c + dc] == 4) simple.push_back({IndexOf(r, c), IndexOf(r + dr, c + dc)});
  }
  return captures.empty() ? simple : captures;
}

// Plays a legal move: captured pieces removed, a man crowned where it stops.
inline Grid Play(const Grid& g, const Move& move) {
  Grid next = g;
  int fromR = 0, fromC = 0, toR = 0, toC = 0;
  for (int r = 0; r < 8; ++r)
    for (int c = 0; c < 8; ++c) {
      if ((r + c) % 2 == 0) continue;
      const int index = IndexOf(r, c);
      if (index == move.front()) fromR = r, fromC = c;
      if (index == move.back()) toR = r, toC = c;
      for (size_t k = 1; k + 1 < move.size(); k += 2)
        if (move[k] == index) next[r][c] = 4;
    }
  int code = g[fromR][fromC];
  next[fromR][fromC] = 4;
  if (code >= 2 && (toR == 0 || toR == 7)) code -= 2;
  next[toR][toC] = code;
  return next;
}

inline long long Perft(const Grid& g, int side, int depth) {
  if (depth == 0) return 1;
  long long total = 0;
  for (const Move& move : LegalMoves(g, side)) total += Perft(Play(g, move), 1 - side, depth - 1);
  return total;
}

}  // namespace reference
