// The main window's file actions: New, Open, Save, Save as, Close, the question for unsaved data
// and the close query. Reading and writing are the document's; this file adds the dialogs and
// decides when an action goes on.
//
// Where the user said "Yes, save" and the save did not happen (dialog cancelled, file not
// writable), the action stops as if the user had cancelled: closing or replacing the document
// then would lose exactly the data the user wanted to keep.
#include "main/frmmain.h"

#include "device/framedevice.h"
#include "main/filedialogfolders.h"
#include "platform/datafolders.h"
#include "platform/resstrings.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

namespace {

QStringList FileFilters()
{
    return {QCoreApplication::translate("TFrmMainWin", "KOV-Configuration (*.kov)"),
            QCoreApplication::translate("TFrmMainWin", "Alle Dateien (*.*)")};
}

// Both file dialogs offer *.kov files, starting in folder; "" when cancelled.
QString ChosenFile(QFileDialog& dialog, const QString& folder)
{
    dialog.setNameFilters(FileFilters());
    dialog.setDefaultSuffix("kov");
    dialog.setDirectory(folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QString TFrmMainWin::SamplesFolder()
{
    const QDir local(QDir::current().filePath("Samples"));
    if (local.exists())
        return local.absolutePath();
    const std::string installed = FindDataFolder("samples");
    if (!installed.empty())
        return QDir(QString::fromStdString(installed)).absolutePath();
    return QDir::currentPath();
}

QString TFrmMainWin::ChooseOpenFile()
{
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return ChosenFile(dialog, SamplesFolder());
}

QString TFrmMainWin::ChooseSaveFile(const QString& title)
{
    QFileDialog dialog(this, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const TFileDialogFolders folders{QString::fromStdString(FileName()), SamplesFolder(), QDir::currentPath(),
                                     QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                                     QDir::homePath()};
    return ChosenFile(dialog, folders.SaveFolder());
}

QMessageBox::StandardButton TFrmMainWin::AskSave()
{
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(LoadStr(211)), QString::fromStdString(LoadStr(210)),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

bool TFrmMainWin::SaveQuestion()
{
    if (!IsModified())
        return true;
    switch (AskSave()) {
    case QMessageBox::Yes:
        return ActFileSaveExecute();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

void TFrmMainWin::InternalOpen(const std::string& fileName)
{
    FDocument->InternalOpen(fileName);
    // Only once the file was read: a failed open leaves the document, and so its lists, as
    // they were.
    ClearPartnerLists();
    SetDeviceCount(FDocument->DeviceCount());
    RememberFile(fileName);
}

void TFrmMainWin::InternalSave(const std::string& fileName)
{
    FDocument->InternalSave(fileName);
}

void TFrmMainWin::ActFileNewExecute()
{
    ActFileCloseExecute();
}

void TFrmMainWin::ActFileCloseExecute()
{
    if (!StopExchanges() || !SaveQuestion())
        return;
    FDocument->Close();
    ClearPartnerLists();
    RefreshView();
    SetModified(false);
}

void TFrmMainWin::ActFileOpenExecute()
{
    if (!StopExchanges() || !SaveQuestion())
        return;
    // A cancelled dialog leaves everything as it was, the modified state included: the panels
    // still hold the unsaved data.
    const QString chosen = ChooseOpenFile();
    if (chosen.isEmpty())
        return;
    OpenDocument(chosen.toStdString());
}

void TFrmMainWin::OpenDocument(const std::string& fileName)
{
    try {
        InternalOpen(fileName);
    } catch (const std::exception& error) {
        // The document refuses a file it cannot read as a whole, so it is unchanged.
        ShowError(error);
        return;
    }
    RefreshView();
    SetModified(false);
}

bool TFrmMainWin::ActFileSaveExecute()
{
    std::string fileName = FileName();
    if (fileName.empty()) {
        // Cancelled: nothing is written, and the data stays unsaved and says so.
        const QString chosen = ChooseSaveFile(QString::fromStdString(LoadStr(200)));
        if (chosen.isEmpty())
            return false;
        fileName = chosen.toStdString();
    }
    return SaveDocumentAs(fileName);
}

bool TFrmMainWin::SaveDocumentAs(const std::string& fileName)
{
    try {
        FDocument->SaveAs(fileName);
    } catch (const std::exception& error) {
        // The document keeps its file name and its modified flags.
        ShowError(error);
        return false;
    }
    RefreshView();
    SetModified(false);
    RememberFile(fileName);
    return true;
}

void TFrmMainWin::ActFileSaveAsExecute()
{
    const QString chosen = ChooseSaveFile(QString::fromStdString(LoadStr(201)));
    if (chosen.isEmpty())
        return;
    SaveDocumentAs(chosen.toStdString());
}

bool TFrmMainWin::FormCloseQuery()
{
    return StopExchanges() && SaveQuestion();
}

void TFrmMainWin::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    QMainWindow::closeEvent(event);
}
