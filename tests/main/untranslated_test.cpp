// Protects the English interface as the user sees it: with the English catalogue installed, no
// window of the program shows a German text that the catalogue translates (a text whose context
// at run time differs from the one the catalogue was made with would stay German unnoticed).

#include "device/frmmemodlg.h"
#include "main/frmaboutbox.h"
#include "options/frmoptionsdlg.h"
#include "platform/languagecatalogue.h"
#include "platform/resstrings.h"
#include "terminal/frmpressresetdlg.h"
#include "tests/main/testmainwin.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTabWidget>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// The German texts that the catalogue translates into something else, as patterns: a "%1" in
// the source matches any text, and a hint is also shown in its two parts around "|".
std::vector<QRegularExpression> TranslatedGermanTexts()
{
    QFile file(TALV_CATALOGUE_SOURCE);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << TALV_CATALOGUE_SOURCE;
    std::vector<QRegularExpression> patterns;
    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement())
            continue;
        if (xml.name() == QStringLiteral("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QStringLiteral("translation")) {
            const QString translation = xml.readElementText();
            if (translation == source)
                continue;
            QStringList parts = source.split('|');
            if (parts.size() > 1)
                parts << source;
            for (const QString& part : parts) {
                // Short parts such as "OK" or "%1" would match English texts as well.
                if (part.trimmed().size() < 4)
                    continue;
                QString pattern = QRegularExpression::escape(part);
                pattern.replace(QRegularExpression(R"(%\d)"), ".*");
                patterns.emplace_back(QRegularExpression::anchoredPattern(pattern));
            }
        }
    }
    return patterns;
}

// Every text a widget or action under root shows: captions, labels, hints, list items, titles.
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
    }
    for (QAction* action : root->findChildren<QAction*>())
        texts << action->text() << action->toolTip() << action->statusTip();
    texts.removeAll(QString());
    return texts;
}

}  // namespace

TEST(EnglishInterface, NoWindowShowsATranslatedGermanText)
{
    struct TReset {
        ~TReset() { SetResStringTranslation({}); }
    } reset;
    TLanguageCatalogue catalogue;
    ASSERT_TRUE(catalogue.Load("EN"));
    catalogue.Install();

    const std::vector<QRegularExpression> german = TranslatedGermanTexts();
    ASSERT_GT(german.size(), 100u);

    auto win = std::make_unique<TTestMainWin>();
    TFrmDevMemo memo;
    TAboutBox about;
    TDlgOptions options;
    TDlgPressReset pressReset;
    win->SetDialogs(&pressReset, &memo);
    win->SetOptionsDialog(&options);
    TActionUpdates::RunAll();

    for (QWidget* window : std::initializer_list<QWidget*>{win.get(), &memo, &about, &options, &pressReset})
        for (const QString& text : ShownTexts(window))
            for (const QRegularExpression& pattern : german)
                EXPECT_FALSE(pattern.match(text).hasMatch())
                    << window->metaObject()->className() << " shows German \"" << text.toStdString() << '"';
}
