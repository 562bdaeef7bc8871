#include "framework/ControlBar.h"

#include <QAction>
#include <QFont>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QToolBar>

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

TGadget::~TGadget() = default;  // the bar's Qt widget owns the gadget's widget

TButtonGadget::TButtonGadget(int glyphResId, int commandId, TType, bool enabled, TState, bool)
    : glyphResId_(glyphResId), commandId_(commandId), enabled_(enabled) {}

void TButtonGadget::Create(QToolBar* bar, TDecoratedFrame* frame) {
  QAction* action = frame->CommandAction(commandId_);
  if (const TBitmap* glyph = GetModule().FindBitmap(glyphResId_)) {
    // The toolkit picks the drawing that suits the screen's density.
    QIcon icon(QPixmap::fromImage(glyph->Image()));
    if (const TBitmap* denser = GetModule().FindDenserBitmap(glyphResId_))
      icon.addPixmap(QPixmap::fromImage(denser->Image()));
    action->setIcon(icon);
    action->setIconVisibleInMenu(false);  // the menus show no pictures
    bar->setIconSize(QSize(glyph->Width(), glyph->Height()));
  }
  // Until the first enabling pass says otherwise.
  action->setEnabled(enabled_);
  bar->addAction(action);
  widget_ = bar->widgetForAction(action);
  widget_->setFocusPolicy(Qt::NoFocus);
}

void TSeparatorGadget::Create(QToolBar* bar, TDecoratedFrame*) {
  widget_ = new TSeparatorWidget(width_);
  bar->addWidget(widget_);
}

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
  gadget->Create(bar_, frame_);
  gadgets_.push_back(std::move(gadget));
}

TButtonGadget* TControlBar::FindButton(int commandId) const {
  for (const auto& g : gadgets_)
    if (auto* b = dynamic_cast<TButtonGadget*>(g.get()); b && b->GetCommandId() == commandId) return b;
  return nullptr;
}
