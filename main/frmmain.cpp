#include "main/frmmain.h"

#include "device/framedevice.h"
#include "main/logview.h"
#include "main/mainstatusbar.h"
#include "main/versionlabel.h"
#include "platform/gui/application.h"
#include "platform/resstrings.h"
#include "terminal/kovterminal.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QShowEvent>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int PanelWidth = 329;
constexpr int PanelHeight = 242;
constexpr std::array<int, 3> PanelLefts = {4, 337, 670};
constexpr std::array<int, 2> PanelTops = {4, 251};
constexpr int LogPanelHeight = 121;

QString FromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

TFrmMainWin::TFrmMainWin(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("FrmMainWin");
    resize(1016, 729);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    CreateControls();
    CreateNetworkDock();
    // The document writes to this window's message log, so it comes after the logs.
    FDocument = std::make_unique<TKovDocument>(*this);
    BindDocument();
    CreateActions();
    CreateAllDevicesActions();
    CreateVerifyAction();
    CreateNetworkActions();
    CreateMenus();
    CreateToolBar();
    AddUpdateHandlers();

    // The panels show what the parameters hold; checking their DIAL/ACCEPT buttons for that
    // counts as an edit, which a fresh document must not start with.
    for (TFrameDev* panel : FDevices)
        panel->UpdateView();
    SetModified(false);

    SetDeviceCount(1);
    ActMsgLogClearExecute();
    ActComLogClearExecute();
    setWindowTitle(BaseTitle());
    ShowNetwork();
    FDevices[0]->setFocus();
}

TFrmMainWin::~TFrmMainWin()
{
    // The workers, request threads and reply timers call into the panels' engines, and the
    // engines call into this window: stop every thread and close every port while all of them
    // still exist, then cut the engines' way back into the window.
    for (TFrameDev* panel : FDevices) {
        TKovTerminal& terminal = *panel->Terminal();
        terminal.StopExchange();
        terminal.StopRequestConfigMode();
        terminal.Close();
        terminal.OnLogSend = nullptr;
        terminal.OnLogReceived = nullptr;
        terminal.OnUpdateView = nullptr;
    }
    // The panels show the document's states; they (and their engines) go before the document
    // does.
    delete takeCentralWidget();
    FDevices.fill(nullptr);
    FDocument.reset();
}

// ---- construction ------------------------------------------------------------------------

void TFrmMainWin::CreateControls()
{
    Splitter = new QSplitter(Qt::Vertical, this);
    Splitter->setObjectName("Splitter");
    Splitter->setHandleWidth(6);
    Splitter->setChildrenCollapsible(false);
    Splitter->setOpaqueResize(true);

    ScrollBoxData = new QScrollArea(Splitter);
    ScrollBoxData->setObjectName("ScrollBoxData");
    ScrollBoxData->setMinimumHeight(110);
    auto* box = new QWidget;
    box->setObjectName("ScrollBoxDataContents");
    box->setAutoFillBackground(true);
    QPalette white = box->palette();
    white.setColor(QPalette::Window, Qt::white);
    box->setPalette(white);
    CreateDevicePanels(box);
    ScrollBoxData->setWidget(box);
    ScrollBoxData->setBackgroundRole(QPalette::Base);

    CreateLogPanel();

    Splitter->addWidget(ScrollBoxData);
    Splitter->addWidget(PnlLog);
    Splitter->setStretchFactor(0, 1);
    Splitter->setStretchFactor(1, 0);
    Splitter->setSizes({height() - LogPanelHeight, LogPanelHeight});
    setCentralWidget(Splitter);

    StatusBar = new TMainStatusBar(this);
    StatusBar->setObjectName("StatusBar");
    setStatusBar(StatusBar);
}

void TFrmMainWin::CreateDevicePanels(QWidget* box)
{
    for (int i = 0; i < DeviceCount; ++i) {
        auto* panel = new TFrameDev(box);
        panel->setObjectName(QString("FrameDev%1").arg(i + 1));
        panel->setGeometry(PanelLefts[i % 3], PanelTops[i / 3], PanelWidth, PanelHeight);
        FDevices[i] = panel;
    }
    box->setFixedSize(PanelLefts[2] + PanelWidth + 4, PanelTops[1] + PanelHeight + 4);
}

