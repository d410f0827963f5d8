#pragma once
// The help window: shows the pages of a help set with contents, back and forward, and says in
// its own page when a help set or topic is missing, so that a missing help file never stops the
// program. The application keeps one of it (TApplication::HelpJump); it is not modal.

#include <QMainWindow>
#include <QString>

class QAction;
class QTextBrowser;
class THelpSet;

class THelpViewer : public QMainWindow {
    Q_OBJECT
public:
    explicit THelpViewer(QWidget* parent = nullptr);

    // Shows a topic of the help set ("" for its contents). Returns whether the topic's page is
    // shown; otherwise the window shows what is missing.
    bool Jump(const THelpSet& helpSet, const QString& topic);
    // Shows the topic of a help context number.
    bool JumpContext(const THelpSet& helpSet, int context);

    QTextBrowser* Browser = nullptr;
    QAction* ActContents = nullptr;
    QAction* ActBack = nullptr;
    QAction* ActForward = nullptr;

private:
    void ShowPage(const QString& page);
    void ShowMissing(const QString& text);
    void ContentsExecute();

    // The contents page of the help set shown last; "" while it has none.
    QString FContentsPage;
};
