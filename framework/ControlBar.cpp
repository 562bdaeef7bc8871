#include "framework/ControlBar.h"

#include <QFont>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QToolBar>
#include <QToolButton>

#include "framework/Frame.h"
#include "framework/Resources.h"
#include "framework/UiThread.h"

namespace {

// A gap in the bar with a faint groove down its middle.
class TSeparatorWidget : public QWidget {
 public:
  explicit TSeparatorWidget(int width) { setFixedWidth(width); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const int x = width() / 2 - 1;
    const int margin = height() / 5;
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(x, margin, x, height() - margin);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(x + 1, margin, x + 1, height() - margin);
  }
};

}  // namespace

TGadget::~TGadget() {
  // The bar's Qt widget deletes the gadget's widget when it goes first.
  if (widget_ && !widget_->parent()) delete widget_;
}

TButtonGadget::TButtonGadget(int glyphResId, int commandId, TType, bool enabled, TState state, bool)
    : glyphResId_(glyphResId), commandId_(commandId), enabled_(enabled), state_(state) {}

QToolButton* TButtonGadget::Button() const { return static_cast<QToolButton*>(widget_); }

void TButtonGadget::Create() {
  auto* button = new QToolButton;
  button->setAutoRaise(true);
  button->setCheckable(true);  // a checked command shows its button pressed
  button->setFocusPolicy(Qt::NoFocus);
  if (const TBitmap* glyph = GetModule().FindBitmap(glyphResId_)) {
    button->setIcon(QIcon(QPixmap::fromImage(glyph->Image())));
    button->setIconSize(QSize(glyph->Width(), glyph->Height()));
  }
  widget_ = button;
  SetEnabled(enabled_);
  SetButtonState(state_);
}

void TButtonGadget::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (widget_) widget_->setEnabled(enabled);
}

void TButtonGadget::SetButtonState(TState state) {
  state_ = state;
  if (widget_) Button()->setChecked(state == Down);
}

void TSeparatorGadget::Create() { widget_ = new TSeparatorWidget(width_); }

TControlBar::TControlBar(TDecoratedFrame* parent, TTileDirection direction, const TGadgetWindowFont& font)
    : frame_(parent), bar_(new QToolBar) {
  RequireUiThread("TControlBar");
  bar_->setOrientation(direction == Horizontal ? Qt::Horizontal : Qt::Vertical);
  bar_->setMovable(false);
  bar_->setFloatable(false);
  bar_->setContextMenuPolicy(Qt::PreventContextMenu);
  QFont f = bar_->font();
  f.setPointSize(font.PointSize);
  f.setBold(font.Bold);
  f.setItalic(font.Italic);
  bar_->setFont(f);
}

TControlBar::~TControlBar() {
  gadgets_.clear();
  if (!bar_->parent()) delete bar_;
}

void TControlBar::Insert(std::unique_ptr<TGadget> gadget) {
  gadget->Create();
  bar_->addWidget(gadget->widget_);
  if (auto* button = dynamic_cast<TButtonGadget*>(gadget.get())) {
    QPointer<QToolButton> qbutton = static_cast<QToolButton*>(button->widget_);
    const int id = button->GetCommandId();
    TDecoratedFrame* frame = frame_;
    QObject::connect(qbutton, &QToolButton::clicked, qbutton, [frame, id] {
      if (frame) frame->ExecuteCommand(id);
    });
  }
  gadgets_.push_back(std::move(gadget));
}

TButtonGadget* TControlBar::FindButton(int commandId) const {
  for (const auto& g : gadgets_)
    if (auto* b = dynamic_cast<TButtonGadget*>(g.get()); b && b->GetCommandId() == commandId) return b;
  return nullptr;
}
