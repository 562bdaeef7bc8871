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

namespace {

QLabel* MakeLabel(TStatusBar::TBorderStyle style) {
  auto* label = new QLabel;
  label->setTextFormat(Qt::PlainText);
  label->setContentsMargins(4, 1, 4, 1);
  switch (style) {
    case TStatusBar::Recessed: label->setFrameStyle(QFrame::Panel | QFrame::Sunken); break;
    case TStatusBar::Raised: label->setFrameStyle(QFrame::Panel | QFrame::Raised); break;
    case TStatusBar::Embossed: label->setFrameStyle(QFrame::StyledPanel | QFrame::Raised); break;
    case TStatusBar::Plain: break;
  }
  return label;
}

bool Fits(const QLabel* label) {
  if (label->isHidden() || label->text().isEmpty()) return true;
  return label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width();
}

}  // namespace

TStatusBar::TStatusBar(TDecoratedFrame*, TBorderStyle style, unsigned) : bar_(new QStatusBar), style_(style) {
  RequireUiThread("TStatusBar");
  bar_->setSizeGripEnabled(true);
  label_ = MakeLabel(style);
  label_->setMinimumWidth(1);
  label_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  bar_->addWidget(label_, 1);
}

TStatusBar::~TStatusBar() {
  // The bar's label goes with it, and with the label any text not yet shown.
  delete bar_;
}

QStatusBar* TStatusBar::GetHandle() const { return bar_; }

int TStatusBar::AddField() {
  RequireUiThread("TStatusBar::AddField");
  QLabel* field = MakeLabel(style_);
  field->hide();  // until it has a text
  bar_->addPermanentWidget(field);
  fields_.push_back(field);
  fieldTexts_.emplace_back();
  return static_cast<int>(fields_.size()) - 1;
}

void TStatusBar::SetFieldText(int field, const char* text) {
  // In order with the message area's texts, and dropped with the bar.
  PostToUiThread(label_, [this, field, copy = std::string(text ? text : "")] {
    if (field < 0 || field >= static_cast<int>(fields_.size())) return;
    fieldTexts_[field] = copy;
    fields_[field]->setText(ToQString(copy.c_str()));
    fields_[field]->setVisible(!copy.empty());
  });
}

std::string TStatusBar::GetFieldText(int field) const {
  if (field < 0 || field >= static_cast<int>(fields_.size())) return std::string();
  return fieldTexts_[field];
}

bool TStatusBar::TextsFit() const {
  RequireUiThread("TStatusBar::TextsFit");
  if (!Fits(label_)) return false;
  for (const QLabel* field : fields_)
    if (!Fits(field)) return false;
  return true;
}
