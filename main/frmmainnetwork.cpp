// The network picture beside the panels: a dock that follows every change of the plan at once,
// shows the findings of the last check on its boxes and links, leads from a click to the panel
// or field, and writes the picture to a file.
#include "main/frmmain.h"

#include "device/framedevice.h"
#include "documents/configcheck.h"
#include "main/networkview.h"
#include "options/linecolours.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QMenu>
#include <QScrollArea>

namespace {

// Writes the check's findings into the window's log as before and keeps them for the picture.
class TTeeLog : public TMessageLog {
public:
    TTeeLog(TMessageLog& first, TMessageLog& second) : FFirst(first), FSecond(second) {}

    void Clear() override
    {
        FFirst.Clear();
        FSecond.Clear();
    }
    void AddMessage(tMsgKind kind, const std::string& text) override
    {
        FFirst.AddMessage(kind, text);
        FSecond.AddMessage(kind, text);
    }
    void AddFinding(tMsgKind kind, const std::string& text, const TFindingPlace& place) override
    {
        FFirst.AddFinding(kind, text, place);
        FSecond.AddFinding(kind, text, place);
    }

private:
    TMessageLog& FFirst;
    TMessageLog& FSecond;
};

}  // namespace

void TFrmMainWin::CreateNetworkDock()
{
    NetworkView = new TNetworkView;
    DockNetwork = new QDockWidget(tr("Netzplan"), this);
    DockNetwork->setObjectName("DockNetwork");
    auto* scroll = new QScrollArea;
    scroll->setObjectName("ScrollBoxNetwork");
    scroll->setWidgetResizable(true);
    // A click on the picture leaves the focus where it was, or where the click leads.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidget(NetworkView);
    DockNetwork->setWidget(scroll);
    addDockWidget(Qt::RightDockWidgetArea, DockNetwork);
    // The panels fill the window's design width exactly; the picture comes when the user asks
    // for it (or had it open the last time).
    DockNetwork->hide();
    connect(NetworkView, &TNetworkView::DeviceClicked, this, &TFrmMainWin::NetworkDeviceClicked);
    connect(NetworkView, &TNetworkView::LinkClicked, this, &TFrmMainWin::NetworkLinkClicked);
    for (TFrameDev* panel : FDevices)
        connect(panel, &TFrameDev::Edited, this, &TFrmMainWin::ShowNetwork);
}

void TFrmMainWin::CreateNetworkActions()
{
    ActNetworkShow = NewAction("ActNetworkShow", tr("&Netzplan"),
                               tr("Netzplan ein-/ausblenden|Blendet den Netzplan der geplanten Geräte ein bzw. aus."));
    ActNetworkShow->setCheckable(true);
    ActNetworkExportPng = NewAction("ActNetworkExportPng", tr("Als &PNG exportieren..."),
                                    tr("Netzplan als PNG exportieren|Speichert den Netzplan als Bild (PNG)."));
    ActNetworkExportSvg = NewAction("ActNetworkExportSvg", tr("Als &SVG exportieren..."),
                                    tr("Netzplan als SVG exportieren|Speichert den Netzplan als Vektorgrafik (SVG)."));
    connect(ActNetworkShow, &QAction::triggered, this,
            [this] { Guarded([this] { DockNetwork->setVisible(ActNetworkShow->isChecked()); }); });
    connect(ActNetworkExportPng, &QAction::triggered, this, [this] { Guarded([this] { ActNetworkExportPngExecute(); }); });
    connect(ActNetworkExportSvg, &QAction::triggered, this, [this] { Guarded([this] { ActNetworkExportSvgExecute(); }); });
    // The dock's own close button hides it too. The dock also hides while the window is being
    // destroyed, so the connection keeps to the dock and the action, which outlive that moment.
    connect(DockNetwork, &QDockWidget::visibilityChanged, ActNetworkShow,
            [action = ActNetworkShow, dock = DockNetwork] { action->setChecked(!dock->isHidden()); });

    PpMenuNetwork = new QMenu(this);
    PpMenuNetwork->setObjectName("PpMenuNetwork");
    PpMenuNetwork->addActions({ActNetworkExportPng, ActNetworkExportSvg});
    NetworkView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(NetworkView, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& position) { PpMenuNetwork->popup(NetworkView->mapToGlobal(position)); });
}

void TFrmMainWin::ShowNetwork()
{
    Guarded([this] {
        TNetworkPlan plan = BuildNetworkPlan(FDocument->ShownDevices());
        const TNetworkMarks marks = NetworkMarksFromCheck(plan, FCheckFindings);
        NetworkView->SetPicture(std::move(plan), LineColours(FOptions), marks);
    });
}

void TFrmMainWin::ForgetCheckFindings()
{
    FCheckFindings.Clear();
}

void TFrmMainWin::ActCheckExecute()
{
    // The marks belong to the findings of the last run, which this one replaces.
    ClearFindingMarks();
    TTeeLog log(*this, FCheckFindings);
    RunConfigurationCheck(FDocument->ShownDevices(), log);
    ShowNetwork();
}

void TFrmMainWin::NetworkDeviceClicked(int device)
{
    if (device < 0 || device >= FDocument->DeviceCount())
        return;
    ScrollBoxData->ensureWidgetVisible(FDevices[device]);
    FDevices[device]->ShowFinding(tFindingField::Name, QColor());
}

void TFrmMainWin::NetworkLinkClicked(TLineRef line)
{
    if (line.Device < 0 || line.Device >= FDocument->DeviceCount())
        return;
    FDevices[line.Device]->ShowFinding(line.Line == 0 ? tFindingField::Number1 : tFindingField::Number2, QColor());
    if (QWidget* focus = QApplication::focusWidget(); focus && ScrollBoxData->widget()->isAncestorOf(focus))
        ScrollBoxData->ensureWidgetVisible(focus);
}

void TFrmMainWin::ActNetworkExportPngExecute()
{
    const QString file = ChooseExportFile(tr("Netzplan als PNG exportieren"), tr("PNG-Bild (*.png)"), "png");
    if (!file.isEmpty())
        NetworkView->WritePng(file.toStdString());
}

void TFrmMainWin::ActNetworkExportSvgExecute()
{
    const QString file = ChooseExportFile(tr("Netzplan als SVG exportieren"), tr("SVG-Grafik (*.svg)"), "svg");
    if (!file.isEmpty())
        NetworkView->WriteSvg(file.toStdString());
}
