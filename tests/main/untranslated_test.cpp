// Protects the English interface as the user sees it: with the English catalogue installed, no
// window of the program shows a German text, neither one the catalogue translates (a text whose
// context at run time differs from the one the catalogue was made with would stay German
// unnoticed) nor one that never reached the catalogue; no two captions of a menu or dialog share
// an accelerator; and the help of each language names menu entries as that language shows them.

#include "device/frmmemodlg.h"
#include "device/frmpressresetdlg.h"
#include "main/frmaboutbox.h"
#include "main/versioninfo.h"
#include "options/frmoptionsdlg.h"
#include "platform/gui/helpset.h"
#include "platform/languagecatalogue.h"
#include "platform/resstrings.h"
#include "tests/main/testmainwin.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTextEdit>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

namespace {

struct TCatalogueTexts {
    // The German texts that the catalogue translates into something else, as patterns: a "%1"
    // in the source matches any text, and a hint is also shown in its two parts around "|".
    std::vector<QRegularExpression> Translated;
    // The texts that read the same in both languages ("DSS1", "Sample Text").
    QSet<QString> Unchanged;
};

TCatalogueTexts ReadCatalogue()
{
    QFile file(TALV_CATALOGUE_SOURCE);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << TALV_CATALOGUE_SOURCE;
    TCatalogueTexts texts;
    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement())
            continue;
        if (xml.name() == QStringLiteral("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QStringLiteral("translation")) {
            const QString translation = xml.readElementText();
            if (translation == source) {
                // An action's tool tip is its caption without "&" and "...".
                texts.Unchanged << source << QString(source).remove('&').remove(QStringLiteral("..."));
                continue;
            }
            QStringList parts = source.split('|');
            if (parts.size() > 1)
                parts << source;
            for (const QString& part : parts) {
                // Short parts such as "OK" or "%1" would match English texts as well.
                if (part.trimmed().size() < 4)
                    continue;
                QString pattern = QRegularExpression::escape(part);
                pattern.replace(QRegularExpression(R"(%\d)"), ".*");
                texts.Translated.emplace_back(QRegularExpression::anchoredPattern(pattern));
            }
        }
    }
    return texts;
}

void AddItems(const QAbstractItemModel& model, const QModelIndex& parent, QStringList& texts)
{
    for (int row = 0; row < model.rowCount(parent); ++row)
        for (int column = 0; column < model.columnCount(parent); ++column) {
            const QModelIndex item = model.index(row, column, parent);
            texts << item.data(Qt::DisplayRole).toString() << item.data(Qt::ToolTipRole).toString();
            AddItems(model, item, texts);
        }
}

// Every text a widget or action under root shows: captions, labels, hints, list and combo box
// items, field contents, log lines, titles.
QStringList ShownTexts(QWidget* root)
{
    QStringList texts{root->windowTitle()};
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets << root;
    for (QWidget* widget : widgets) {
        texts << widget->toolTip() << widget->statusTip();
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            texts << button->text();
        if (auto* label = qobject_cast<QLabel*>(widget))
            texts << label->text();
        if (auto* group = qobject_cast<QGroupBox*>(widget))
            texts << group->title();
        if (auto* tabs = qobject_cast<QTabWidget*>(widget))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        if (auto* box = qobject_cast<QComboBox*>(widget))
            for (int i = 0; i < box->count(); ++i)
                texts << box->itemText(i);
        if (auto* view = qobject_cast<QAbstractItemView*>(widget); view && view->model())
            AddItems(*view->model(), view->rootIndex(), texts);
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            texts << edit->text();
        if (auto* log = qobject_cast<QTextEdit*>(widget))
            texts << log->toPlainText().split('\n');
    }
    for (QAction* action : root->findChildren<QAction*>())
        texts << action->text() << action->toolTip() << action->statusTip();
    texts.removeAll(QString());
    return texts;
}

// Names, numbers, ports and paths read the same in every language: a path, or a text that holds
// no word of four small letters once the texts that the catalogue keeps and the program's
// product name and legal notice are taken out.
bool IsLanguageNeutral(QString text, const QSet<QString>& unchanged)
{
    if (text.startsWith('/'))
        return true;
    const TVersionInfo version = ProgramVersionInfo();
    QStringList kept = (unchanged + QSet<QString>{version.ProductName, version.LegalCopyright}).values();
    // Longest first, so that a text holding another one is taken out whole.
    std::sort(kept.begin(), kept.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& part : kept)
        if (part.size() >= 4)
            text.remove(part);
    static const QRegularExpression word("[a-zäöüß]{4}");
    return !word.match(text).hasMatch();
}

void ExpectUniqueAccelerators(const QString& where, const QStringList& captions)
{
    std::map<QKeySequence, QString> seen;
    for (const QString& caption : captions) {
        const QKeySequence key = QKeySequence::mnemonic(caption);
        if (key.isEmpty())
            continue;
        const auto [first, fresh] = seen.emplace(key, caption);
        EXPECT_TRUE(fresh) << where.toStdString() << ": \"" << caption.toStdString() << "\" and \""
                           << first->second.toStdString() << "\" share an accelerator";
    }
}

