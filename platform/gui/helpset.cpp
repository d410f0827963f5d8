#include "platform/gui/helpset.h"

#include "platform/datafolders.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// The context numbers the program's windows carry, and the topics that describe them.
struct THelpContext {
    int Context;
    const char* Topic;
};
constexpr THelpContext HelpContexts[] = {
    {10, "MainWindow"},
};

}  // namespace

THelpSet::THelpSet(const QString& helpFile) : THelpSet(helpFile, QString::fromStdString(FindDataFolder("help")))
{
}

THelpSet::THelpSet(const QString& helpFile, const QString& helpFolder) : FHelpFile(helpFile)
{
    // Without a help folder there is no help set, not even one beside the current directory.
    if (!helpFolder.isEmpty())
        FFolder = QDir(helpFolder).filePath(QFileInfo(helpFile).completeBaseName());
}

bool THelpSet::Exists() const
{
    return !FFolder.isEmpty() && QFileInfo(QDir(FFolder).filePath(ContentsPage)).isFile();
}

QString THelpSet::TopicPage(const QString& topic) const
{
    if (FFolder.isEmpty())
        return {};
    if (topic.isEmpty())
        return QDir(FFolder).filePath(ContentsPage);
    // Topics are plain names: a slash or a dot would let a caller open any file as help.
    static const QRegularExpression TopicName(QStringLiteral("^[A-Za-z0-9_-]+$"));
    if (!TopicName.match(topic).hasMatch())
        return {};
    return QDir(FFolder).filePath(topic + QStringLiteral(".html"));
}

bool THelpSet::HasTopic(const QString& topic) const
{
    const QString page = TopicPage(topic);
    return !page.isEmpty() && QFileInfo(page).isFile();
}

QString THelpSet::ContextTopic(int context)
{
    for (const THelpContext& entry : HelpContexts)
        if (entry.Context == context)
            return QString::fromLatin1(entry.Topic);
    return {};
}
