#include "main/applicationwindows.h"

#include "device/frmmemodlg.h"
#include "device/frmpressresetdlg.h"
#include "main/frmaboutbox.h"
#include "main/frmmain.h"
#include "options/frmoptionsdlg.h"

#include <QDockWidget>
#include <QFrame>
#include <QTabWidget>

TApplicationWindows::TApplicationWindows()
{
    // The order of creation is the program's; the shared image list builds itself on first use.
    // The main window comes before the options dialog, so its engines start with 500 ms and
    // take the stored time-out when the window is first shown.
    FFrmMainWin = std::make_unique<TFrmMainWin>();
    FFrmDevMemo = std::make_unique<TFrmDevMemo>();
    FAboutBox = std::make_unique<TAboutBox>();
    FDlgOptions = std::make_unique<TDlgOptions>();
    FDlgPressReset = std::make_unique<TDlgPressReset>();
    FFrmMainWin->SetAboutBox(FAboutBox.get());
    FFrmMainWin->SetOptionsDialog(FDlgOptions.get());
    FFrmMainWin->SetDialogs(FDlgPressReset.get(), FFrmDevMemo.get());
}

TApplicationWindows::~TApplicationWindows() = default;

void TApplicationWindows::ShowMainWindow()
{
    FStorage.Restore(*FFrmMainWin, *FFrmMainWin->PgCtrlLog, *FFrmMainWin->PnlLog);
    FStorage.RestoreNetwork(*FFrmMainWin, *FFrmMainWin->DockNetwork);
    FFrmMainWin->show();
}

void TApplicationWindows::SaveMainWindow()
{
    FStorage.Save(*FFrmMainWin, *FFrmMainWin->PgCtrlLog, *FFrmMainWin->PnlLog);
    FStorage.SaveNetwork(*FFrmMainWin->DockNetwork);
}

std::unique_ptr<TApplicationWindows> CreateApplicationWindows()
{
    return std::make_unique<TApplicationWindows>();
}