// The main window and its dialogs as the user meets them: device 1 on a leased line (which
// puts the protocol's name into the number fields) and the check run once (its headings in
// the message log).
struct TWindows {
    std::unique_ptr<TTestMainWin> Win = std::make_unique<TTestMainWin>();
    TFrmDevMemo Memo;
    TAboutBox About;
    TDlgOptions Options;
    TDlgPressReset PressReset;

    TWindows()
    {
        Win->SetDialogs(&PressReset, &Memo);
        Win->SetOptionsDialog(&Options);
        auto* protocol = Win->findChild<QComboBox*>("CmbBxIsdnDChannelProtocol");
        protocol->setCurrentIndex(1);
        emit protocol->activated(1);
        TTestMainWin::Trigger(Win->findChild<QAction*>("ActCheck"));
        TActionUpdates::RunAll();
    }

    std::vector<QWidget*> All() { return {Win.get(), &Memo, &About, &Options, &PressReset}; }

    QStringList Texts()
    {
        QStringList texts;
        for (QWidget* window : All())
            texts << ShownTexts(window);
        return texts;
    }
};

struct TEnglish {
    TLanguageCatalogue Catalogue;
    TEnglish()
    {
        EXPECT_TRUE(Catalogue.Load("EN"));
        Catalogue.Install();
    }
    ~TEnglish() { SetResStringTranslation({}); }
};

}  // namespace

TEST(EnglishInterface, NoWindowShowsAGermanText)
{
    const TCatalogueTexts catalogue = ReadCatalogue();
    ASSERT_GT(catalogue.Translated.size(), 100u);
    const QStringList germanTexts = TWindows().Texts();
    ASSERT_GT(germanTexts.size(), 100);
    const QSet<QString> german(germanTexts.begin(), germanTexts.end());

    const TEnglish english;
    TWindows windows;
    for (QWidget* window : windows.All())
        for (const QString& text : ShownTexts(window)) {
            const char* name = window->metaObject()->className();
            for (const QRegularExpression& pattern : catalogue.Translated)
                EXPECT_FALSE(pattern.match(text).hasMatch()) << name << " shows German \"" << text.toStdString() << '"';
            // A text that never reached the catalogue reads in English as it does in German.
            EXPECT_FALSE(german.contains(text) && !IsLanguageNeutral(text, catalogue.Unchanged))
                << name << " shows \"" << text.toStdString() << "\" in both languages";
        }
}

TEST(EnglishInterface, EveryMenuAndDialogHasUniqueAccelerators)
{
    for (const bool inEnglish : {false, true}) {
        std::unique_ptr<TEnglish> english;
        if (inEnglish)
            english = std::make_unique<TEnglish>();
        TWindows windows;
        QList<QWidget*> menus{windows.Win->menuBar()};
        for (QMenu* menu : windows.Win->findChildren<QMenu*>())
            menus << menu;
        for (QWidget* menu : menus) {
            QStringList items;
            for (QAction* item : menu->actions())
                items << item->text();
            ExpectUniqueAccelerators(menu->objectName(), items);
        }
        for (QWidget* dialog : windows.All()) {
            if (dialog == windows.Win.get())
                continue;
            QStringList captions;
            for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
                captions << button->text();
            for (QTabWidget* tabs : dialog->findChildren<QTabWidget*>())
                for (int i = 0; i < tabs->count(); ++i)
                    captions << tabs->tabText(i);
            ExpectUniqueAccelerators(dialog->metaObject()->className(), captions);
        }
    }
}

TEST(HelpPages, MenuPathsNameTheEntriesTheirLanguageShows)
{
    static const QRegularExpression menuPath("<i>([^<]*&gt;[^<]*)</i>");
    for (const bool inEnglish : {false, true}) {
        std::unique_ptr<TEnglish> english;
        if (inEnglish)
            english = std::make_unique<TEnglish>();
        TWindows windows;
        // An entry is named without its accelerator, with or without the "..." of a dialog.
        const auto name = [](QString caption) { return caption.remove('&').remove(QStringLiteral("...")).trimmed(); };
        QSet<QString> captions;
        for (QAction* action : windows.Win->findChildren<QAction*>())
            captions << name(action->text());
        for (QTabWidget* tabs : windows.Options.findChildren<QTabWidget*>())
            for (int i = 0; i < tabs->count(); ++i)
                captions << name(tabs->tabText(i));

        const THelpSet help(inEnglish ? "TALVConfigEN.hlp" : "TALVConfigDE.hlp");
        int paths = 0;
        for (const QString& page : QDir(help.Folder()).entryList({"*.html"}, QDir::Files)) {
            QFile file(QDir(help.Folder()).filePath(page));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
            const QString html = QString::fromUtf8(file.readAll());
            for (auto match = menuPath.globalMatch(html); match.hasNext(); ++paths)
                for (const QString& entry : match.next().captured(1).split("&gt;"))
                    EXPECT_TRUE(captions.contains(name(entry)))
                        << help.HelpFile().toStdString() << "/" << page.toStdString() << ": \""
                        << name(entry).toStdString() << "\" is no menu entry";
        }
        EXPECT_GT(paths, 5) << help.HelpFile().toStdString();
    }
}
