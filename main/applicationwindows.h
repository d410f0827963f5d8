#pragma once
// The windows of the program, created once at start in a fixed order and living until the
// program ends: the main window first (it depends on no other window while it is made), then
// the comment dialog, the about box, the options dialog and the press-reset dialog. The
// desktop program and the start-up benchmark both make them here, so the benchmark measures
// what the program does.

#include "main/mainformstorage.h"

#include <memory>

class TAboutBox;
class TDlgOptions;
class TDlgPressReset;
class TFrmDevMemo;
class TFrmMainWin;

class TApplicationWindows {
public:
    // Needs the application object.
    TApplicationWindows();
    ~TApplicationWindows();
    TApplicationWindows(const TApplicationWindows&) = delete;
    TApplicationWindows& operator=(const TApplicationWindows&) = delete;

    // Restores the main window's placement from the settings, then shows it (its own show
    // handler opens the file named on the command line).
    void ShowMainWindow();
    // Writes the main window's placement; called once the event loop has ended, i.e. after the
    // close query allowed the close. Raises Exception when the settings cannot be written.
    void SaveMainWindow();

    TFrmMainWin& FrmMainWin() const { return *FFrmMainWin; }
    TFrmDevMemo& FrmDevMemo() const { return *FFrmDevMemo; }
    TAboutBox& AboutBox() const { return *FAboutBox; }
    TDlgOptions& DlgOptions() const { return *FDlgOptions; }
    TDlgPressReset& DlgPressReset() const { return *FDlgPressReset; }

private:
    TMainFormStorage FStorage;
    std::unique_ptr<TFrmDevMemo> FFrmDevMemo;
    std::unique_ptr<TAboutBox> FAboutBox;
    std::unique_ptr<TDlgOptions> FDlgOptions;
    std::unique_ptr<TDlgPressReset> FDlgPressReset;
    // Declared last, destroyed first: destroying the main window destroys the panels' engines,
    // which stop their request threads; those post to the press-reset dialog until they have ended.
    std::unique_ptr<TFrmMainWin> FFrmMainWin;
};

std::unique_ptr<TApplicationWindows> CreateApplicationWindows();
