#include "device/hint.h"

#include <QAction>
#include <QWidget>

QString ShortHint(const QString& hint)
{
    const qsizetype bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.left(bar);
}

QString LongHint(const QString& hint)
{
    const qsizetype bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

void SetHint(QWidget* control, const QString& hint)
{
    control->setToolTip(ShortHint(hint));
    control->setStatusTip(LongHint(hint));
}

void SetHint(QAction* action, const QString& hint)
{
    action->setToolTip(ShortHint(hint));
    action->setStatusTip(LongHint(hint));
}
