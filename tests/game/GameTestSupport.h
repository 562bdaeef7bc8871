// Helpers for the game record and file tests: random legal games, a record
// built from one, and saving to and loading from bytes in memory.
#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/MoveGenerator.h"
#include "engine/MoveList.h"
#include "game/Game.h"

namespace gametest {

using TBoard = std::array<int, BoardSize>;

struct TPlayedGame {
  TBoard Start;
  TPlayer Side = Black;
  std::vector<std::vector<int>> Moves;  // with their terminators
  std::vector<TBoard> Positions;        // Positions[k]: after k moves
  std::vector<TPlayer> Sides;           // Sides[k]: to move after k moves
};

inline TBoard StartingBoard() {
  TBoard board;
  TMoveGenerator::InitBoard(board.data());
  return board;
}

// Plays up to `plies` random legal moves from `start`; stops early when the
// side to move has none.
inline TPlayedGame PlayRandomGame(std::mt19937& random, const TBoard& start, TPlayer side, int plies) {
  TPlayedGame game;
  game.Start = start;
  game.Side = side;
  game.Positions.push_back(start);
  game.Sides.push_back(side);
  class TMoveGenerator generator;
  TMoveList list;
  TBoard board = start;
  for (int ply = 0; ply < plies; ++ply) {
    generator.MakeMoveList(board.data(), side, &list);
    if (list.NumMoves == 0) break;
    const int* move = list.Moves[random() % list.NumMoves];
    game.Moves.emplace_back(move, move + MoveLength(move) + 1);
    TMoveGenerator::MakeMove(move, board.data());
    side = static_cast<TPlayer>(1 - side);
    game.Positions.push_back(board);
    game.Sides.push_back(side);
  }
  return game;
}

inline void Record(Game& record, const TPlayedGame& played) {
  record.InitGame(played.Start.data(), played.Side);
  for (const auto& move : played.Moves) record.AddMove(move.data());
}

inline std::vector<std::vector<int>> MovesOf(const Game& record) {
  std::vector<std::vector<int>> moves;
  for (GameNode* node = record.Head->Next; node != nullptr; node = node->Next)
    moves.emplace_back(node->Move, node->Move + MoveLength(node->Move) + 1);
  return moves;
}

inline std::string Save(Game& record) {
  std::ostringstream out(std::ios::binary);
  out << record;
  return out.str();
}

// True when the reader accepted the bytes.
inline bool Load(const std::string& bytes, Game& record) {
  std::istringstream in(bytes, std::ios::binary);
  in >> record;
  return !in.fail();
}

inline std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

}  // namespace gametest
