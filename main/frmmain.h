#pragma once
// The main window: six device panels over one configuration document, the message log and the
// data-transfer log, the status bar with the error and warning counts, and every application-wide
// action (file, check, logs, language, help).
//
// The window is the document's message log: the file operations and the check write their
// findings through AddMessage, the check's findings about one field through AddFinding, which
// lets the user go from the line to the field. The document holds the six devices' parameters;
// each panel has its device's terminal, whose exchanges run on the terminal's worker and report
// to the window's logs, each line under its device.
//
// The implementation is spread over eight files: frmmain.cpp (window, logs, device count),
// frmmainactions.cpp (actions, menus, tool bar, update handlers), frmmainfile.cpp (the file
// actions and their dialogs), frmmainrecent.cpp (the recent files of the "Datei" menu),
// frmmainexchanges.cpp (the devices' exchanges), frmmainverify.cpp (devices compared with the
// plan), frmmainfindings.cpp (from a finding to its field), frmmainnetwork.cpp (the network
// picture beside the panels, with the findings of the last check) and frmmainreport.cpp (the
// report: print, preview, PDF).

#include "device/devexchange.h"
#include "documents/kovdocument.h"
#include "documents/messagelist.h"
#include "documents/networkplan.h"
#include "documents/msgkind.h"
#include "options/frmoptionsdlg.h"
#include "options/useroptions.h"
#include "platform/languagesetting.h"
#include "report/reportinput.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>

#include <array>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QComboBox;
class QDialog;
class QDockWidget;
class QFrame;
class QMenu;
class QScrollArea;
class QSplitter;
class QTabWidget;
class QToolBar;
class QWidget;
class TDlgPressReset;
class TFrameDev;
class TFrmDevMemo;
class TKovTerminal;
class TLogView;
class TMainStatusBar;
class TNetworkView;
class TRecentFilesMenu;

class TFrmMainWin : public QMainWindow, public TMessageLog {
    Q_OBJECT
public:
    static constexpr int DeviceCount = TKovDocument::MaxDevices;

    explicit TFrmMainWin(QWidget* parent = nullptr);
    ~TFrmMainWin() override;

    // The program's single dialogs, created after the window; every panel opens them.
    void SetDialogs(TDlgPressReset* pressReset, TFrmDevMemo* memo);
    // The about box that ActInfo shows.
    void SetAboutBox(QDialog* aboutBox) { FAboutBox = aboutBox; }
    // The options dialog, the store of the user settings: ActOptions opens it, the window
    // applies its settings when shown and after every OK, and the panels' connects ask it which
    // device a COM name reaches. Without one the defaults apply.
    void SetOptionsDialog(TDlgOptions* dialog);

    TKovDocument& Document() { return *FDocument; }
    const TKovDocument& Document() const { return *FDocument; }
    const std::array<TFrameDev*, DeviceCount>& Devices() const { return FDevices; }

    // ---- message log (TMessageLog) ------------------------------------------------
    // Empties the message log and its four counters.
    void Clear() override;
    // Appends one line coloured and weighted by its kind and counts it; a kind outside the
    // four is an information line.
    void AddMessage(tMsgKind kind, const std::string& text) override;
    // The line as AddMessage writes it; the log keeps where it leads.
    void AddFinding(tMsgKind kind, const std::string& text, const TFindingPlace& place) override;
    int InfoCount() const { return FInfoCount; }
    int WarningCount() const { return FWarningCount; }
    int ErrorCount() const { return FErrorCount; }
    int HeadingCount() const { return FHeadingCount; }

    // ---- document -------------------------------------------------------------------
    // Shows the first count panels (limited to 1..6) and selects the count in the tool bar.
    void SetDeviceCount(int count);
    // All six devices cleared with their default names, their partner lists emptied.
    void ClearAll();
    bool IsModified() const { return FDocument->IsModified(); }
    void SetModified(bool modified) { FDocument->SetModified(modified); }
    const std::string& FileName() const { return FDocument->FileName(); }
    // Title, every panel's view, the status bar.
    void RefreshView();
    // Time-out and fast transfers to the panels' engines, colours to the panels, font to the
    // message log.
    void ApplyOptions(const TUserOptions& options = TUserOptions());
    // The first panel holding the input focus, or none.
    TFrameDev* GetSelectedDevice() const;
    // Options applied (the options dialog's, else the last applied), the file named as first
    // argument (arguments[1]) opened, title built.
    // Runs by itself when the window is first shown, with the program's arguments.
    void FormShow(const QStringList& arguments);

