// The one drawing of a piece, shared by the board, the drag cursors, the
// program's icon and the tool-bar glyphs: `layers` discs (one for a man, two
// for a king) seen from above at an angle, each a face with a rim below it
// and a black outline. The board draws flat colours; the icon and glyphs
// light the faces and round the rims.
#pragma once

#include "framework/Geometry.h"

class QPainter;
class QRectF;
class TDC;

struct TPieceColours {
  TColor Top;   // the face
  TColor Side;  // the rim
};

// `face`: the ellipse of the upper disc's face, its outline centred on the
// edge; `rim`: how far each disc's rim reaches below its face.
void PaintPiece(QPainter& p, const QRectF& face, double rim, int layers, const TPieceColours& colours, bool shaded);

// On a DC, in whole pixels: the upper face fills the box (left, top, width,
// faceHeight) with its one-pixel outline inside it, and every rim adds `rim`
// pixels below. Flat colours.
void DrawPiece(TDC& dc, int left, int top, int width, int faceHeight, int rim, int layers,
               const TPieceColours& colours);
