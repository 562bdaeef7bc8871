// The program icon: a corner of the board with a red king, at any size; the
// small sizes keep only what stays readable.
#include <QPainterPath>

#include "resources/Painting.h"
#include "resources/VarekResources.h"

QImage DrawProgramIcon(int size) {
  QImage image = Art::Canvas(size);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;

  if (size >= 48) {
    // A framed 4 x 4 corner of the board, a white man behind and a red king in front.
    const QRectF frame(s * 0.04, s * 0.04, s * 0.92, s * 0.92);
    QPainterPath rounded;
    rounded.addRoundedRect(frame, s * 0.08, s * 0.08);
    p.fillPath(rounded, Art::Silver);
    p.setPen(QPen(Art::Grey, s / 96));
    p.drawPath(rounded);
    const QRectF board = frame.adjusted(s * 0.06, s * 0.06, -s * 0.06, -s * 0.06);
    Art::Board(p, board, 4);
    const qreal q = board.width() / 4;
    const QRectF whiteFace(board.left() + 2 * q + q * 0.12, board.top() + q * 0.05, q * 1.76, q * 1.0);
    Art::Piece(p, whiteFace, q * 0.3, false, 1);
    const QRectF kingFace(board.left() + q * 0.35, board.top() + 1.45 * q, q * 2.3, q * 1.3);
    Art::Piece(p, kingFace, q * 0.38, true, 2);
  } else if (size >= 24) {
    // A red king on a dark square.
    QPainterPath rounded;
    rounded.addRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s * 0.12, s * 0.12);
    p.fillPath(rounded, Art::Teal);
    p.setPen(QPen(Art::Grey, 1));
    p.drawPath(rounded);
    Art::Piece(p, QRectF(s * 0.12, s * 0.16, s * 0.76, s * 0.44), s * 0.14, true, 2);
  } else {
    Art::Piece(p, QRectF(0.5, s * 0.08, s - 1, s * 0.5), s * 0.18, true, 2);
  }
  return image;
}
