#include "platform/gui/screenplacement.h"

#include <QGuiApplication>
#include <QScreen>

QList<QRect> AvailableScreens()
{
    QList<QRect> screens;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        screens.append(primary->availableGeometry());
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen())
            screens.append(screen->availableGeometry());
    return screens;
}

QRect FitOnScreen(const QRect& placement, const QList<QRect>& screens)
{
    if (screens.isEmpty())
        return placement;
    QRect screen = screens.front();
    for (const QRect& candidate : screens) {
        if (candidate.contains(placement.center())) {
            screen = candidate;
            break;
        }
    }
    QRect fitted(placement.topLeft(), placement.size().boundedTo(screen.size()));
    if (fitted.right() > screen.right())
        fitted.moveRight(screen.right());
    if (fitted.bottom() > screen.bottom())
        fitted.moveBottom(screen.bottom());
    if (fitted.left() < screen.left())
        fitted.moveLeft(screen.left());
    if (fitted.top() < screen.top())
        fitted.moveTop(screen.top());
    return fitted;
}
