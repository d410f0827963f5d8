#include "main/recentfilesmenu.h"

#include "device/hint.h"
#include "platform/inifile.h"
#include "platform/settingsfile.h"

#include <QAction>
#include <QMenu>

TRecentFilesMenu::TRecentFilesMenu(QMenu& menu, QAction* before, std::string settingsFile, QObject* parent)
    : QObject(parent), FSettingsFile(std::move(settingsFile))
{
    FFiles.Load(TIniFile(FSettingsFile));
    for (std::size_t i = 0; i < FEntries.size(); ++i) {
        auto* entry = new QAction(this);
        entry->setObjectName(QStringLiteral("ActRecentFile%1").arg(i + 1));
        connect(entry, &QAction::triggered, this, [this, entry] { emit Chosen(entry->data().toString()); });
        menu.insertAction(before, entry);
        FEntries[i] = entry;
    }
    FEntriesEnd = new QAction(this);
    FEntriesEnd->setSeparator(true);
    menu.insertAction(before, FEntriesEnd);
    ActClear = new QAction(tr("Liste leeren"), this);
    ActClear->setObjectName("ActRecentClear");
    SetHint(ActClear, tr("Liste leeren|Leert die Liste der zuletzt geöffneten oder gespeicherten Dateien."));
    menu.insertAction(before, ActClear);
    menu.insertSeparator(before);
    ShowEntries();
}

void TRecentFilesMenu::Add(const std::string& fileName)
{
    FFiles.Add(fileName);
    ShowEntries();
    Store();
}

void TRecentFilesMenu::Remove(const std::string& fileName)
{
    FFiles.Remove(fileName);
    ShowEntries();
    Store();
}

void TRecentFilesMenu::Clear()
{
    FFiles.Clear();
    ShowEntries();
    Store();
}

void TRecentFilesMenu::ShowEntries()
{
    const std::vector<std::string>& files = FFiles.Entries();
    for (std::size_t i = 0; i < FEntries.size(); ++i) {
        QAction* entry = FEntries[i];
        const bool used = i < files.size();
        const QString path = used ? QString::fromStdString(files[i]) : QString();
        // A path keeps its own ampersands; only the number is the accelerator.
        entry->setText(used ? QStringLiteral("&%1 %2").arg(i + 1).arg(QString(path).replace('&', "&&")) : QString());
        entry->setStatusTip(path);
        entry->setData(path);
        entry->setVisible(used);
    }
    FEntriesEnd->setVisible(!files.empty());
    ActClear->setEnabled(!files.empty());
}

void TRecentFilesMenu::Store() const
{
    // Read afresh: the other sections may have been written since the start, by this program or
    // another copy of it.
    TIniFile ini(FSettingsFile);
    FFiles.Save(ini);
    UpdateSettingsFile(ini);
}
