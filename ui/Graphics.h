// TGraphics: the board's geometry and colours and the drawing of the board and
// its pieces. The board window's holds the geometry of its last paint; hit
// tests and partial redraws between paints use it.
#pragma once

#include "engine/Board.h"
#include "framework/DC.h"
#include "framework/Geometry.h"

// The least window width and height the board is fitted to: a smaller window cuts it.
constexpr int MinimumBoardSize = 200;

class TGraphics {
 public:
  TGraphics();

  int OriginX = 0;  // client coordinates of the board's top-left corner
  int OriginY = 0;
  int SquareSize = 0;
  TColor LineColor;
  TColor DarkSquareColor;  // playable squares and grid lines
  TColor BlackTopColor;    // Black's pieces are red
  TColor WhiteTopColor;
  TColor BlackSideColor;
  TColor WhiteSideColor;
  int SquareX[45] = {};  // top-left corner of each playable square, by board index
  int SquareY[45] = {};
  TColor MarkColor;            // the frame around the last move's squares
  TColor NumberColor;
  bool ShowNumbers = false;    // each square's number in its corner
  int MarkedFrom = 0;          // the last move's first and last squares (0: none)
  int MarkedTo = 0;

  // Fits the board to a window of this size (at least 200 x 200 is assumed),
  // turned half a turn when `inverted`.
  void SetScale(int width, int height, bool inverted = false);
  // Frame, grid, squares and the pieces of `board`.
  void DrawBoard(TDC& dc, const int* board);
  // One piece (nothing for an empty square): a disc, two stacked for a king.
  void DrawPiece(int index, TDC& dc, int code);
  // Paints the square in the dark-square colour, removing its piece, with its
  // number and the last move's frame when they are shown.
  void EraseSquare(TDC& dc, int index);
  // The square drawn again with `code` standing on it.
  void RedrawSquare(TDC& dc, int index, int code);
  // The point lies on the square, edges included.
  bool IsInZone(const TPoint& point, int index) const;
};
