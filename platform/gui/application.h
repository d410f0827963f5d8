#pragma once
// The application object: title "TALV-Configurator", program icon, the one way into help, and the
// error display for exceptions that escape an event handler (a message box with the application
// title, the error's message and a "." appended when its last character sorts after "."); the
// event loop then goes on.

#include <QApplication>
#include <QPixmap>
#include <QString>

#include <exception>
#include <string>

class THelpViewer;

class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);
    ~TApplication() override;
    bool notify(QObject* receiver, QEvent* event) override;

    // Shows an error as the top-level handler does.
    static void ShowException(const std::exception& error);
    // The text the error box shows for a message.
    static QString ErrorText(const std::string& message);
    // The message for an exception that is no std::exception.
    static std::string UnknownErrorText();

    // The title of the application: the caption of the error box. The main window extends it by
    // the version and the file name. It is kept apart from Qt's display name, which the window
    // system would append to the caption of every window.
    static QString Title();
    static void SetTitle(const QString& title);

    // The help file of the current language ("TALVConfigDE.hlp" or "TALVConfigEN.hlp") and the
    // single place where help is opened: one help window, brought to the front at every jump.
    // A missing help file or topic is reported by the help window; the calls never throw.
    // They return whether the topic is shown.
    static QString HelpFile();
    static void SetHelpFile(const QString& fileName);
    // An empty topic opens the contents.
    static bool HelpJump(const QString& topic);
    static bool HelpContext(int context);
    // The help window, nullptr until help was first opened.
    static THelpViewer* HelpViewer();

    // The program icon drawn at size x size pixels; every window shows it in its frame.
    static QPixmap ProgramIcon(int size);
};

