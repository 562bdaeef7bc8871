// Pieces of the window layer shared between its own files.
#pragma once

#include <QString>
#include <functional>
#include <memory>

class QDialog;
class QObject;
class QWidget;
struct TDialogTemplate;

// Runs `fn` (posted, in the context of `context`) once no pause is in progress.
void RunAfterPauses(QObject* context, std::function<void()> fn);

// UTF-8 text for Qt.
inline QString ToQString(const char* text) { return QString::fromUtf8(text ? text : ""); }

// The dialog a template describes, laid out and ready to run, placed from the
// top-left corner of `owner` (null for none) and owned by its top window. Its controls carry the properties "controlId" and
// "controlKind"; the dialog carries "unitX" and "unitY", the pixels of one
// dialog unit. A push button ends the dialog with its id.
std::unique_ptr<QDialog> BuildDialog(const TDialogTemplate& resource, QWidget* owner);
// A finished dialog's result as the layer reports it (IDOK, IDCANCEL or a button's id).
int DialogResult(int qtResult);
