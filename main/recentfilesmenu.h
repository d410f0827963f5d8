#pragma once
// The recent-files section of the "Datei" menu: one numbered entry per file of the list
// ("&1 /path/plan.kov"), newest first, then "Liste leeren". An empty list shows only
// "Liste leeren", disabled. The list is read from the settings file when the section is made and
// written back at every change, so a program that ends unexpectedly keeps it.

#include "main/recentfiles.h"

#include <QObject>
#include <QString>

#include <array>
#include <string>

class QAction;
class QMenu;

class TRecentFilesMenu : public QObject {
    Q_OBJECT
public:
    // Inserts the section into menu in front of before, with a separator after it.
    TRecentFilesMenu(QMenu& menu, QAction* before, std::string settingsFile, QObject* parent);

    const TRecentFiles& Files() const { return FFiles; }

    // Change the list and the menu, then write the list. A settings file that cannot be written
    // raises (UpdateSettingsFile's errors); the menu shows the new list all the same.
    void Add(const std::string& fileName);
    void Remove(const std::string& fileName);
    void Clear();

    // Empties the list when triggered; the window binds it, so that its errors are shown.
    QAction* ActClear = nullptr;

signals:
    // The user chose the entry of fileName.
    void Chosen(const QString& fileName);

private:
    void ShowEntries();
    void Store() const;

    TRecentFiles FFiles;
    std::string FSettingsFile;
    // One action per place, made once and only shown, hidden and relabelled: an entry whose
    // choice removes it from the list is still delivering its signal at that moment.
    std::array<QAction*, TRecentFiles::MaxEntries> FEntries{};
    QAction* FEntriesEnd = nullptr;
};