    // Reads a file into the devices and puts it at the top of the recent files; a failed open
    // changes nothing and passes its error on.
    virtual void InternalOpen(const std::string& fileName);
    void InternalSave(const std::string& fileName);

    // The window's title without a file: "TALV-Configurator" and the version label.
    QString BaseTitle() const;

    // ---- actions ----------------------------------------------------------------------
    QAction* ActFileNew = nullptr;
    QAction* ActFileOpen = nullptr;
    QAction* ActFileSave = nullptr;
    QAction* ActFileSaveAs = nullptr;
    QAction* ActFileClose = nullptr;
    QAction* ActPrint = nullptr;
    QAction* ActPrintPreview = nullptr;
    QAction* ActExportPdf = nullptr;
    QAction* ActSendMail = nullptr;
    QAction* ActExit = nullptr;
    QAction* ActOptions = nullptr;
    QAction* ActLogShow = nullptr;
    QAction* ActLogHide = nullptr;
    QAction* ActMsgLogClear = nullptr;
    QAction* ActComLogClear = nullptr;
    QAction* ActCheck = nullptr;
    QAction* ActLanguageGerman = nullptr;
    QAction* ActLanguageEnglish = nullptr;
    QAction* ActHelp = nullptr;
    QAction* ActHelpDemoConfig = nullptr;
    QAction* ActInfo = nullptr;

    // The "Gerät" menu: follows the actions of the selected panel.
    QAction* MIDevConnect = nullptr;
    QAction* MIDevRequestConfigMode = nullptr;
    QAction* MIDevReceiveConfiguration = nullptr;
    QAction* MIDevSendConfiguration = nullptr;
    QAction* MIDevGo = nullptr;
    QAction* MIDevCompare = nullptr;
    // The "Alle" items: one exchange on every shown device whose state allows it, in parallel.
    QAction* ActAllConnect = nullptr;
    QAction* ActAllReceive = nullptr;
    QAction* ActAllSend = nullptr;
    QAction* ActAllGo = nullptr;
    // Compares every shown device that is ready with the plan, in parallel.
    QAction* ActVerifyInstallation = nullptr;
    // The network picture: shown or hidden (in step with the dock's close button), and written
    // to a file from its context menu.
    QAction* ActNetworkShow = nullptr;
    QAction* ActNetworkExportPng = nullptr;
    QAction* ActNetworkExportSvg = nullptr;

    // ---- controls ------------------------------------------------------------------------
    QToolBar* TlBarFile = nullptr;
    QComboBox* CmbBxDevCount = nullptr;
    QScrollArea* ScrollBoxData = nullptr;
    QSplitter* Splitter = nullptr;
    QFrame* PnlLog = nullptr;
    QTabWidget* PgCtrlLog = nullptr;
    QWidget* TbShtMsgLog = nullptr;
    QWidget* TbShtComLog = nullptr;
    TLogView* MsgLog = nullptr;
    TLogView* ComLog = nullptr;
    QMenu* PpMenuLog = nullptr;
    TMainStatusBar* StatusBar = nullptr;
    QDockWidget* DockNetwork = nullptr;
    TNetworkView* NetworkView = nullptr;
    QMenu* PpMenuNetwork = nullptr;

