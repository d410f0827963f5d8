#pragma once
// Stored window positions come from another run, perhaps on another desktop: a screen that has
// gone (a projector, a docking station) must not keep a window out of sight.

#include <QList>
#include <QRect>

// The available areas of the screens, the primary screen's first.
QList<QRect> AvailableScreens();

// The placement moved and, where needed, shrunk onto one screen: the screen holding its centre,
// else the first (primary) screen. `screens` are available areas.
QRect FitOnScreen(const QRect& placement, const QList<QRect>& screens);
