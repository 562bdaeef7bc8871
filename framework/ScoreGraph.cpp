#include "framework/ScoreGraph.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

#include <algorithm>

#include "framework/MoveListPanel.h"
#include "framework/UiThread.h"

namespace {

constexpr int GraphHeight = 96;
constexpr int Margin = 3;

const QColor Background(72, 72, 72);
const QColor WhiteAhead(192, 192, 192);  // White's pieces' top
const QColor BlackAhead(128, 0, 0);      // Black's pieces' rim
const QColor Middle(150, 150, 150);
const QColor Line(235, 235, 235);
const QColor Current(255, 220, 0);       // the hint's frame
const QColor MarkColours[4] = {{}, QColor(255, 240, 90), QColor(255, 150, 30), QColor(255, 50, 50)};

}  // namespace

class TScoreGraphWidget : public QWidget {
 public:
  explicit TScoreGraphWidget(TScoreGraph& graph) : graph_(graph) {
    setFixedHeight(GraphHeight);
    setMinimumWidth(60);
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) graph_.Click(TPoint(event->position().toPoint().x(), event->position().toPoint().y()));
  }

 private:
  TScoreGraph& graph_;
};

void TScoreGraphWidget::paintEvent(QPaintEvent*) {
  // Qt's painter draws on the widget at its screen's pixel ratio.
  QPainter painter(this);
  painter.fillRect(rect(), Background);
  const TRect plot = graph_.Plot();
  const int middle = graph_.PointOf(1, 0).y;
  painter.setRenderHint(QPainter::Antialiasing);
  const std::vector<TScoreGraph::TValue>& values = graph_.values_;
  if (!values.empty()) {
    // The area between the line and the middle, and the line.
    QPainterPath line, area;
    const TPoint first = graph_.PointOf(1, values[0].Score);
    area.moveTo(first.x, middle);
    for (size_t n = 0; n < values.size(); ++n) {
      const TPoint p = graph_.PointOf(static_cast<int>(n) + 1, values[n].Score);
      if (n == 0) line.moveTo(p.x, p.y);
      else line.lineTo(p.x, p.y);
      area.lineTo(p.x, p.y);
    }
    area.lineTo(graph_.PointOf(static_cast<int>(values.size()), 0).x, middle);
    area.closeSubpath();
    painter.save();
    painter.setClipRect(QRect(plot.left, plot.top, plot.Width(), middle - plot.top));
    painter.fillPath(area, WhiteAhead);
    painter.setClipRect(QRect(plot.left, middle, plot.Width(), plot.bottom - middle));
    painter.fillPath(area, BlackAhead);
    painter.restore();
    painter.setPen(QPen(Line, 1.5));
    if (values.size() > 1) painter.drawPath(line);
  }
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(Middle, 1));
  painter.drawLine(plot.left, middle, plot.right - 1, middle);
  if (graph_.current_ > 0 && graph_.current_ <= graph_.moves_) {
    const int x = graph_.PointOf(graph_.current_, 0).x;
    painter.setPen(QPen(Current, 1));
    painter.drawLine(x, plot.top, x, plot.bottom - 1);
  }
  painter.setRenderHint(QPainter::Antialiasing);
  for (size_t n = 0; n < values.size(); ++n) {
    const int mark = std::clamp(values[n].Mark, 0, 3);
    if (mark == 0) continue;
    const TPoint p = graph_.PointOf(static_cast<int>(n) + 1, values[n].Score);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(MarkColours[mark]);
    const qreal radius = 2.0 + mark;
    painter.drawEllipse(QPointF(p.x, p.y), radius, radius);
  }
}

TScoreGraph::TScoreGraph(TMoveListPanel* panel, int limit) : widget_(nullptr), limit_(std::max(1, limit)) {
  RequireUiThread("TScoreGraph");
  widget_ = new TScoreGraphWidget(*this);
  widget_->hide();
  if (panel) panel->AddBelow(widget_);
}

// The panel's dock owns the widget; one on its own goes with the graph.
TScoreGraph::~TScoreGraph() {
  if (!widget_->parent()) delete widget_;
}

void TScoreGraph::SetValues(std::vector<TValue> values, int moves) {
  values_ = std::move(values);
  moves_ = std::max(moves, static_cast<int>(values_.size()));
  widget_->setVisible(!values_.empty());
  widget_->update();
}

void TScoreGraph::SetCurrent(int move) {
  if (move == current_) return;
  current_ = move;
  widget_->update();
}

void TScoreGraph::SetClickHandler(std::function<void(int)> handler) { onClick_ = std::move(handler); }

bool TScoreGraph::IsVisible() const { return !widget_->isHidden(); }

TSize TScoreGraph::Size() const { return TSize(widget_->width(), widget_->height()); }

TRect TScoreGraph::Plot() const {
  return TRect(Margin, Margin, std::max(Margin + 1, widget_->width() - Margin),
               std::max(Margin + 2, widget_->height() - Margin));
}

TPoint TScoreGraph::PointOf(int move, int score) const {
  const TRect plot = Plot();
  const int moves = std::max(1, moves_);
  // Each move has a column of its own; its point stands in the column's middle.
  const int x = plot.left + static_cast<int>((2LL * move - 1) * plot.Width() / (2LL * moves));
  const int shown = std::clamp(score, -limit_, limit_);
  const int half = (plot.Height() - 1) / 2;
  const int middle = plot.top + half;
  return TPoint(x, middle - static_cast<int>(static_cast<long long>(shown) * half / limit_));
}

int TScoreGraph::MoveAt(int x) const {
  const TRect plot = Plot();
  if (moves_ == 0 || x < 0 || x >= widget_->width()) return 0;
  const int column = static_cast<int>(static_cast<long long>(x - plot.left) * moves_ / plot.Width());
  return std::clamp(column + 1, 1, moves_);
}

void TScoreGraph::Click(TPoint point) {
  // Only the moves that have a point can be gone to.
  const int move = MoveAt(point.x);
  if (move > 0 && move <= static_cast<int>(values_.size()) && onClick_) onClick_(move);
}

QWidget* TScoreGraph::GetHandle() const { return widget_; }
