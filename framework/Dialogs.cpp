#include "framework/Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <QWidget>
#include <filesystem>

#include "framework/Internal.h"
#include "framework/ListDialog.h"
#include "framework/Resources.h"
#include "framework/UiThread.h"
#include "framework/Window.h"

TOpenSaveDialog::TData::TData(unsigned flags, const char* filter, const char* customFilter, const char* initialDir,
                              const char* defExt, int maxPath, int filterIndex)
    : Flags(flags),
      Filter(filter ? filter : ""),
      CustomFilter(customFilter ? customFilter : ""),
      InitialDir(initialDir ? initialDir : ""),
      DefExt(defExt ? defExt : ""),
      MaxPath(maxPath),
      FilterIndex(filterIndex) {}

namespace {

QWidget* OwnerWidget(TWindow* owner) {
  if (!owner || !owner->GetHandle()) return nullptr;
  return owner->GetHandle()->window();
}

// "Name (*.ext)|*.ext|Other|*.a;*.b|" as Qt's name filters.
QStringList NameFilters(const std::string& filter) {
  const QStringList parts = ToQString(filter.c_str()).split(QLatin1Char('|'));
  QStringList result;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString name = parts[i];
    const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
    result << (name.contains(QLatin1Char('(')) ? name : name + QStringLiteral(" (") + patterns + QLatin1Char(')'));
  }
  return result;
}

class TQtDesktop : public TDesktop {
 public:
  int ShowMessageBox(TWindow* owner, const std::string& text, const std::string& caption, unsigned type) override {
    QMessageBox box(OwnerWidget(owner));
    box.setWindowTitle(ToQString(caption.c_str()));
    box.setText(ToQString(text.c_str()));
    switch (type & 0xf0) {
      case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
      case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
      case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
      case MB_ICONASTERISK: box.setIcon(QMessageBox::Information); break;
      default: break;
    }
    switch (type & 0x0f) {
      case MB_OKCANCEL: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
      case MB_YESNOCANCEL: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
      case MB_YESNO: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
      default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    switch (box.exec()) {
      case QMessageBox::Ok: return IDOK;
      case QMessageBox::Yes: return IDYES;
      case QMessageBox::No: return IDNO;
      default: return IDCANCEL;
    }
  }

  int RunFileDialog(TWindow* owner, TFileDialogKind kind, TOpenSaveDialog::TData& data) override {
    QFileDialog dialog(OwnerWidget(owner));
    const bool save = kind == TFileDialogKind::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save || !(data.Flags & OFN_FILEMUSTEXIST) ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Replacing a file is confirmed by TFileSaveDialog itself, through the desktop.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = NameFilters(data.Filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!data.DefExt.empty()) dialog.setDefaultSuffix(ToQString(data.DefExt.c_str()));
    // Never the folder an earlier dialog was left in, which may be one where
    // nothing could be done: the one asked for, or the working folder.
    dialog.setDirectory(data.InitialDir.empty() ? QDir::currentPath() : ToQString(data.InitialDir.c_str()));
    if (!data.FileName.empty()) dialog.selectFile(ToQString(data.FileName.c_str()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return IDCANCEL;
    std::string name = dialog.selectedFiles().first().toStdString();
    if (static_cast<int>(name.size()) >= data.MaxPath) return IDCANCEL;  // no room for it
    data.FileName = name;
    return IDOK;
  }

  int RunDialog(TWindow* owner, int resId) override {
    if (const TDialogRunner* runner = GetModule().FindDialog(resId)) return (*runner)(owner);
    const TInfoDialog* resource = GetModule().FindInfoDialog(resId);
    if (!resource) return IDCANCEL;
    std::unique_ptr<QDialog> dialog = BuildInfoDialog(*resource, owner ? owner->GetHandle() : nullptr);
    return dialog->exec() == QDialog::Accepted ? IDOK : IDCANCEL;
  }

  int RunListDialog(TWindow* owner, TListDialogData& data) override { return RunQtListDialog(owner, data); }

  void Beep(unsigned) override { QApplication::beep(); }
};

TDesktop* replacement = nullptr;

}  // namespace

int TDesktop::RunListDialog(TWindow*, TListDialogData&) { return IDCANCEL; }

void SetDesktop(TDesktop* desktop) { replacement = desktop; }

TDesktop& GetDesktop() {
  static TQtDesktop real;
  return replacement ? *replacement : real;
}

int MessageBox(TWindow* owner, const char* text, const char* caption, unsigned type) {
  RequireUiThread("MessageBox");
  return GetDesktop().ShowMessageBox(owner, text ? text : "", caption ? caption : "", type);
}

void MessageBeep(unsigned type) {
  RequireUiThread("MessageBeep");
  GetDesktop().Beep(type);
}

int TFileOpenDialog::Execute() {
  RequireUiThread("TFileOpenDialog");
  return GetDesktop().RunFileDialog(parent_, TDesktop::TFileDialogKind::Open, data_);
}

int TFileSaveDialog::Execute() {
  RequireUiThread("TFileSaveDialog");
  const std::string offered = data_.FileName;
  for (;;) {
    if (GetDesktop().RunFileDialog(parent_, TDesktop::TFileDialogKind::Save, data_) != IDOK) break;
    std::error_code error;
    const std::filesystem::path chosen(data_.FileName);
    if (!(data_.Flags & OFN_OVERWRITEPROMPT) || !std::filesystem::exists(chosen, error)) return IDOK;
    const std::string question = chosen.filename().string() + " already exists.\nDo you want to replace it?";
    if (GetDesktop().ShowMessageBox(parent_, question, "Confirm Save As", MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
      return IDOK;
    // No: choose another name.
  }
  data_.FileName = offered;  // cancelled: not the name of a file the user kept
  return IDCANCEL;
}

int TDialog::Execute() {
  RequireUiThread("TDialog");
  return GetDesktop().RunDialog(parent_, resId_);
}
