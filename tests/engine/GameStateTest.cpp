// The move-input state: which pieces may be picked up and where they may go.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/GameState.h"
#include "engine/MoveGenerator.h"
#include "engine/PositionString.h"

namespace {

std::vector<int> StartSquares(const Status_Of_The_Game& state) {
  std::vector<int> squares;
  for (const int* s = state.PossibleStart; *s != 0; ++s) squares.push_back(*s);
  return squares;
}

void SetUpPosition(Status_Of_The_Game& state, const std::string& text) {
  TPlayer side;
  std::string error;
  ASSERT_TRUE(ParsePosition(text, state.Board, &side, &error)) << error;
  state.SideToMove = side;
  state.SetPossibleStart();
}

TEST(GameState, InitialValues) {
  Status_Of_The_Game state;
  EXPECT_EQ(state.SideToMove, Black);
  int start[BoardSize];
  TMoveGenerator::InitBoard(start);
  EXPECT_TRUE(std::equal(start, start + BoardSize, state.Board));
  EXPECT_EQ(StartSquares(state), (std::vector<int>{32, 33, 34, 35}));
}

TEST(GameState, PossibleMovesFromEachStartSquare) {
  Status_Of_The_Game state;
  state.SetPossibleMoves(33);
  ASSERT_EQ(state.NumPossibleMoves, 2);
  EXPECT_EQ(MoveDestination(state.PossibleMoves.Moves[0]), 28);
  EXPECT_EQ(MoveDestination(state.PossibleMoves.Moves[1]), 29);
  state.SetPossibleMoves(32);
  EXPECT_EQ(state.NumPossibleMoves, 1);  // a single move: played on the press
  state.SetPossibleMoves(28);            // an empty square
  EXPECT_EQ(state.NumPossibleMoves, 0);
  state.SetPossibleMoves(10);            // the other side's piece
  EXPECT_EQ(state.NumPossibleMoves, 0);
}

TEST(GameState, OnlyCapturingPiecesMayStart) {
  Status_Of_The_Game state;
  SetUpPosition(state, "W:W21,22,25,26,27,28,29,30,31,32:B18,1");
  EXPECT_EQ(StartSquares(state), (std::vector<int>{21}));  // square 22
  state.SetPossibleMoves(22);  // square 21 could step, but may not
  EXPECT_EQ(state.NumPossibleMoves, 0);
}

TEST(GameState, RoutesToOneSquareKeepTheirOrder) {
  Status_Of_The_Game state;
  SetUpPosition(state, "W:WK19:B15,14,22,23");
  state.SetPossibleMoves(24);
  ASSERT_EQ(state.NumPossibleMoves, 2);
  // Both loops end on the king's own square; the first listed is the one played.
  EXPECT_EQ(MoveDestination(state.PossibleMoves.Moves[0]), 24);
  EXPECT_EQ(MoveDestination(state.PossibleMoves.Moves[1]), 24);
  EXPECT_EQ(state.PossibleMoves.Moves[0][1], 29);
  EXPECT_EQ(state.PossibleMoves.Moves[1][1], 20);
}

TEST(GameState, MoreThanTenMovesFromOneSquare) {
  Status_Of_The_Game state;
  SetUpPosition(state, "W:WK23:BK9,K10,K11,K17,K18,K19,K25,K26,K27");
  EXPECT_EQ(StartSquares(state), (std::vector<int>{20}));
  state.SetPossibleMoves(20);
  ASSERT_EQ(state.NumPossibleMoves, 16);
  std::set<std::vector<int>> distinct;
  for (int i = 0; i < 16; ++i) {
    const int* move = state.PossibleMoves.Moves[i];
    EXPECT_EQ(move[0], 20);
    EXPECT_GE(MoveLength(move), 3);
    distinct.emplace(move, move + MoveLength(move));
  }
  EXPECT_EQ(distinct.size(), 16u);
}

TEST(GameState, ManyStartSquaresAndNone) {
  Status_Of_The_Game state;
  SetUpPosition(state, "W:WK5,K6,K7,K8,K13,K14,K15,K16,K21,K22,K23,K24,29,30,K31,K32:B");
  EXPECT_EQ(StartSquares(state).size(), 16u);
  SetUpPosition(state, "W:W29,30:B21,22,23,25,26");
  EXPECT_EQ(state.PossibleStart[0], 0);
  SetUpPosition(state, "B:W29,30:B21,22,23,25,26");
  EXPECT_FALSE(StartSquares(state).empty());
}

TEST(GameState, CopyMoveIncludesTheTerminator) {
  const int move[] = {10, 15, 20, 25, 30, 0};
  int copy[8] = {7, 7, 7, 7, 7, 7, 7, 7};
  Status_Of_The_Game::CopyMove(copy, move);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(copy[i], move[i]);
  EXPECT_EQ(copy[6], 7);
}

}  // namespace
