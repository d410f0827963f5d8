#include "platform/gui/application.h"

#include <QMessageBox>

#include <stdexcept>

namespace {

// GUI thread only, like everything the application object shows.
QString g_Title;
QString g_HelpFile;

}  // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("TALV-Configurator"));
    SetTitle(QStringLiteral("TALV-Configurator"));
    SetHelpFile(QStringLiteral("TALVConfigDE.hlp"));
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
    Q_UNUSED(topic);
    return false;
}

TBusyCursor::TBusyCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

TBusyCursor::~TBusyCursor()
{
    QApplication::restoreOverrideCursor();
}
