#include "resources/PieceRenderer.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>

#include "framework/DC.h"

namespace {

QColor ToQColor(const TColor& c) { return QColor(c.Red(), c.Green(), c.Blue()); }

void Disc(QPainter& p, const QRectF& face, qreal rim, const TPieceColours& colours, bool shaded, qreal outline) {
  const QColor top = ToQColor(colours.Top), side = ToQColor(colours.Side);
  p.setPen(QPen(Qt::black, outline));

  // The rim: the face's lower half moved down, joined to the face at its sides.
  QPainterPath sidePath;
  const QRectF low = face.translated(0, rim);
  sidePath.moveTo(face.left(), face.center().y());
  sidePath.lineTo(low.left(), low.center().y());
  sidePath.arcTo(low, 180, 180);
  sidePath.lineTo(face.right(), face.center().y());
  sidePath.closeSubpath();
  if (shaded) {
    QLinearGradient shade(face.left(), 0, face.right(), 0);
    shade.setColorAt(0, side.darker(130));
    shade.setColorAt(0.35, side.lighter(125));
    shade.setColorAt(1, side.darker(150));
    p.setBrush(shade);
  } else {
    p.setBrush(side);
  }
  p.drawPath(sidePath);

  if (shaded) {
    QRadialGradient light(face.center().x() - face.width() * 0.18, face.center().y() - face.height() * 0.25,
                          face.width() * 0.7);
    light.setColorAt(0, top.lighter(135));
    light.setColorAt(1, top.darker(112));
    p.setBrush(light);
  } else {
    p.setBrush(top);
  }
  p.drawEllipse(face);
}

}  // namespace

void PaintPiece(QPainter& p, const QRectF& face, double rim, int layers, const TPieceColours& colours, bool shaded) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const qreal outline = shaded ? std::max<qreal>(0.6, face.width() / 40) : 1.0;
  // The lowest disc first: each one above covers the top of the one below.
  for (int layer = layers - 1; layer >= 0; --layer)
    Disc(p, face.translated(0, layer * rim), rim, colours, shaded, outline);
  p.restore();
}

void DrawPiece(TDC& dc, int left, int top, int width, int faceHeight, int rim, int layers,
               const TPieceColours& colours) {
  // The outline's centre runs half a pixel inside the box.
  PaintPiece(dc.Painter(), QRectF(left + 0.5, top + 0.5, width - 1, faceHeight - 1), rim, layers, colours, false);
}