    // ---- handlers (public so that tests drive them like the user) --------------------------
    void ActFileNewExecute();
    void ActFileOpenExecute();
    // A recent file chosen: opened as Open does after its dialog. A file that is gone is taken
    // off the list and reported in the message log, and nothing else changes.
    void ActFileOpenRecentExecute(const std::string& fileName);
    // True when the document was written.
    bool ActFileSaveExecute();
    void ActFileSaveAsExecute();
    // Writes the document into fileName, which becomes its file and the newest recent file; a
    // failure is shown and false.
    bool SaveDocumentAs(const std::string& fileName);
    void ActFileCloseExecute();
    void ActMsgLogClearExecute();
    void ActComLogClearExecute();
    void ActLogShowExecute();
    void ActLogHideExecute();
    void ActCheckExecute();
    void ActInfoExecute();
    // Shows the options dialog; OK applies its settings.
    void ActOptionsExecute();
    void ActExitExecute();
    // Stores the language of sender (tag 1031 German, any other English) and offers to end the
    // program, since the texts change only at the next start. A setting that cannot be stored
    // raises EOSError or Exception and changes nothing.
    void ActLanguageGermanExecute(const QAction* sender);
    // Checks and disables the action of the stored language, enables the other and selects the
    // help file of that language.
    void ActLanguageGermanUpdate();
    void CmbBxDevCountChange(int index);
    // Binds the "Gerät" menu items to the selected panel's actions.
    void ActionListUpdate();
    // Starts kind on every shown panel that can run it. Two of them on one COM port raise
    // Exception naming both, and nothing starts. Each device's result goes to the message log
    // when it is done, the summary after the last one.
    void RunOnAllDevices(tDevExchange kind);
    // Compares every shown device that is connected and in configuration mode with the plan,
    // all at once, and lists each device's differences in the message log, then a summary;
    // the devices not ready are named as skipped. The plan does not change.
    void ActVerifyInstallationExecute();
    // The picture asks for a file name and is written there; a failed write raises Exception
    // naming the file and leaves no file behind.
    void ActNetworkExportPngExecute();
    void ActNetworkExportSvgExecute();
    // The report of the plan (TReport): printed after the print dialog, shown in a preview,
    // or written to the PDF file the user chooses.
    void ActPrintExecute();
    void ActPrintPreviewExecute();
    void ActExportPdfExecute();
    // What the report is made of now, with each device's latest comparison since the plan was
    // opened.
    TReportInput ReportInput() const;

    // Where the open dialog starts: "Samples" in the current directory, else the installed
    // samples, else the current directory. The save dialog starts where the user can write
    // (TFileDialogFolders).
    static QString SamplesFolder();

protected:
    // The dialogs of the file actions; tests replace them. An empty name means cancelled.
    virtual QString ChooseOpenFile();
    virtual QString ChooseSaveFile(const QString& title);
    // The save question: QMessageBox::Yes, No or Cancel.
    virtual QMessageBox::StandardButton AskSave();
    // The question after a language change: QMessageBox::Yes ends the program.
    virtual QMessageBox::StandardButton AskLanguageRestart(const QString& text, const QString& caption);
    // Whether to give up the exchanges still running (the text names their devices):
    // QMessageBox::Yes or No.
    virtual QMessageBox::StandardButton AskStopExchanges(const QString& text);
    // Shows an error of an action as the application's error display does.
    virtual void ShowError(const std::exception& error);
    // The file an export (report or picture) writes, offered beside the plan under the plan's
    // name with suffix; empty when cancelled.
    virtual QString ChooseExportFile(const QString& title, const QString& filter, const QString& suffix);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void CreateDevicePanels(QWidget* box);
    void CreateLogPanel();
    // A line of the message log was double-clicked or entered: a finding about a shown device
    // puts the focus into its field and marks the field in the line's colour. Any other line
    // does nothing.
    void MsgLogLineActivated(int line);
    // Takes the marks of followed findings off every panel.
    void ClearFindingMarks();
    void BindDocument();
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void AddUpdateHandlers();
    QAction* NewAction(const char* name, const QString& caption, const QString& hint, int image = -1);
    // Runs an action's handler; an error it raises is shown and the window goes on.
    void Guarded(const std::function<void()>& handler);

