// Pieces of the window layer shared between its own files.
#pragma once

#include <QString>
#include <functional>

class QObject;

// Runs `fn` (posted, in the context of `context`) once no pause is in progress.
void RunAfterPauses(QObject* context, std::function<void()> fn);

// UTF-8 text for Qt.
inline QString ToQString(const char* text) { return QString::fromUtf8(text ? text : ""); }
