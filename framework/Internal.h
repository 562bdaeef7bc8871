// Pieces of the window layer shared between its own files.
#pragma once

#include <QString>
#include <memory>

class QDialog;
class QWidget;
struct TInfoDialog;

// UTF-8 text for Qt.
inline QString ToQString(const char* text) { return QString::fromUtf8(text ? text : ""); }

// The dialog `resource` describes, laid out and ready to run, centred over
// `owner`'s top window (null for none). Its parts carry the property
// "controlKind" (TShownControl's kinds) for the tests' descriptions.
std::unique_ptr<QDialog> BuildInfoDialog(const TInfoDialog& resource, QWidget* owner);