    // The save question of New, Open, Close and closing: true when the action may go on
    // (nothing unsaved, "No", or "Yes" and the save succeeded).
    bool SaveQuestion();
    // Whether the window may close; asks the save question.
    bool FormCloseQuery();
    // The open after the questions: a file that cannot be read is shown and changes nothing.
    void OpenDocument(const std::string& fileName);
    void CreateRecentFilesMenu(QMenu& file);
    // The file was read or written: it becomes the newest recent file.
    void RememberFile(const std::string& fileName);

    void ComLogSend(int device, const TKovTerminal& sender);
    void ComLogReceived(int device, const TKovTerminal& sender);
    // An engine reports progress: draw the logs and panels now. An exchange on the worker
    // leaves the event loop running anyway; one run on the GUI thread itself blocks it until
    // the exchange ends.
    void TerminalUpdateView();
    void ShowCounts();
    void CreateAllDevicesActions();
    std::vector<TFrameDev*> PanelsFor(tDevExchange kind) const;
    static QString AllDoneText(tDevExchange kind);
    void PanelExchangeFinished(TFrameDev* panel, tDevExchange kind, const QString& error);
    void NoteAllDevicesResult(TFrameDev* panel, const QString& error);
    void CreateVerifyAction();
    void CreateReportActions();
    // A compare read its device: the panel's own compare gets one line, a device of the
    // installation's verification a line per difference.
    void PanelCompared(TFrameDev* panel);
    void NoteVerifyResult(TFrameDev* panel, const QString& error);
    int DeviceIndexOf(const TFrameDev* panel) const;
    // The status bar names every exchange running and its step.
    void ShowExchanges();
    // Before the window gives up the devices from index fromDevice on (closing, New, Open,
    // Close, fewer devices, new options): true when no exchange runs on them, or the user agreed
    // to cancel the running ones, which are then stopped.
    bool StopExchanges(int fromDevice = 0);
    // Empties every panel's partner-number lists when the document's devices are replaced; the
    // marks of findings and the comparisons of the devices before go with them.
    void ClearPartnerLists();

    // ---- network picture (frmmainnetwork.cpp) ----------------------------------------------
    void CreateNetworkDock();
    void CreateNetworkActions();
    // Draws the shown devices anew, marked with the findings of the last check; called on every
    // change of the plan, which is small enough to lay out at each keystroke.
    void ShowNetwork();
    // The findings belong to the devices of the plan that is being replaced.
    void ForgetCheckFindings();
    // A click on a device box activates its panel; one on a link puts the focus into the partner
    // number that made it.
    void NetworkDeviceClicked(int device);
    void NetworkLinkClicked(TLineRef line);

    std::unique_ptr<TKovDocument> FDocument;
    std::array<TFrameDev*, DeviceCount> FDevices{};
    TUserOptions FOptions;
    QPointer<QDialog> FAboutBox;
    QPointer<TDlgOptions> FDlgOptions;
    QActionGroup* FLanguageGroup = nullptr;
    TLanguageReader FLanguageReader;
    std::array<QPointer<QAction>, 6> FBoundDevActions;
    // The "Alle" actions under way: the panels still running each and its failures so far.
    struct TAllRun {
        tDevExchange Kind;
        std::vector<TFrameDev*> Pending;
        int Total = 0;
        QStringList Failures;
    };
    std::vector<TAllRun> FAllRuns;
    // The verification of the installation under way: the panels still comparing, and the
    // tally for its summary.
    struct TVerifyRun {
        std::vector<TFrameDev*> Pending;
        int Total = 0;
        int Agreeing = 0;
        int Differing = 0;
        int Skipped = 0;
        int Failed = 0;
    };
    std::optional<TVerifyRun> FVerifyRun;
    // The latest comparison of each device with the plan, for the report; forgotten with the
    // plan's devices (ClearPartnerLists).
    TDeviceComparisons FComparisons;
    bool FFormShown = false;
    TRecentFilesMenu* FRecentFiles = nullptr;
    // The findings of the last check, kept for the marks of the network picture; they name
    // devices and fields, so they still fit after edits.
    TMessageList FCheckFindings;

    int FInfoCount = 0;
    int FWarningCount = 0;
    int FErrorCount = 0;
    int FHeadingCount = 0;
};