void TFrmMainWin::CreateLogPanel()
{
    PnlLog = new QFrame(Splitter);
    PnlLog->setObjectName("PnlLog");
    PnlLog->setFrameStyle(QFrame::Box | QFrame::Plain);
    PnlLog->setMinimumHeight(110);
    auto* layout = new QVBoxLayout(PnlLog);
    layout->setContentsMargins(1, 1, 1, 1);

    PgCtrlLog = new QTabWidget(PnlLog);
    PgCtrlLog->setObjectName("PgCtrlLog");
    layout->addWidget(PgCtrlLog);

    const auto page = [this](const char* name, const QString& caption, TLogView*& log, const char* logName) {
        auto* sheet = new QWidget;
        sheet->setObjectName(name);
        auto* sheetLayout = new QVBoxLayout(sheet);
        sheetLayout->setContentsMargins(0, 0, 0, 0);
        log = new TLogView(sheet);
        log->setObjectName(logName);
        sheetLayout->addWidget(log);
        PgCtrlLog->addTab(sheet, caption);
        return sheet;
    };
    TbShtMsgLog = page("TbShtMsgLog", tr("Meldungen"), MsgLog, "MsgLog");
    TbShtComLog = page("TbShtComLog", tr("Datentransfer"), ComLog, "ComLog");
    connect(MsgLog, &TLogView::LineActivated, this, &TFrmMainWin::MsgLogLineActivated);

    QFont courier("Courier New", 8, QFont::Bold);
    courier.setStyleHint(QFont::TypeWriter);
    ComLog->setFont(courier);
    ComLog->document()->setDefaultFont(courier);
}

void TFrmMainWin::BindDocument()
{
    for (int i = 0; i < DeviceCount; ++i) {
        TKovTerminal& terminal = *FDevices[i]->Terminal();
        // The engines fire these on the GUI thread, also for an exchange on a worker.
        terminal.OnLogSend = [this, i](TKovTerminal& sender) { ComLogSend(i, sender); };
        terminal.OnLogReceived = [this, i](TKovTerminal& sender) { ComLogReceived(i, sender); };
        terminal.OnUpdateView = [this](TKovTerminal&) { TerminalUpdateView(); };
        FDevices[i]->SetState(&FDocument->Panel(i));
        FDevices[i]->SetFrameList(&FDevices);
        // The "Gerät" menu follows the user's hand at once, not only at the next idle pass: a
        // click on a panel's device button enters the panel just before the button's action.
        // The panels see a focus move in their own order, so the panel left is either no longer
        // active or comes after the one entered.
        connect(FDevices[i], &TFrameDev::Entered, this, &TFrmMainWin::ActionListUpdate);
    }
}

void TFrmMainWin::SetOptionsDialog(TDlgOptions* dialog)
{
    FDlgOptions = dialog;
    for (TFrameDev* panel : FDevices) {
        if (!dialog) {
            panel->SetPortResolver(nullptr);
            continue;
        }
        panel->SetPortResolver([this](tCOMPorts port) {
            return FDlgOptions ? FDlgOptions->Options().Ports.Path(port) : TslPortMap::DefaultPath(port);
        });
    }
}

void TFrmMainWin::SetDialogs(TDlgPressReset* pressReset, TFrmDevMemo* memo)
{
    for (TFrameDev* panel : FDevices)
        panel->SetDialogs(pressReset, memo);
}

// ---- message log and data-transfer log ---------------------------------------------------

void TFrmMainWin::Clear()
{
    FInfoCount = 0;
    FWarningCount = 0;
    FErrorCount = 0;
    FHeadingCount = 0;
    MsgLog->clear();
    ShowCounts();
}

void TFrmMainWin::AddMessage(tMsgKind kind, const std::string& text)
{
    // Family and size are the log's own (the memo font); the kind decides colour and weight.
    QTextCharFormat format;
    switch (kind) {
    case mkWarning:
        format.setForeground(QColor(0, 0, 255));
        format.setFontWeight(QFont::Bold);
        ++FWarningCount;
        break;
    case mkError:
        format.setForeground(QColor(255, 0, 0));
        format.setFontWeight(QFont::Bold);
        ++FErrorCount;
        break;
    case mkHeading:
        format.setForeground(QColor(0, 0, 0));
        format.setFontWeight(QFont::Bold);
        ++FHeadingCount;
        break;
    case mkInfo:
    default:
        format.setForeground(QColor(0, 0, 0));
        format.setFontWeight(QFont::Normal);
        ++FInfoCount;
        break;
    }
    MsgLog->AppendLine(FromStd(text), format);
    ShowCounts();
}

void TFrmMainWin::ShowCounts()
{
    StatusBar->SetCounts(FErrorCount, FWarningCount);
    StatusBar->update();
}

void TFrmMainWin::ActMsgLogClearExecute()
{
    Clear();
}

void TFrmMainWin::ActComLogClearExecute()
{
    ComLog->clear();
}

// Devices may talk at the same time: each line says whose it is.
void TFrmMainWin::ComLogSend(int device, const TKovTerminal& sender)
{
    ComLog->AppendLine(FromStd(FDocument->Parameters(device).GetKovName()) + ": TALV <= " +
                       FromStd(sender.SentString()));
}

