// The main window's actions, menus and tool bar, and the update handlers that work out their
// states whenever the user interface is idle.
#include "main/frmmain.h"

#include "device/framedevice.h"
#include "device/frmressource.h"
#include "device/hint.h"
#include "main/logview.h"
#include "platform/datafolders.h"
#include "platform/gui/actionupdates.h"
#include "platform/gui/application.h"
#include "platform/languagesetting.h"
#include "platform/resstrings.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QDialog>
#include <QDockWidget>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QToolBar>

namespace {

// Pictures of the shared image list.
// Without a fixed underlying type: the catalogue tool (lupdate) misreads "enum : int" and would
// lose the texts of the functions below.
enum {
    ImgFileNew = 0,
    ImgFileOpen = 1,
    ImgFileSave = 2,
    ImgFileSaveAs = 3,
    ImgFileClose = 4,
    ImgPrint = 5,
    ImgSendMail = 6,
    ImgExit = 7,
    ImgOptions = 8,
    ImgLogShow = 9,
    ImgLogHide = 10,
    ImgMsgLogClear = 11,
    ImgComLogClear = 12,
    ImgCheck = 13,
    ImgLanguageGerman = 14,
    ImgLanguageEnglish = 15,
    ImgHelp = 16,
    ImgHelpDemoConfig = 17,
    ImgInfo = 18,
};

// The language actions tell German from English by their tag, as the locale ids do.
constexpr int LanguageGermanTag = 1031;
constexpr int LanguageEnglishTag = 2057;

// The help context of the main window and its menus.
constexpr int MainWindowHelpContext = 10;

}  // namespace

QAction* TFrmMainWin::NewAction(const char* name, const QString& caption, const QString& hint, int image)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    if (!hint.isEmpty())
        SetHint(action, hint);
    if (image >= 0)
        action->setIcon(TFrmRes::Image(image));
    // Shortcuts work wherever the focus is in the window, also while the menu bar is closed.
    addAction(action);
    return action;
}

