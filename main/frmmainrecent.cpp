// The recent files of the "Datei" menu as the window uses them: every file read or written goes
// to the top of the list, and choosing one opens it as Open does after its dialog.
#include "main/frmmain.h"

#include "main/recentfilesmenu.h"
#include "platform/resstrings.h"
#include "platform/settingsfile.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

void TFrmMainWin::CreateRecentFilesMenu(QMenu& file)
{
    FRecentFiles = new TRecentFilesMenu(file, ActExit, SettingsFileName(), this);
    connect(FRecentFiles, &TRecentFilesMenu::Chosen, this, [this](const QString& fileName) {
        Guarded([this, &fileName] { ActFileOpenRecentExecute(fileName.toStdString()); });
    });
    connect(FRecentFiles->ActClear, &QAction::triggered, this, [this] { Guarded([this] { FRecentFiles->Clear(); }); });
}

void TFrmMainWin::ActFileOpenRecentExecute(const std::string& fileName)
{
    // Looked at before the questions: a plan that is gone costs neither a running exchange nor
    // the unsaved data. A folder is no plan either (as for the file named at start).
    if (!QFileInfo(QString::fromStdString(fileName)).isFile()) {
        AddMessage(mkError, FmtLoadStr(2, {fileName}));
        FRecentFiles->Remove(fileName);
        return;
    }
    if (!StopExchanges() || !SaveQuestion())
        return;
    OpenDocument(fileName);
}

void TFrmMainWin::RememberFile(const std::string& fileName)
{
    // The file has been read or written by now. A settings file that cannot take the list must
    // neither undo that nor stop the action under way (a save before closing, say): its error
    // is shown, and the menu lists the file all the same.
    try {
        FRecentFiles->Add(fileName);
    } catch (const std::exception& error) {
        ShowError(error);
    }
}
