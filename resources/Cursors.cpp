// The pointing hand shown over a piece that can move: black and white, the
// fingertip at the top-left corner, which is the hot spot.
#include <QPainterPath>
#include <QTransform>

#include "resources/Painting.h"
#include "resources/VarekResources.h"

QImage DrawHandCursor() {
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::transparent);

  // Drawn pointing straight up with the fingertip at (0, 0), then turned so it
  // points up and to the left.
  QPainterPath hand;
  hand.addRoundedRect(QRectF(-2.5, 0, 5, 16), 2.5, 2.5);            // index finger
  hand.addRoundedRect(QRectF(-3, 11, 13.5, 13), 3, 3);              // palm
  hand.addRoundedRect(QRectF(2, 9.5, 4, 7), 2, 2);                  // curled fingers
  hand.addRoundedRect(QRectF(5.5, 10.5, 4, 6.5), 2, 2);
  hand.addRoundedRect(QRectF(-8, 12, 6, 4.5), 2.2, 2.2);            // thumb
  hand.addRect(QRectF(-1.5, 23, 11, 4));                            // cuff
  hand.setFillRule(Qt::WindingFill);
  const QPainterPath outline = hand.simplified();

  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  QTransform turn;
  turn.translate(2.2, 1.8);
  turn.rotate(-40);
  p.setTransform(turn);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::white);
  p.drawPath(outline);
  // The knuckle lines of the curled fingers.
  p.drawLine(QPointF(2.5, 13.5), QPointF(2.5, 16.5));
  p.drawLine(QPointF(6, 13.5), QPointF(6, 16.5));
  p.end();

  // Keep it strictly two-coloured.
  for (int y = 0; y < 32; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < 32; ++x) {
      if (qAlpha(row[x]) < 128) {
        row[x] = 0;
      } else {
        row[x] = qGray(row[x]) < 128 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
      }
    }
  }
  return image;
}
