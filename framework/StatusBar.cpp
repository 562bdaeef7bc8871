#include "framework/StatusBar.h"

#include <QLabel>
#include <QPointer>
#include <QStatusBar>

#include "framework/Internal.h"
#include "framework/UiThread.h"

TMessageBar::~TMessageBar() = default;

void TMessageBar::SetText(const char* text) {
  // The label goes with the bar, so a text still on its way to a bar that
  // is gone is dropped.
  PostToUiThread(label_, [this, copy = std::string(text ? text : "")] {
    text_ = copy;
    if (label_) label_->setText(ToQString(copy.c_str()));
  });
}

std::string TMessageBar::GetText() const { return text_; }

TStatusBar::TStatusBar(TDecoratedFrame*, TBorderStyle style, unsigned) : bar_(new QStatusBar) {
  RequireUiThread("TStatusBar");
  bar_->setSizeGripEnabled(true);
  label_ = new QLabel;
  label_->setTextFormat(Qt::PlainText);
  label_->setContentsMargins(4, 1, 4, 1);
  switch (style) {
    case Recessed: label_->setFrameStyle(QFrame::Panel | QFrame::Sunken); break;
    case Raised: label_->setFrameStyle(QFrame::Panel | QFrame::Raised); break;
    case Embossed: label_->setFrameStyle(QFrame::StyledPanel | QFrame::Raised); break;
    case Plain: break;
  }
  label_->setMinimumWidth(1);
  label_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  bar_->addWidget(label_, 1);
}

TStatusBar::~TStatusBar() {
  // The bar's label goes with it, and with the label any text not yet shown.
  delete bar_;
}

QStatusBar* TStatusBar::GetHandle() const { return bar_; }
