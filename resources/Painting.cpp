#include "resources/Painting.h"

#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

#include "resources/PieceRenderer.h"

namespace Art {

QImage Canvas(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

void Piece(QPainter& p, const QRectF& face, qreal rim, bool black, int layers) {
  const TPieceColours colours = black ? TPieceColours{TColor(255, 0, 0), TColor(128, 0, 0)}
                                      : TPieceColours{TColor(192, 192, 192), TColor(128, 128, 128)};
  PaintPiece(p, face, rim, layers, colours, true);
}

void Board(QPainter& p, const QRectF& box, int n) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  const qreal s = box.width() / n;
  for (int r = 0; r < n; ++r)
    for (int c = 0; c < n; ++c)
      p.fillRect(QRectF(box.left() + c * s, box.top() + r * s, s, s), (r + c) % 2 ? Teal : QColor(Qt::white));
  p.setPen(QPen(Grey, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(box.adjusted(-0.5, -0.5, 0.5, 0.5));
  p.restore();
}

void ArrowHead(QPainter& p, QPointF tip, qreal dx, qreal dy, qreal size, const QColor& color) {
  const qreal len = std::hypot(dx, dy);
  dx /= len, dy /= len;
  const QPointF back = tip - QPointF(dx, dy) * size;
  const QPointF normal(-dy * size * 0.6, dx * size * 0.6);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawPolygon(QPolygonF({tip, back + normal, back - normal}));
  p.restore();
}

}  // namespace Art