void TFrmMainWin::ComLogReceived(int device, const TKovTerminal& sender)
{
    ComLog->AppendLine(FromStd(FDocument->Parameters(device).GetKovName()) + ": TALV => " +
                       FromStd(sender.ReceivedString()));
}

void TFrmMainWin::TerminalUpdateView()
{
    // repaint() draws at once and processes no other event, so nothing can re-enter the
    // exchange that is running.
    ComLog->viewport()->repaint();
    MsgLog->viewport()->repaint();
    for (TFrameDev* panel : FDevices)
        if (panel->isVisible())
            panel->repaint();
    StatusBar->repaint();
}

void TFrmMainWin::ActLogShowExecute()
{
    // The action toggles its checked state itself before this runs.
    PnlLog->setVisible(ActLogShow->isChecked());
}

void TFrmMainWin::ActLogHideExecute()
{
    PnlLog->hide();
}

// ---- devices -------------------------------------------------------------------------------

void TFrmMainWin::SetDeviceCount(int count)
{
    FDocument->SetDeviceCount(count);
    const int shown = FDocument->DeviceCount();
    // Only a choice of the user marks the document changed (activated), not this selection.
    CmbBxDevCount->setCurrentIndex(shown - 1);
    for (int i = 0; i < DeviceCount; ++i)
        FDevices[i]->setVisible(i < shown);
    ShowNetwork();
}

void TFrmMainWin::CmbBxDevCountChange(int index)
{
    // The panels about to be hidden take part in nothing, a running exchange included.
    if (!StopExchanges(index + 1)) {
        const QSignalBlocker blocker(CmbBxDevCount);
        CmbBxDevCount->setCurrentIndex(FDocument->DeviceCount() - 1);
        return;
    }
    FDocument->DeviceCountChange(index + 1);
    SetDeviceCount(FDocument->DeviceCount());
    FDevices[0]->setFocus();
}

void TFrmMainWin::ClearAll()
{
    FDocument->ClearAll();
    // The panels show the cleared states as they are; the caller refreshes from the parameters
    // when it wants that.
    ClearPartnerLists();
}

void TFrmMainWin::ClearPartnerLists()
{
    for (TFrameDev* panel : FDevices)
        panel->ClearNumberLists();
    ClearFindingMarks();
    ForgetCheckFindings();
    ShowNetwork();
    FComparisons = {};
}

TFrameDev* TFrmMainWin::GetSelectedDevice() const
{
    for (TFrameDev* panel : FDevices)
        if (panel->Active())
            return panel;
    return nullptr;
}

// ---- view and options ------------------------------------------------------------------------

QString TFrmMainWin::BaseTitle() const
{
    return tr("TALV-Configurator") + " " + VersionLabel();
}

void TFrmMainWin::RefreshView()
{
    // The document may have changed the device count (a file read); show what it holds.
    SetDeviceCount(FDocument->DeviceCount());
    QString title = BaseTitle();
    if (!FileName().empty())
        title += " - " + FromStd(FileName());
    setWindowTitle(title);
    TApplication::SetTitle(title);
    for (TFrameDev* panel : FDevices)
        panel->UpdateView();
    StatusBar->update();
}

void TFrmMainWin::ApplyOptions(const TUserOptions& options)
{
    FOptions = options;
    for (TFrameDev* panel : FDevices) {
        panel->Terminal()->SetComTimeOut(options.ComTimeOut);
        panel->Terminal()->SetFastTransfer(options.FastTransfer);
    }
    for (int i = 0; i < DeviceCount; ++i) {
        FDevices[i]->SetColorMsn(0, options.ColorToMsn[i][0].color());
        FDevices[i]->SetColorMsn(1, options.ColorToMsn[i][1].color());
        FDevices[i]->SetActiveColor(options.ActiveDevicePen.color());
    }
    MsgLog->SetTextFont(options.MemoFont);
    ShowNetwork();
}

void TFrmMainWin::FormShow(const QStringList& arguments)
{
    FFormShown = true;
    ApplyOptions(FDlgOptions ? FDlgOptions->Options() : FOptions);
    if (arguments.size() > 1) {
        const QString file = arguments[1];
        // A folder is no plan: reading it would give an empty document called opened.
        if (QFileInfo(file).isFile())
            Guarded([&] { InternalOpen(file.toStdString()); });
        else
            AddMessage(mkError, FmtLoadStr(2, {file.toStdString()}));
    }
    Guarded([this] { RefreshView(); });
    // Nothing has been edited yet; refreshing the panels from a file just read is no edit.
    SetModified(false);
}

void TFrmMainWin::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!FFormShown && !event->spontaneous())
        FormShow(QCoreApplication::arguments());
}

// ---- errors ------------------------------------------------------------------------------------

void TFrmMainWin::Guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void TFrmMainWin::ShowError(const std::exception& error)
{
    TApplication::ShowException(error);
}
