#pragma once
// The main window's placement between runs: section "Main" of the settings file holds the
// window's normal rectangle and show state, the log page in front, the log panel's height, and
// whether the network picture is shown and how wide.
// Read once before the window is first shown, written once after the window has closed.
//
// The placement is stored twice, under a key with the desktop size in its name and under the
// plain key. Reading prefers the key of the current desktop size, so a placement made for this
// desktop comes back exactly; otherwise the latest placement is moved and shrunk onto a screen.

#include "platform/settingsfile.h"

#include <QRect>
#include <QSize>

#include <string>

class QDockWidget;
class QMainWindow;
class QTabWidget;
class QWidget;

class TMainFormStorage {
public:
    static constexpr int DesignWidth = 1016;
    static constexpr int DesignHeight = 729;
    static constexpr int DesignLogHeight = 121;
    static constexpr int DesignNetworkWidth = 500;

    explicit TMainFormStorage(std::string fileName = SettingsFileName());

    // Sets the window's geometry and state, the page in front (the pages are known by their
    // objectNames, "TbShtMsgLog" and "TbShtComLog") and the log panel's height. Missing or
    // unreadable values leave the design values. Call before the window is shown.
    void Restore(QWidget& window, QTabWidget& pages, QWidget& logPanel) const;
    // Writes the keys in their fixed order. "Visible" says whether the window was still shown,
    // which it is only when it is saved without having been closed. A missing configuration
    // folder is made (UpdateSettingsFile); raises when the file cannot be written.
    void Save(const QWidget& window, const QTabWidget& pages, const QWidget& logPanel) const;

    // Shows or hides the network picture's dock and gives it its width. Without a stored value
    // it stays hidden: the panels fill the window's design width exactly, and a picture taking
    // a third of it would hide the third column until the user scrolls.
    void RestoreNetwork(QMainWindow& window, QDockWidget& dock) const;
    // Appends "Network_Visible" and "Network_Width" after the keys of Save; raises as Save does.
    void SaveNetwork(const QDockWidget& dock) const;

    // The design size centred on the available area, shrunk to fit it.
    static QRect DesignPlacement(const QRect& available);

private:
    std::string FFileName;
};
