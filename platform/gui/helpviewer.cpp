#include "platform/gui/helpviewer.h"

#include "platform/gui/helpset.h"

#include <QAction>
#include <QFileInfo>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

THelpViewer::THelpViewer(QWidget* parent) : QMainWindow(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpViewer"));
    // An open help window must not keep the program running once the main window is closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(760, 580);

    Browser = new QTextBrowser(this);
    Browser->setObjectName(QStringLiteral("HelpBrowser"));
    // Web addresses go to the user's browser; pages of the help set stay in this window.
    Browser->setOpenExternalLinks(true);
    setCentralWidget(Browser);

    QToolBar* bar = addToolBar(tr("Navigation"));
    bar->setObjectName(QStringLiteral("TlBarHelp"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ActContents = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), tr("&Inhalt"));
    ActContents->setObjectName(QStringLiteral("ActContents"));
    ActContents->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    ActBack = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("&Zurück"));
    ActBack->setObjectName(QStringLiteral("ActBack"));
    ActBack->setShortcut(QKeySequence::Back);
    ActBack->setEnabled(false);
    ActForward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), tr("&Vor"));
    ActForward->setObjectName(QStringLiteral("ActForward"));
    ActForward->setShortcut(QKeySequence::Forward);
    ActForward->setEnabled(false);

    connect(ActContents, &QAction::triggered, this, &THelpViewer::ContentsExecute);
    connect(ActBack, &QAction::triggered, Browser, &QTextBrowser::backward);
    connect(ActForward, &QAction::triggered, Browser, &QTextBrowser::forward);
    connect(Browser, &QTextBrowser::backwardAvailable, ActBack, &QAction::setEnabled);
    connect(Browser, &QTextBrowser::forwardAvailable, ActForward, &QAction::setEnabled);
    // The pages are written in the help set's language, so their titles give the caption.
    connect(Browser, &QTextBrowser::sourceChanged, this, [this] { setWindowTitle(Browser->documentTitle()); });
}

bool THelpViewer::Jump(const THelpSet& helpSet, const QString& topic)
{
    if (!helpSet.Exists()) {
        FContentsPage.clear();
        ShowMissing(tr("Die Hilfedatei \"%1\" wurde nicht gefunden.").arg(helpSet.HelpFile()));
        return false;
    }
    FContentsPage = helpSet.TopicPage(QString());
    if (!helpSet.HasTopic(topic)) {
        ShowMissing(tr("Das Thema \"%1\" gibt es in der Hilfedatei \"%2\" nicht.").arg(topic, helpSet.HelpFile()));
        return false;
    }
    ShowPage(helpSet.TopicPage(topic));
    return true;
}

bool THelpViewer::JumpContext(const THelpSet& helpSet, int context)
{
    const QString topic = THelpSet::ContextTopic(context);
    if (topic.isEmpty()) {
        FContentsPage = helpSet.Exists() ? helpSet.TopicPage(QString()) : QString();
        ShowMissing(tr("Zum Hilfekontext %1 gibt es in der Hilfedatei \"%2\" kein Thema.")
                        .arg(context)
                        .arg(helpSet.HelpFile()));
        return false;
    }
    return Jump(helpSet, topic);
}

void THelpViewer::ShowPage(const QString& page)
{
    const QUrl url = QUrl::fromLocalFile(page);
    // The browser ignores a source it already has; after a missing-page notice that page must
    // come back all the same.
    if (Browser->source() == url)
        Browser->reload();
    else
        Browser->setSource(url);
    setWindowTitle(Browser->documentTitle());
}

void THelpViewer::ShowMissing(const QString& text)
{
    const QString title = tr("Hilfe");
    QString html = QStringLiteral("<html><head><title>%1</title></head><body><h2>%1</h2><p>%2</p>")
                       .arg(title.toHtmlEscaped(), text.toHtmlEscaped());
    if (!FContentsPage.isEmpty())
        html += QStringLiteral("<p><a href=\"%1\">%2</a></p>")
                    .arg(QUrl::fromLocalFile(FContentsPage).toString().toHtmlEscaped(), tr("Inhalt").toHtmlEscaped());
    html += QStringLiteral("</body></html>");
    Browser->setHtml(html);
    setWindowTitle(title);
}

void THelpViewer::ContentsExecute()
{
    if (!FContentsPage.isEmpty() && QFileInfo(FContentsPage).isFile())
        ShowPage(FContentsPage);
}
