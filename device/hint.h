#pragma once
// Hints in the program's form "short text|long text": the short text is the tool tip, the long
// text goes to the status bar. A hint without a bar is both.

#include <QString>

class QAction;
class QWidget;

QString ShortHint(const QString& hint);
QString LongHint(const QString& hint);
void SetHint(QWidget* control, const QString& hint);
void SetHint(QAction* action, const QString& hint);
