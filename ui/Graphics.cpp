#include "ui/Graphics.h"

#include <algorithm>
#include <cstdio>

#include "engine/Metrics.h"
#include "resources/PieceRenderer.h"

TGraphics::TGraphics()
    : LineColor(0, 0, 0),
      DarkSquareColor(0, 128, 128),
      BlackTopColor(255, 0, 0),
      WhiteTopColor(192, 192, 192),
      BlackSideColor(128, 0, 0),
      WhiteSideColor(128, 128, 128),
      MarkColor(150, 215, 215),
      // Black stands out on the dark squares, the light ones and the frame of the last move.
      NumberColor(0, 0, 0) {}

void TGraphics::SetScale(int width, int height, bool inverted) {
  if (width < MinimumBoardSize) width = MinimumBoardSize;
  if (height < MinimumBoardSize) height = MinimumBoardSize;
  const int m = width < height ? width : height;
  SquareSize = (m - 2 * (m / 20)) / 8;
  OriginX = width / 2 - 4 * SquareSize;
  OriginY = height / 2 - 4 * SquareSize;
  for (int i = FirstSquare; i <= LastSquare; ++i) {
    if (!IsPlayable(i)) continue;
    int c = TMetrics.Column[i], r = TMetrics.Row[i];
    if (inverted) {
      c = 7 - c;
      r = 7 - r;
    }
    SquareX[i] = OriginX + c * SquareSize;
    SquareY[i] = OriginY + r * SquareSize;
  }
}

void TGraphics::DrawBoard(TDC& dc, const int* board) {
  const int s = SquareSize;
  dc.SelectObject(TPen(TColor::LtGray, 2));
  dc.SelectObject(TBrush(TColor::White));
  dc.Rectangle(OriginX - 3, OriginY - 3, OriginX + 8 * s + 4, OriginY + 8 * s + 4);

  dc.SelectObject(TPen(DarkSquareColor));
  for (int k = 0; k <= 8; ++k) {
    dc.MoveTo(OriginX + k * s, OriginY);
    dc.LineTo(OriginX + k * s, OriginY + 8 * s + 1);
    dc.MoveTo(OriginX, OriginY + k * s);
    dc.LineTo(OriginX + 8 * s, OriginY + k * s);
  }
  dc.RestoreObjects();

  for (int i = FirstSquare; i <= LastSquare; ++i)
    if (IsPlayable(i)) EraseSquare(dc, i);
  for (int i = FirstSquare; i <= LastSquare; ++i)
    if (board[i] < Empty) DrawPiece(i, dc, board[i]);
  dc.RestoreObjects();
}

void TGraphics::EraseSquare(TDC& dc, int index) {
  const int x = SquareX[index], y = SquareY[index], s = SquareSize;
  dc.FillRect(TRect(x, y, x + s, y + s), TBrush(DarkSquareColor));
  if (ShowNumbers) {
    char number[4];
    std::snprintf(number, sizeof number, "%d", TMetrics::SquareToNotation(index));
    dc.TextOut(x + 2, y + 1, std::max(7, s / 5), NumberColor, number);
  }
  if (index != 0 && (index == MarkedFrom || index == MarkedTo)) {
    // A thin frame just inside the square's edges.
    const int w = std::max(1, s / 27), inset = std::max(1, s / 27);
    const TBrush mark(MarkColor);
    dc.FillRect(TRect(x + inset, y + inset, x + s - inset, y + inset + w), mark);
    dc.FillRect(TRect(x + inset, y + s - inset - w, x + s - inset, y + s - inset), mark);
    dc.FillRect(TRect(x + inset, y + inset, x + inset + w, y + s - inset), mark);
    dc.FillRect(TRect(x + s - inset - w, y + inset, x + s - inset, y + s - inset), mark);
  }
}

void TGraphics::RedrawSquare(TDC& dc, int index, int code) {
  EraseSquare(dc, index);
  DrawPiece(index, dc, code);
}

void TGraphics::DrawPiece(int index, TDC& dc, int code) {
  if (code == Empty || code == OffBoard) return;
  const int s = SquareSize;
  const int d = s / 3;
  const int W = s - d;
  const int H = d + d / 6;
  const int h = H / 2;
  const int left = SquareX[index] + (s + 3) / 6;
  const int top = SquareY[index] + (IsKing(code) ? (s + 5) / 14 : (s + 1) / 6);
  const bool black = (code & 1) == Black;
  // A face with its rim below; a king is a second disc under the first.
  ::DrawPiece(dc, left, top, W, H, h, IsKing(code) ? 2 : 1,
              black ? TPieceColours{BlackTopColor, BlackSideColor} : TPieceColours{WhiteTopColor, WhiteSideColor});
}

bool TGraphics::IsInZone(const TPoint& point, int index) const {
  return SquareX[index] <= point.x && point.x <= SquareX[index] + SquareSize && SquareY[index] <= point.y &&
         point.y <= SquareY[index] + SquareSize;
}
