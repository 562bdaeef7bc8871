// Positions for tests, written in the text form of the companion (side to
// move, then White's and Black's squares, kings prefixed with K).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "engine/Board.h"
#include "engine/PositionString.h"

struct TPosition {
  int Board[BoardSize];
  TPlayer Side = Black;
};

inline TPosition Position(const std::string& text) {
  TPosition p;
  std::string error;
  EXPECT_TRUE(ParsePosition(text, p.Board, &p.Side, &error)) << text << ": " << error;
  return p;
}
