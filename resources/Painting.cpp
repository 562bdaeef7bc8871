#include "resources/Painting.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <cmath>

namespace Art {

QImage Canvas(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

namespace {

void Disc(QPainter& p, const QRectF& face, qreal rim, bool black) {
  const QColor top = black ? Red : Silver;
  const QColor side = black ? DarkRed : Grey;
  const qreal outline = std::max<qreal>(0.6, face.width() / 40);

  // The side: the face's lower half moved down by the rim, joined to the face.
  QPainterPath sidePath;
  const QRectF low = face.translated(0, rim);
  sidePath.moveTo(face.left(), face.center().y());
  sidePath.lineTo(low.left(), low.center().y());
  sidePath.arcTo(low, 180, 180);
  sidePath.lineTo(face.right(), face.center().y());
  sidePath.closeSubpath();
  QLinearGradient shade(face.left(), 0, face.right(), 0);
  shade.setColorAt(0, side.darker(130));
  shade.setColorAt(0.35, side.lighter(125));
  shade.setColorAt(1, side.darker(150));
  p.setPen(QPen(Qt::black, outline));
  p.setBrush(shade);
  p.drawPath(sidePath);

  QRadialGradient light(face.center().x() - face.width() * 0.18, face.center().y() - face.height() * 0.25,
                        face.width() * 0.7);
  light.setColorAt(0, top.lighter(135));
  light.setColorAt(1, top.darker(112));
  p.setBrush(light);
  p.drawEllipse(face);
}

}  // namespace

void Piece(QPainter& p, const QRectF& face, qreal rim, bool black, int layers) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  for (int layer = layers - 1; layer >= 0; --layer) Disc(p, face.translated(0, layer * rim), rim, black);
  p.restore();
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
