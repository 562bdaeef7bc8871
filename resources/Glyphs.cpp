// The tool-bar glyphs, 20 x 20 (and drawn again for denser screens), each
// numbered like the command its button sends.
#include <QPainterPath>
#include <QPolygonF>

#include "resources/CommandIds.h"
#include "resources/Painting.h"
#include "resources/VarekResources.h"

using namespace CommandId;

namespace {

constexpr int Size = 20;
const QColor Arrow(24, 96, 168);

// 102 New: a fresh sheet with a folded corner and a piece on it.
void NewGame(QPainter& p) {
  QPolygonF sheet({{4.5, 1.5}, {12.5, 1.5}, {16.5, 5.5}, {16.5, 18.5}, {4.5, 18.5}});
  p.setPen(QPen(Art::Ink, 1));
  p.setBrush(Qt::white);
  p.drawPolygon(sheet);
  p.setBrush(QColor(220, 220, 220));
  p.drawPolygon(QPolygonF({{12.5, 1.5}, {12.5, 5.5}, {16.5, 5.5}}));
  Art::Piece(p, QRectF(6.5, 8.5, 8, 4.5), 2, true, 1);
}

// 103 Open: an open folder.
void Open(QPainter& p) {
  p.setPen(QPen(QColor(120, 80, 0), 1));
  p.setBrush(QColor(230, 180, 40));
  p.drawPolygon(QPolygonF({{1.5, 4.5}, {7.5, 4.5}, {9.5, 6.5}, {16.5, 6.5}, {16.5, 16.5}, {1.5, 16.5}}));
  p.setBrush(QColor(255, 215, 90));
  p.drawPolygon(QPolygonF({{1.5, 16.5}, {5.5, 9.5}, {19.5, 9.5}, {15.5, 16.5}}));
}

// 104 Save: a diskette.
void Save(QPainter& p) {
  p.setPen(QPen(Art::Ink, 1));
  p.setBrush(QColor(40, 70, 140));
  p.drawPolygon(QPolygonF({{2.5, 2.5}, {15.5, 2.5}, {17.5, 4.5}, {17.5, 17.5}, {2.5, 17.5}}));
  p.setBrush(QColor(200, 200, 205));
  p.drawRect(QRectF(5.5, 2.5, 8, 5));
  p.fillRect(QRectF(10, 3.5, 2, 3), QColor(40, 70, 140));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4.5, 10.5, 11, 7));
  p.setPen(QPen(QColor(150, 150, 160), 1));
  p.drawLine(QPointF(6, 13), QPointF(14, 13));
  p.drawLine(QPointF(6, 15), QPointF(14, 15));
}

