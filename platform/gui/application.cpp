#include "platform/gui/application.h"

#include "platform/gui/helpset.h"
#include "platform/gui/helpviewer.h"

#include <QIcon>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QSvgRenderer>

#include <stdexcept>

namespace {

// GUI thread only, like everything the application object shows.
QString g_Title;
QString g_HelpFile;
QPointer<THelpViewer> g_HelpViewer;

// The help window, made on first use. A modal dialog blocks every window that does not belong
// to it, so while one is open (the press-reset or the options dialog asks for help) the help
// window becomes a window of that dialog, and otherwise a window of its own again.
THelpViewer& OpenHelpViewer()
{
    if (!g_HelpViewer)
        g_HelpViewer = new THelpViewer();
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == g_HelpViewer)
        owner = nullptr;
    if (g_HelpViewer->parentWidget() != owner) {
        const bool shown = g_HelpViewer->isVisible();
        const QRect geometry = g_HelpViewer->geometry();
        g_HelpViewer->setParent(owner, g_HelpViewer->windowFlags());
        if (shown)
            g_HelpViewer->setGeometry(geometry);
    }
    return *g_HelpViewer;
}

void RaiseHelpViewer(THelpViewer& viewer)
{
    viewer.show();
    viewer.setWindowState(viewer.windowState() & ~Qt::WindowMinimized);
    viewer.raise();
    viewer.activateWindow();
}

}  // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("TALV-Configurator"));
    SetTitle(QStringLiteral("TALV-Configurator"));
    SetHelpFile(QStringLiteral("TALVConfigDE.hlp"));
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(ProgramIcon(size));
    setWindowIcon(icon);
}

TApplication::~TApplication()
{
    // The help window has no owner of its own; it goes before the application object.
    delete g_HelpViewer;
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    // Every event handler, timer and queued call runs below this frame, so this is the one place
    // where an error that nobody handled is shown; the loop then carries on.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowException(error);
    } catch (...) {
        ShowException(std::runtime_error(UnknownErrorText()));
    }
    return false;
}

void TApplication::ShowException(const std::exception& error)
{
    QMessageBox box(QMessageBox::Critical, Title(), ErrorText(error.what()), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

QString TApplication::ErrorText(const std::string& message)
{
    QString text = QString::fromStdString(message);
    // Messages that end in a full stop, a blank, a line break or another character that sorts
    // before "." are left as they are.
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        text += QLatin1Char('.');
    return text;
}

std::string TApplication::UnknownErrorText()
{
    return QCoreApplication::translate("TApplication", "Unbekannter Fehler").toStdString();
}

QString TApplication::Title()
{
    return g_Title;
}

void TApplication::SetTitle(const QString& title)
{
    g_Title = title;
}

QString TApplication::HelpFile()
{
    return g_HelpFile;
}

void TApplication::SetHelpFile(const QString& fileName)
{
    g_HelpFile = fileName;
}

bool TApplication::HelpJump(const QString& topic)
{
    THelpViewer& viewer = OpenHelpViewer();
    const bool shown = viewer.Jump(THelpSet(HelpFile()), topic);
    RaiseHelpViewer(viewer);
    return shown;
}

bool TApplication::HelpContext(int context)
{
    THelpViewer& viewer = OpenHelpViewer();
    const bool shown = viewer.JumpContext(THelpSet(HelpFile()), context);
    RaiseHelpViewer(viewer);
    return shown;
}

THelpViewer* TApplication::HelpViewer()
{
    return g_HelpViewer;
}

QPixmap TApplication::ProgramIcon(int size)
{
    // Drawn from the vector picture at each size, so small icons stay sharp.
    QSvgRenderer renderer(QStringLiteral(":/icons/talv-configurator.svg"));
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return QPixmap::fromImage(image);
}

