#pragma once
// One help set: the pages of a help file, kept as HTML pages in a folder of the help folder that
// is named after the file without its extension ("TALVConfigDE.hlp" lives in help/TALVConfigDE/).
// A topic is the page of the same name; the empty topic is the contents page; a help context
// number stands for one topic.

#include <QString>

class THelpSet {
public:
    // The contents page, where a help set opens when no topic is asked for.
    static constexpr const char* ContentsPage = "index.html";

    // The help set of helpFile inside helpFolder (by default the program's help folder).
    explicit THelpSet(const QString& helpFile);
    THelpSet(const QString& helpFile, const QString& helpFolder);

    const QString& HelpFile() const { return FHelpFile; }
    // The folder of this help set; it need not exist.
    const QString& Folder() const { return FFolder; }
    bool Exists() const;

    // The page of a topic, "" for a name that cannot be a topic (it would reach outside the
    // help set). The page need not exist.
    QString TopicPage(const QString& topic) const;
    bool HasTopic(const QString& topic) const;

    // The topic of a help context number, "" for a number that has none.
    static QString ContextTopic(int context);

private:
    QString FHelpFile;
    QString FFolder;
};