// 115 and 116: a curved arrow turning back (undo) or forward (redo).
void TurnArrow(QPainter& p, bool back) {
  if (!back) p.setTransform(QTransform(-1, 0, 0, 1, Size, 0), true);  // mirrored, at whatever scale
  QPainterPath path;
  path.moveTo(15.5, 16);
  path.cubicTo(17, 8, 10, 4.5, 5.5, 8.5);
  p.setPen(QPen(Arrow, 2.6, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  Art::ArrowHead(p, QPointF(2.0, 11.5), -1, 0.95, 6.5, Arrow);
}

// 122 Computer Go: a monitor showing a start sign.
void ComputerGo(QPainter& p) {
  p.setPen(QPen(Art::Ink, 1));
  p.setBrush(QColor(200, 200, 200));
  p.drawRoundedRect(QRectF(1.5, 2.5, 17, 12), 1.5, 1.5);
  p.setBrush(QColor(20, 40, 60));
  p.drawRect(QRectF(3.5, 4.5, 13, 8));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(60, 220, 80));
  p.drawPolygon(QPolygonF({{8, 5.5}, {13.5, 8.5}, {8, 11.5}}));
  p.setPen(QPen(Art::Ink, 1));
  p.setBrush(QColor(170, 170, 170));
  p.drawRect(QRectF(8.5, 14.5, 3, 2));
  p.drawRect(QRectF(5.5, 16.5, 9, 2));
}

// 123 Force Move: a lightning bolt, play now.
void ForceMove(QPainter& p) {
  p.setPen(QPen(QColor(150, 60, 0), 1));
  p.setBrush(QColor(255, 200, 0));
  p.drawPolygon(QPolygonF({{11.5, 0.5}, {3.5, 11}, {9, 11}, {6.5, 19.5}, {16.5, 7.5}, {10.5, 7.5}, {13.5, 0.5}}));
}

// 151 Invert Board: a small board with arrows turning it round.
void Invert(QPainter& p) {
  Art::Board(p, QRectF(5, 5, 10, 10), 4);
  p.setPen(QPen(Arrow, 1.6, Qt::SolidLine, Qt::FlatCap));
  p.setBrush(Qt::NoBrush);
  const QRectF ring(1.5, 1.5, 17, 17);
  p.drawArc(ring, 100 * 16, 70 * 16);
  p.drawArc(ring, 280 * 16, 70 * 16);
  Art::ArrowHead(p, QPointF(1.8, 12.5), 0.05, 1, 4.5, Arrow);
  Art::ArrowHead(p, QPointF(18.2, 7.5), -0.05, -1, 4.5, Arrow);
}

// 152 Setup position: a board with a pencil.
void Setup(QPainter& p) {
  Art::Board(p, QRectF(1, 4, 14, 14), 4);
  p.save();
  p.translate(15, 5);
  p.rotate(45);
  p.setPen(QPen(Art::Ink, 1));
  p.setBrush(QColor(250, 190, 40));
  p.drawRect(QRectF(-1.8, -5, 3.6, 11));
  p.setBrush(QColor(240, 150, 160));
  p.drawRect(QRectF(-1.8, -7.5, 3.6, 2.5));
  p.setBrush(QColor(240, 215, 170));
  p.drawPolygon(QPolygonF({{-1.8, 6}, {1.8, 6}, {0, 9.5}}));
  p.restore();
}

// 153 Starting Position: a board with both sides on their home rows.
void Starting(QPainter& p) {
  const QRectF board(1, 1, 18, 18);
  Art::Board(p, board, 4);
  const qreal q = 4.5;
  for (int c = 0; c < 4; ++c) {
    if ((0 + c) % 2) Art::Piece(p, QRectF(1 + c * q + 0.4, 1 + 0.9, q - 0.8, 2.4), 1.0, false, 1);
    if ((3 + c) % 2) Art::Piece(p, QRectF(1 + c * q + 0.4, 1 + 3 * q + 0.9, q - 0.8, 2.4), 1.0, true, 1);
  }
}

// 154 Clear Board: an empty board and an eraser.
void Clear(QPainter& p) {
  Art::Board(p, QRectF(1, 1, 14, 14), 4);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(14, 14);
  p.rotate(-35);
  p.setPen(QPen(Art::Ink, 1));
  p.setBrush(QColor(245, 130, 150));
  p.drawRoundedRect(QRectF(-5, -3, 6, 6), 1, 1);
  p.setBrush(QColor(80, 110, 200));
  p.drawRoundedRect(QRectF(1, -3, 4.5, 6), 1, 1);
  p.restore();
}

// 124 Hint: a light bulb.
void Hint(QPainter& p) {
  p.setPen(QPen(QColor(150, 110, 0), 1));
  p.setBrush(QColor(255, 230, 80));
  p.drawEllipse(QRectF(4.5, 1.5, 11, 11));
  p.setPen(QPen(Art::Ink, 1));
  p.setBrush(QColor(170, 170, 170));
  p.drawRect(QRectF(7.5, 12.5, 5, 4));
  p.drawLine(QPointF(8, 18.5), QPointF(12, 18.5));
}

// 155 and 156: the side to move, as one of its pieces.
void SideToMove(QPainter& p, bool black) { Art::Piece(p, QRectF(2, 4, 16, 9), 4, black, 1); }

}  // namespace

const std::vector<int>& GlyphCommands() {
  static const std::vector<int> commands{CmFileNew,    CmFileOpen,         CmFileSave,        CmMovesUndo,
                                         CmMovesRedo,  CmActionComputerGo, CmActionForceMove, CmBoardInvertBoard,
                                         CmBoardSetup, CmBoardStarting,    CmBoardClear,      CmBoardBTurn,
                                         CmBoardWTurn, CmActionHint};
  return commands;
}

QImage DrawToolGlyph(int commandId, int scale) {
  QImage image = Art::Canvas(Size * scale);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(scale, scale);
  switch (commandId) {
    case CmFileNew:
      NewGame(p);
      break;
    case CmFileOpen:
      Open(p);
      break;
    case CmFileSave:
      Save(p);
      break;
    case CmMovesUndo:
      TurnArrow(p, true);
      break;
    case CmMovesRedo:
      TurnArrow(p, false);
      break;
    case CmActionComputerGo:
      ComputerGo(p);
      break;
    case CmActionForceMove:
      ForceMove(p);
      break;
    case CmActionHint:
      Hint(p);
      break;
    case CmBoardInvertBoard:
      Invert(p);
      break;
    case CmBoardSetup:
      Setup(p);
      break;
    case CmBoardStarting:
      Starting(p);
      break;
    case CmBoardClear:
      Clear(p);
      break;
    case CmBoardBTurn:
      SideToMove(p, true);
      break;
    case CmBoardWTurn:
      SideToMove(p, false);
      break;
    default: return QImage();
  }
  p.end();
  image.setDevicePixelRatio(scale);
  return image;
}