void TFrmMainWin::CreateActions()
{
    // File
    ActFileNew = NewAction("ActFileNew", tr("&Neu"), tr("Neue Datei|Neue Konfiguration bearbeiten."), ImgFileNew);
    ActFileNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    ActFileOpen = NewAction("ActFileOpen", tr("Ö&ffnen..."), tr("Datei öffnen...|Datei mit einer Konfiguration öffnen."),
                            ImgFileOpen);
    ActFileOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    ActFileSave = NewAction("ActFileSave", tr("&Speichern"),
                            tr("Datei speichern|Speichern der aktuellen Konfiguration in eine Datei."), ImgFileSave);
    ActFileSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    ActFileSave->setEnabled(false);
    ActFileSaveAs = NewAction("ActFileSaveAs", tr("Speichern &unter..."),
                              tr("Datei speichern unter...|Speichern der aktuellen Konfiguration in eine Datei "
                                 "unter einem anderen Namen."),
                              ImgFileSaveAs);
    ActFileSaveAs->setShortcut(QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_S));
    ActFileClose = NewAction("ActFileClose", tr("S&chliessen"),
                             tr("Datei schliessen|Schließt die aktuelle Konfigurationsdatei."), ImgFileClose);
    ActFileClose->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
    ActFileClose->setEnabled(false);
    ActPrint = NewAction("ActPrint", tr("&Drucken..."), tr("Drucken...|Druckt die Konfiguration aus."), ImgPrint);
    ActPrint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    CreateReportActions();
    // Sending by mail is not offered.
    ActSendMail = NewAction("ActSendMail", tr("&E-Mail senden..."),
                            tr("Sende E-Mail...|Sendet die aktuelle Konfiguration per E-Mail."), ImgSendMail);
    ActSendMail->setEnabled(false);
    ActSendMail->setVisible(false);
    ActExit = NewAction("ActExit", tr("&Beenden"), tr("TALV-Configurator beenden.|Beendet den TALV-Configurator."),
                        ImgExit);
    ActExit->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));

    // Extras
    ActOptions = NewAction("ActOptions", tr("&Optionen..."),
                           tr("Aufruf des Optionen-Dialogs|Ruft den Dialog mit den Einstellungsoptionen auf."),
                           ImgOptions);
    ActLogShow = NewAction("ActLogShow", tr("&Zeige Meldungen"),
                           tr("Meldungs-/Datentransferfenster ein-/ausblenden|Blendet das Meldungs- und "
                              "Datentransferfenster ein bzw. aus."),
                           ImgLogShow);
    ActLogShow->setCheckable(true);
    ActLogHide = NewAction("ActLogHide", tr("A&usblenden"),
                           tr("Meldungs-/Datentransferfenster ausblenden|Blendet das Meldungs- und "
                              "Datentransferfenster aus."),
                           ImgLogHide);
    ActMsgLogClear = NewAction("ActMsgLogClear", tr("Lösche &Meldungen"),
                               tr("Meldungen im Meldungsfenster löschen|Löschen aller Meldungen im Meldungsfenster."),
                               ImgMsgLogClear);
    ActComLogClear = NewAction("ActComLogClear", tr("Lösche &Datentransfer"),
                               tr("Meldungen im Datentransferfenster löschen|Löschen aller Meldungen im "
                                  "Datentransferfenster."),
                               ImgComLogClear);
    ActCheck = NewAction("ActCheck", tr("&Prüfung"),
                         tr("Prüfung aller Parameter|Prüfung der eingestellten Parameter aller TALV-Geräte."), ImgCheck);
    ActCheck->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    ActLanguageGerman = NewAction("ActLanguageGerman", tr("&Deutsch"),
                                  tr("TALV-Configurator in \"Deutsch\"|Schaltet den TALV-Configurator in deutsche "
                                     "Sprache um."),
                                  ImgLanguageGerman);
    ActLanguageGerman->setData(LanguageGermanTag);
    ActLanguageEnglish = NewAction("ActLanguageEnglish", tr("&Englisch"),
                                   tr("TALV-Configurator in \"Englisch\"|Schaltet den TALV-Configurator in englische "
                                      "Sprache um."),
                                   ImgLanguageEnglish);
    ActLanguageEnglish->setData(LanguageEnglishTag);
    FLanguageGroup = new QActionGroup(this);
    FLanguageGroup->setExclusive(true);
    for (QAction* language : {ActLanguageGerman, ActLanguageEnglish}) {
        language->setCheckable(true);
        FLanguageGroup->addAction(language);
    }

    // Help
    ActHelp = NewAction("ActHelp", tr("&Hilfe"), tr("Hilfe öffnen|Öffnet die Hilfe zum TALV-Configurator."), ImgHelp);
    ActHelpDemoConfig = NewAction("ActHelpDemoConfig", tr("&Demo-Konfiguration"),
                                  tr("Demo-Konfiguration|Öffnet die Hilfe mit den Demo-Konfigurationen."),
                                  ImgHelpDemoConfig);
    ActInfo = NewAction("ActInfo", tr("&Info..."),
                        tr("Information zum TALV-Configurator|Zeigt den Versionsdialog des TALV-Configurator an."),
                        ImgInfo);

    // Each handler runs guarded: an error is shown and the window stays usable.
    const auto bind = [this](QAction* action, void (TFrmMainWin::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
    };
    bind(ActFileNew, &TFrmMainWin::ActFileNewExecute);
    bind(ActFileOpen, &TFrmMainWin::ActFileOpenExecute);
    connect(ActFileSave, &QAction::triggered, this, [this] { Guarded([this] { ActFileSaveExecute(); }); });
    bind(ActFileSaveAs, &TFrmMainWin::ActFileSaveAsExecute);
    bind(ActFileClose, &TFrmMainWin::ActFileCloseExecute);
    bind(ActExit, &TFrmMainWin::ActExitExecute);
    bind(ActLogShow, &TFrmMainWin::ActLogShowExecute);
    bind(ActLogHide, &TFrmMainWin::ActLogHideExecute);
    bind(ActMsgLogClear, &TFrmMainWin::ActMsgLogClearExecute);
    bind(ActComLogClear, &TFrmMainWin::ActComLogClearExecute);
    bind(ActCheck, &TFrmMainWin::ActCheckExecute);
    bind(ActInfo, &TFrmMainWin::ActInfoExecute);
    for (QAction* language : {ActLanguageGerman, ActLanguageEnglish})
        connect(language, &QAction::triggered, this,
                [this, language] { Guarded([this, language] { ActLanguageGermanExecute(language); }); });
    connect(ActHelp, &QAction::triggered, this, [] { TApplication::HelpJump(QString()); });
    connect(ActHelpDemoConfig, &QAction::triggered, this, [] { TApplication::HelpJump("DemoConfiguration"); });
    // The help key also works while a menu of the window is open; a modal dialog in front blocks
    // it as it blocks the window.
    auto* helpKey = new QShortcut(QKeySequence::HelpContents, this, this,
                                  [] { TApplication::HelpContext(MainWindowHelpContext); }, Qt::ApplicationShortcut);
    helpKey->setObjectName("HelpKey");
    bind(ActOptions, &TFrmMainWin::ActOptionsExecute);

    // The "Gerät" menu items: unbound until a panel is selected.
    MIDevConnect = NewAction("MIDevConnect", tr("&Verbinden"), QString());
    MIDevRequestConfigMode = NewAction("MIDevRequestConfigMode", tr("Konfigurationsmodus"), QString());
    MIDevReceiveConfiguration = NewAction("MIDevReceiveConfiguration", tr("Empfange Parameter"), QString());
    MIDevSendConfiguration = NewAction("MIDevSendConfiguration", tr("&Sende Parameter"), QString());
    MIDevGo = NewAction("MIDevGo", tr("St&arten"), QString());
    MIDevCompare = NewAction("MIDevCompare", tr("Ver&gleichen"), QString());
    const std::array<QAction*, 6> items = {MIDevConnect,           MIDevRequestConfigMode, MIDevReceiveConfiguration,
                                           MIDevSendConfiguration, MIDevGo,                MIDevCompare};
    for (std::size_t k = 0; k < items.size(); ++k) {
        items[k]->setEnabled(false);
        items[k]->setData(items[k]->text());
        // The panel's action runs the panel's own guarded handler.
        connect(items[k], &QAction::triggered, this, [this, k] {
            if (QAction* bound = FBoundDevActions[k])
                bound->trigger();
        });
    }
}

