#pragma once
// The panel through which the user edits, loads and starts one device. It shows a TFrameDevState
// (owned by the document) in its widgets and writes every user edit through it into the device's
// parameters; the rules themselves live in TFrameDevState, so the desktop program and talvctl make
// the same of a device. The panel owns the device's protocol engine, which works on a copy of the
// parameters handed to it before each exchange.

#include "device/devexchange.h"
#include "device/framedevcontrols.h"
#include "documents/plancompare.h"
#include "documents/findingplace.h"
#include "slutil/slcomport.h"
#include "terminal/kovparameters.h"

#include <QColor>
#include <QFrame>
#include <QPointer>

#include <array>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class TDlgPressReset;
class TFrmDevMemo;
class TFrameDevState;
class TIniFile;
class TKovTerminal;

class TFrameDev : public QFrame {
    Q_OBJECT
public:
    explicit TFrameDev(QWidget* parent = nullptr);
    ~TFrameDev() override;

    // The state this panel shows, bound to the device's parameters. Until one is bound (and after
    // binding none) the panel shows a state of its own, bound to no parameters: then the user's
    // edits and the panel's actions do nothing.
    void SetState(TFrameDevState* state);
    TFrameDevState* State() const { return FState; }
    // The panel's protocol engine, there for as long as the panel.
    TKovTerminal* Terminal() const { return FTerminal.get(); }

    // All six panels in order, for the partner-number lists.
    void SetFrameList(const std::array<TFrameDev*, 6>* frameList) { FFrameList = frameList; }
    // The dialogs the panel opens (single instances of the program).
    void SetDialogs(TDlgPressReset* pressReset, TFrmDevMemo* memo);

    // Refreshes every control from the parameters. A mode or protocol the panel cannot show
    // raises ERangeError after the earlier controls were refreshed.
    void UpdateView();
    // Shows the state in the widgets as it stands, without asking the parameters: after the
    // document changed the state itself (opening, clearing all devices).
    void ShowState();
    void ActClearExecute();
    // Empties both partner-number lists, which the next entry into a field builds anew; the
    // fields go on showing the state's numbers. For a document that is replaced, so that no
    // list offers (or selects by its position) a number of the one before.
    void ClearNumberLists();

    bool Modified() const;
    void SetModified(bool modified);
    bool Active() const { return FActive; }
    void SetColorMsn(int index, const QColor& colour);
    QColor ColorMsn(int index) const;
    void SetActiveColor(const QColor& colour);
    QColor ActiveColor() const { return FActiveColor; }
    // Where a COM name leads, asked at each connect so that a changed choice counts from the
    // next connect on. A path set on the engine directly is kept.
    using TPortResolver = std::function<std::string(tCOMPorts)>;
    void SetPortResolver(TPortResolver resolver) { FPortResolver = std::move(resolver); }
    // The colour of the margin now: the active-device colour while active, else grey.
    QColor MarginColor() const;

    // The panel's share of the configuration file; see TFrameDevState. Loading refreshes the
    // view and returns a "COMPort" value outside 1..4 that was replaced by COM1.
    void SaveConfiguration(TIniFile& ini, const std::string& section);
    std::optional<int> LoadConfiguration(TIniFile& ini, const std::string& section);
    static void EraseConfiguration(TIniFile& ini, const std::string& section);

    // The five device actions the main window's "Gerät" menu binds to.
    QAction* ActDevConnect = nullptr;
    QAction* ActDevDisconnect = nullptr;
    QAction* ActDevRequestConfigMode = nullptr;
    QAction* ActDevReceiveConfiguration = nullptr;
    QAction* ActDevSendConfiguration = nullptr;
    QAction* ActDevGo = nullptr;
    QAction* ActDevCompare = nullptr;
    QAction* ActClear = nullptr;
    QAction* ActMemo = nullptr;

    // ---- exchanges with the device, on the terminal's worker ------------------------------
    // Whether kind may start now: connect on a closed port, the others in configuration mode,
    // and never while an exchange runs.
    bool CanStartExchange(tDevExchange kind) const;
    // Starts kind and returns at once; false when it may not start now. The result reaches the
    // panel (and ExchangeFinished) on this thread. quiet: a failure is not shown in a box, only
    // reported through ExchangeFinished, for the actions that run on every device at once.
    bool StartExchange(tDevExchange kind, bool quiet = false);
    bool ExchangeRunning() const;
    // The running exchange ends after its current reply; the panel shows where.
    void CancelExchange();
    // Ends the running exchange and waits for it; nothing of it reaches the panel afterwards.
    void StopExchange();
    // What runs, with its step ("Empfange Parameter: Schritt 2 von 6"); empty when nothing does.
    QString ExchangeText() const;
    static QString ExchangeCaption(tDevExchange kind);
    // The device file a connect opens (or the connection uses): a path set on the terminal by
    // someone else, else where the resolver leads the chosen COM name.
    std::string PortPath() const;

