#include "framework/StatusBar.h"

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QStatusBar>

#include "framework/Internal.h"
#include "framework/UiThread.h"

TMessageBar::~TMessageBar() = default;

void TMessageBar::SetText(const char* text) {
  RequireUiThread("TMessageBar::SetText");
  text_ = text ? text : "";
  if (label_) label_->setText(ToQString(text_.c_str()));
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
  RequireUiThread("TStatusBar::SetFieldText");
  if (field < 0 || field >= static_cast<int>(fields_.size())) return;
  fieldTexts_[field] = text ? text : "";
  fields_[field]->setText(ToQString(fieldTexts_[field].c_str()));
  fields_[field]->setVisible(!fieldTexts_[field].empty());
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

void TStatusBar::SetProgress(int done, int total) {
  RequireUiThread("TStatusBar::SetProgress");
  if (!progress_) {
    if (total <= 0) return;
    progress_ = new QProgressBar;
    progress_->setMaximumWidth(progress_->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 16);
    progress_->setTextVisible(true);
    bar_->addPermanentWidget(progress_);
  }
  progress_->setVisible(total > 0);
  progress_->setRange(0, total > 0 ? total : 1);
  progress_->setValue(total > 0 ? done : 0);
}

int TStatusBar::ProgressDone() const { return progress_ && !progress_->isHidden() ? progress_->value() : 0; }
int TStatusBar::ProgressTotal() const { return progress_ && !progress_->isHidden() ? progress_->maximum() : 0; }