void TFrmMainWin::CreateMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&Datei"));
    file->setObjectName("MIFile");
    file->addActions({ActFileNew, ActFileOpen, ActFileSave, ActFileSaveAs, ActFileClose});
    file->addSeparator();
    file->addActions({ActPrintPreview, ActPrint, ActExportPdf, ActSendMail});
    file->addSeparator();
    file->addAction(ActExit);
    CreateRecentFilesMenu(*file);

    QMenu* device = menuBar()->addMenu(tr("&Gerät"));
    device->setObjectName("MIDevice");
    device->addActions(
        {MIDevConnect, MIDevRequestConfigMode, MIDevReceiveConfiguration, MIDevSendConfiguration, MIDevGo, MIDevCompare});
    device->addSeparator();
    device->addActions({ActAllConnect, ActAllReceive, ActAllSend, ActAllGo});
    device->addSeparator();
    device->addAction(ActVerifyInstallation);

    QMenu* extras = menuBar()->addMenu(tr("E&xtras"));
    extras->setObjectName("MIExtras");
    extras->addActions({ActOptions, ActLogShow, ActNetworkShow, ActMsgLogClear, ActComLogClear});
    extras->addSeparator();
    QMenu* language = extras->addMenu(tr("&Sprache"));
    language->setObjectName("MILanguage");
    SetHint(language->menuAction(),
            tr("Sprache umschalten|Schaltet den TALV-Configurator in verschiedene Sprachen um."));
    language->addActions({ActLanguageGerman, ActLanguageEnglish});
    extras->addSeparator();
    extras->addAction(ActCheck);

    QMenu* help = menuBar()->addMenu(tr("&Hilfe"));
    help->setObjectName("MIHelp");
    help->addActions({ActHelp, ActHelpDemoConfig});
    help->addSeparator();
    help->addAction(ActInfo);

    PpMenuLog = new QMenu(this);
    PpMenuLog->setObjectName("PpMenuLog");
    PpMenuLog->addActions({ActMsgLogClear, ActComLogClear, ActLogHide});
    // The logs have no context menu of their own: a right click anywhere on the log panel
    // offers the panel's.
    for (QWidget* target : std::initializer_list<QWidget*>{PnlLog, MsgLog, ComLog}) {
        target->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(target, &QWidget::customContextMenuRequested, this, [this, target](const QPoint& position) {
            // A scroll area reports the position in its viewport.
            const auto* area = qobject_cast<QAbstractScrollArea*>(target);
            const QWidget* origin = area ? area->viewport() : target;
            PpMenuLog->popup(origin->mapToGlobal(position));
        });
    }
}

void TFrmMainWin::CreateToolBar()
{
    TlBarFile = addToolBar(tr("Datei"));
    TlBarFile->setObjectName("TlBarFile");
    TlBarFile->setIconSize(QSize(16, 16));
    TlBarFile->addActions({ActFileOpen, ActFileClose, ActFileSave});
    TlBarFile->addSeparator();
    TlBarFile->addAction(ActExit);
    TlBarFile->addSeparator();

    CmbBxDevCount = new QComboBox(TlBarFile);
    CmbBxDevCount->setObjectName("CmbBxDevCount");
    CmbBxDevCount->setEditable(false);
    CmbBxDevCount->setFixedWidth(84);
    CmbBxDevCount->addItems({tr("1 Gerät"), tr("2 Geräte"), tr("3 Geräte"), tr("4 Geräte"), tr("5 Geräte"),
                             tr("6 Geräte")});
    SetHint(CmbBxDevCount,
            tr("Anzahl TALV-Geräte|Einstellung der Anzahl der zu parametrierenden TALV-Geräte."));
    // activated comes from the user only, never from SetDeviceCount's own selection.
    connect(CmbBxDevCount, &QComboBox::activated, this,
            [this](int index) { Guarded([this, index] { CmbBxDevCountChange(index); }); });
    TlBarFile->addWidget(CmbBxDevCount);
    TlBarFile->addSeparator();
    TlBarFile->addAction(ActCheck);
    // The picture is hidden until asked for; the button keeps it one click away.
    TlBarFile->addAction(ActNetworkShow);
}