    // ---- the device compared with the plan -----------------------------------------------
    // The plan beside what the last compare read from the device; the compare itself does not
    // touch the plan.
    std::vector<TValueComparison> CompareRows() const;
    // Takes the device's value (or all six, for none) into the plan, under the rules a receive
    // obeys; the panel counts as modified.
    void TakeComparedValue(std::optional<tDeviceValue> value);

    // The picture number an action or BitBtnMemo shows now (its index in TFrmRes), -1 for none.
    static int ImageIndex(const QObject* actionOrButton);

    // ---- findings of the check (framedevfindings.cpp) ---------------------------------------
    // Puts the input focus into field, which makes the panel the active device, and marks the
    // field in colour (an invalid colour marks nothing) until the user edits it or the marks are
    // cleared; several fields may be marked at once. A field that takes no input now (the numbers of a leased line) leaves the
    // focus to the protocol box, which says why; while an exchange hides that box, to the panel.
    // None does nothing.
    void ShowFinding(tFindingField field, const QColor& colour);
    void ClearFindingMarks();
    // The colour field is marked in; invalid when it is not marked.
    QColor FindingMark(tFindingField field) const;

signals:
    // The panel received the input focus (it is the active device now).
    void Entered(TFrameDev* panel);
    // An exchange started, went a step further or was stopped.
    void ExchangeChanged(TFrameDev* panel);
    // An exchange ended; error is empty on success, else its message (a cancel's included).
    void ExchangeFinished(TFrameDev* panel, tDevExchange kind, const QString& error);
    // A compare read the device's values (CompareRows); emitted before ExchangeFinished and
    // before the compare dialog opens.
    void Compared(TFrameDev* panel);
    // The device's values in the plan changed: the user edited a field, cleared the device or
    // took values from the device (a receive, a compare).
    void Edited(TFrameDev* panel);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

    bool FActive = false;
    TFrameDevState* FState = nullptr;
    const std::array<TFrameDev*, 6>* FFrameList = nullptr;

private:
    void CreateActions();
    void ConnectControls();
    void SetUpExchanges();
    void ShowExchangeRunning(bool running);
    void ShowProtocolRow();
    void ExchangeDone(tDevExchange kind, bool quiet, std::exception_ptr error);

    // ---- handlers -------------------------------------------------------------------
    void BtnNameClick();
    void CmbBxComPortChange(int index);
    void CmbBxIsdnDChannelProtocolChange(int index);
    void EdMsnChange(int line);
    void CmbBxNumberEnter(int line);
    void CmbBxNumberChange(int line, const QString& text);
    void RdBtnClick(int line, bool dial);
    void FocusChanged(QWidget* old, QWidget* now);
    void FrameEnter();
    void FrameExit();

    // ---- actions ------------------------------------------------------------------
    void ActDevConnectExecute();
    void ActDevDisconnectExecute();
    void ActDevRequestConfigModeExecute();
    void ActDevReceiveConfigurationExecute();
    void ActDevSendConfigurationExecute();
    void ActDevGoExecute();
    void ActDevCompareExecute();
    // The rows of plan and device side by side; the user may take values or send the plan.
    void ShowCompareDialog();
    void ActMemoExecute();
    void ActDevConnectUpdate();
    void ActDevConfigModeUpdate();
    void ActMemoUpdate();

    // The standard error box of the device actions.
    void ShowError(const std::exception& error);
    // The engine's copy of the bound parameters before an exchange, and what a receive (or the
    // replies to a send) brought back into them after it, whether it ended well or not.
    void HandParametersToTerminal();
    void TakeDeviceValues();
    void SetMsnText(int line, const QString& text);
    void SetNumberText(int line, const QString& text);
    void ShowNumbersEnabled(bool enabled);
    // The user edited field: its mark has served its purpose.
    void ClearFindingMark(tFindingField field);
    // The controls that show field (both buttons of a direction), and the one that takes the
    // focus for it (the checked button).
    std::vector<QWidget*> FindingControls(tFindingField field) const;
    QWidget* FindingFocus(tFindingField field) const;

    TFrameDevControls C;
    std::unique_ptr<TFrameDevState> FOwnState;
    const std::unique_ptr<TKovTerminal> FTerminal;
    TDlgPressReset* FDlgPressReset = nullptr;
    TFrmDevMemo* FFrmDevMemo = nullptr;
    std::array<QColor, 2> FColorMsn{QColor(Qt::black), QColor(Qt::black)};
    QColor FActiveColor{0, 0, 255};
    TPortResolver FPortResolver;
    // The path the resolver gave at the last connect; an engine path that differs from it was
    // set by someone else.
    std::string FResolvedPath;
    // The text each own-number field had after its last accepted change: what a refused change
    // returns to.
    std::array<QString, 2> FMsnShown;
    // The exchange running, or the last one, and where the keyboard was before it began.
    tDevExchange FExchange = tDevExchange::Connect;
    QPointer<QWidget> FFocusBeforeExchange;
    TKovParameters FComparedDevice;
    // The picture BitBtnMemo shows; -1 before the first update.
    int FMemoImage = -1;
    // The fields marked by followed findings, with their colours.
    std::map<tFindingField, QColor> FFindingMarks;
};
