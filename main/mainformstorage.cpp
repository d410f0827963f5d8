#include "main/mainformstorage.h"

#include "platform/gui/screenplacement.h"
#include "platform/inifile.h"

#include <QDockWidget>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSplitter>
#include <QStringList>
#include <QTabWidget>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

const std::string Section = "Main";
const char* const MsgLogPage = "TbShtMsgLog";

// The show states and the placement flag of the placement record the file has always held.
constexpr int ShowNormal = 1;
constexpr int ShowMinimized = 2;
constexpr int ShowMaximized = 3;
constexpr int RestoreToMaximized = 2;

std::string Text(const QString& text)
{
    return text.toStdString();
}

// "NormPos(1920x1080)": the key for the current desktop size.
std::string DesktopKey(const char* key)
{
    QSize desktop;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        desktop = screen->virtualSize();
    return Text(QStringLiteral("%1(%2x%3)").arg(QLatin1String(key)).arg(desktop.width()).arg(desktop.height()));
}

std::string FourNumbers(int a, int b, int c, int d)
{
    return Text(QStringLiteral("%1,%2,%3,%4").arg(a).arg(b).arg(c).arg(d));
}

// Left, top, right, bottom with right and bottom just outside, as the placement record has them.
std::optional<QRect> ReadRect(const std::string& text)
{
    const QStringList parts = QString::fromStdString(text).split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    if (values[2] <= values[0] || values[3] <= values[1])
        return std::nullopt;
    return QRect(QPoint(values[0], values[1]), QPoint(values[2] - 1, values[3] - 1));
}

// The log panel sits in a splitter below the device area, which takes what the panel leaves:
// asking for far more than fits for the other widgets gives the panel exactly its height, also
// before the window has been laid out for the first time.
void SetPanelHeight(QWidget& panel, int height)
{
    auto* splitter = qobject_cast<QSplitter*>(panel.parentWidget());
    if (!splitter) {
        panel.resize(panel.width(), height);
        return;
    }
    QList<int> sizes(splitter->count(), QWIDGETSIZE_MAX / std::max(1, splitter->count()));
    const int index = splitter->indexOf(&panel);
    if (index < 0)
        return;
    sizes[index] = height;
    splitter->setSizes(sizes);
}

}  // namespace

TMainFormStorage::TMainFormStorage(std::string fileName) : FFileName(std::move(fileName))
{
}

QRect TMainFormStorage::DesignPlacement(const QRect& available)
{
    QRect placement(0, 0, std::min(DesignWidth, available.width()), std::min(DesignHeight, available.height()));
    placement.moveCenter(available.center());
    return placement;
}

void TMainFormStorage::Restore(QWidget& window, QTabWidget& pages, QWidget& logPanel) const
{
    const TIniFile ini(FFileName);
    const QList<QRect> screens = AvailableScreens();

    std::optional<QRect> normal;
    int showCmd = ShowNormal;
    int flags = 0;
    // A placement counts only with a form version of at least 0; a missing version is none.
    if (ini.ReadInteger(Section, "FormVersion", -1) >= 0) {
        std::string text = ini.ReadString(Section, DesktopKey("NormPos"), "");
        if (text.empty())
            text = ini.ReadString(Section, "NormPos", "");
        normal = ReadRect(text);
        showCmd = ini.ReadInteger(Section, "ShowCmd", ShowNormal);
        flags = ini.ReadInteger(Section, "Flags", 0);
    }
    const QRect design = DesignPlacement(screens.isEmpty() ? QRect(0, 0, DesignWidth, DesignHeight) : screens.front());
    window.setGeometry(FitOnScreen(normal.value_or(design), screens));

    // A window closed while minimised comes back as it was before it was minimised; starting a
    // program minimised would only hide it.
    if (showCmd == ShowMaximized || (showCmd == ShowMinimized && (flags & RestoreToMaximized)))
        window.setWindowState(Qt::WindowMaximized);
    else
        window.setWindowState(Qt::WindowNoState);

    const QString pageName = QString::fromStdString(ini.ReadString(Section, "PgCtrlLog_ActivePage", MsgLogPage));
    QWidget* page = pages.findChild<QWidget*>(pageName);
    if (!page || pages.indexOf(page) < 0)
        page = pages.findChild<QWidget*>(QLatin1String(MsgLogPage));
    if (page && pages.indexOf(page) >= 0)
        pages.setCurrentWidget(page);

    SetPanelHeight(logPanel, std::max(ini.ReadInteger(Section, "PnlLog_Height", DesignLogHeight), 0));
}

void TMainFormStorage::Save(const QWidget& window, const QTabWidget& pages, const QWidget& logPanel) const
{
    TIniFile ini(FFileName);

    const Qt::WindowStates state = window.windowState();
    int showCmd = ShowNormal;
    int flags = 0;
    if (state & Qt::WindowMinimized) {
        showCmd = ShowMinimized;
        if (state & Qt::WindowMaximized)
            flags = RestoreToMaximized;
    } else if (state & Qt::WindowMaximized) {
        showCmd = ShowMaximized;
    }
    int pixelsPerInch = 96;
    if (const QScreen* screen = window.screen())
        pixelsPerInch = static_cast<int>(std::lround(screen->logicalDotsPerInch()));

    // The toolkit keeps no separate minimised and maximised positions; -1 says "none", as the
    // placement record does.
    const std::string minMaxPos = FourNumbers(-1, -1, -1, -1);
    const QRect normal = window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    const std::string normPos = FourNumbers(normal.left(), normal.top(), normal.right() + 1, normal.bottom() + 1);

    // Keys that exist are updated where they are, new ones appended in this order; the keys of
    // other desktop sizes stay for when that desktop comes back.
    ini.WriteInteger(Section, "FormVersion", 0);
    ini.WriteInteger(Section, "Flags", flags);
    ini.WriteInteger(Section, "ShowCmd", showCmd);
    ini.WriteInteger(Section, "PixelsPerInch", pixelsPerInch);
    ini.WriteString(Section, DesktopKey("MinMaxPos"), minMaxPos);
    ini.WriteString(Section, "MinMaxPos", minMaxPos);
    ini.WriteString(Section, DesktopKey("NormPos"), normPos);
    ini.WriteString(Section, "NormPos", normPos);
    ini.WriteInteger(Section, "Visible", window.isVisible() ? 1 : 0);
    const QWidget* page = pages.currentWidget();
    ini.WriteString(Section, "PgCtrlLog_ActivePage", page ? Text(page->objectName()) : MsgLogPage);
    ini.WriteInteger(Section, "PnlLog_Height", logPanel.height());
    UpdateSettingsFile(ini);
}

void TMainFormStorage::RestoreNetwork(QMainWindow& window, QDockWidget& dock) const
{
    const TIniFile ini(FFileName);
    dock.setVisible(ini.ReadInteger(Section, "Network_Visible", 0) != 0);
    const int width = ini.ReadInteger(Section, "Network_Width", DesignNetworkWidth);
    window.resizeDocks({&dock}, {std::max(width, dock.minimumSizeHint().width())}, Qt::Horizontal);
}

void TMainFormStorage::SaveNetwork(const QDockWidget& dock) const
{
    TIniFile ini(FFileName);
    // Saved after the window has closed, which hides no child: isHidden says what the user chose.
    ini.WriteInteger(Section, "Network_Visible", dock.isHidden() ? 0 : 1);
    ini.WriteInteger(Section, "Network_Width", dock.width());
    UpdateSettingsFile(ini);
}