void TFrmMainWin::AddUpdateHandlers()
{
    // The device menu first: each panel's own handlers ran before (the panels were made first),
    // so the items copy states that are current.
    TActionUpdates::Add(this, [this] { ActionListUpdate(); });
    TActionUpdates::Add(this, [this] { ActFileSave->setEnabled(IsModified()); });
    TActionUpdates::Add(this, [this] { ActFileClose->setEnabled(!FileName().empty() || IsModified()); });
    // Without an options dialog the action would do nothing: it says so by being disabled.
    TActionUpdates::Add(this, [this] { ActOptions->setEnabled(FDlgOptions != nullptr); });
    TActionUpdates::Add(this, [this] { ActLogShow->setChecked(!PnlLog->isHidden()); });
    TActionUpdates::Add(this, [this] { ActNetworkShow->setChecked(!DockNetwork->isHidden()); });
    TActionUpdates::Add(this, [this] { ActMsgLogClear->setEnabled(MsgLog->LineCount() > 0); });
    TActionUpdates::Add(this, [this] { ActComLogClear->setEnabled(ComLog->LineCount() > 0); });
    // Also once now: the help file is chosen before the window is first shown.
    ActLanguageGermanUpdate();
    TActionUpdates::Add(this, [this] { ActLanguageGermanUpdate(); });
}

void TFrmMainWin::ActLanguageGermanUpdate()
{
    // Only exactly "EN" is English; any other stored value (a locale code of another program,
    // say) is German.
    static const std::string program = ProgramFileName();
    const bool english = FLanguageReader.ReadLanguage(program) == LanguageEnglish;
    QAction* current = english ? ActLanguageEnglish : ActLanguageGerman;
    QAction* other = english ? ActLanguageGerman : ActLanguageEnglish;
    current->setChecked(true);
    current->setEnabled(false);
    other->setEnabled(true);
    TApplication::SetHelpFile(english ? "TALVConfigEN.hlp" : "TALVConfigDE.hlp");
}

void TFrmMainWin::ActLanguageGermanExecute(const QAction* sender)
{
    const bool german = sender->data().toInt() == LanguageGermanTag;
    WriteLanguage(ProgramFileName(), german ? LanguageGerman : LanguageEnglish);
    const QString text = QString::fromStdString(FmtLoadStr(224, {LoadStr(german ? 226 : 227)}));
    if (AskLanguageRestart(text, QString::fromStdString(LoadStr(225))) == QMessageBox::Yes)
        ActExitExecute();
}

QMessageBox::StandardButton TFrmMainWin::AskLanguageRestart(const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Yes | QMessageBox::No, this);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void TFrmMainWin::ActionListUpdate()
{
    TFrameDev* selected = GetSelectedDevice();
    const std::array<QAction*, 6> items = {MIDevConnect,           MIDevRequestConfigMode, MIDevReceiveConfiguration,
                                           MIDevSendConfiguration, MIDevGo,                MIDevCompare};
    std::array<QAction*, 6> sources{};
    if (selected)
        sources = {selected->ActDevConnect,           selected->ActDevRequestConfigMode,
                   selected->ActDevReceiveConfiguration, selected->ActDevSendConfiguration,
                   selected->ActDevGo,                selected->ActDevCompare};
    for (std::size_t k = 0; k < items.size(); ++k) {
        QAction* item = items[k];
        QAction* source = sources[k];
        FBoundDevActions[k] = source;
        if (source) {
            item->setText(source->text());
            // Icons cannot be compared, and setting one always announces a change, which would
            // wake the loop for another idle pass: set it only when it is another picture.
            if (item->icon().cacheKey() != source->icon().cacheKey())
                item->setIcon(source->icon());
            item->setToolTip(source->toolTip());
            item->setStatusTip(source->statusTip());
            item->setEnabled(source->isEnabled());
        } else {
            // Unbound, an item would do nothing when chosen: it says so by being disabled.
            item->setText(item->data().toString());
            if (!item->icon().isNull())
                item->setIcon(QIcon());
            item->setToolTip(QString());
            item->setStatusTip(QString());
            item->setEnabled(false);
        }
    }
}

void TFrmMainWin::ActInfoExecute()
{
    if (FAboutBox)
        FAboutBox->exec();
}

void TFrmMainWin::ActOptionsExecute()
{
    // New options change the ports, reply time and transfer mode under a running exchange.
    if (!StopExchanges())
        return;
    if (FDlgOptions && FDlgOptions->exec() == QDialog::Accepted)
        ApplyOptions(FDlgOptions->Options());
}

void TFrmMainWin::ActExitExecute()
{
    close();
}
