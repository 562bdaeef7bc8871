// Drawing helpers shared by the icon and the tool-bar glyphs, in the board's colours.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>

namespace Art {

inline const QColor Teal(0, 128, 128);
inline const QColor Red(255, 0, 0);
inline const QColor DarkRed(128, 0, 0);
inline const QColor Silver(192, 192, 192);
inline const QColor Grey(128, 128, 128);
inline const QColor Ink(32, 32, 32);

// A transparent square canvas.
QImage Canvas(int size);
// A piece in the board's colours, shaded (PaintPiece): `layers` discs (1 a
// man, 2 a king), `face` the top face of the upper disc, `rim` the thickness of one disc.
void Piece(QPainter& p, const QRectF& face, qreal rim, bool black, int layers);
// A board of n x n squares filling `box`, dark squares where (row + column) is odd.
void Board(QPainter& p, const QRectF& box, int n);
// A filled triangle arrow head at `tip` pointing along (dx, dy).
void ArrowHead(QPainter& p, QPointF tip, qreal dx, qreal dy, qreal size, const QColor& color);

}  // namespace Art
