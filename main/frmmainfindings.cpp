// From a finding in the message log to the field it is about.
#include "main/frmmain.h"

#include "device/framedevice.h"
#include "main/logview.h"

#include <QApplication>
#include <QScrollArea>

void TFrmMainWin::AddFinding(tMsgKind kind, const std::string& text, const TFindingPlace& place)
{
    AddMessage(kind, text);
    MsgLog->SetPlace(MsgLog->LineCount() - 1, place);
}

void TFrmMainWin::MsgLogLineActivated(int line)
{
    const TFindingPlace place = MsgLog->Place(line);
    // A finding about a device the user has hidden since (fewer devices) leads nowhere: its
    // panel is not there to go to.
    if (!place.Leads() || place.Device >= FDocument->DeviceCount())
        return;
    // The mark takes the colour the user sees the line in. An information line (a device that
    // agrees with the plan, say) leads to its device but marks nothing: nothing is wrong there.
    const QTextCharFormat format = MsgLog->LineFormat(line);
    const QColor mark = format.fontWeight() > QFont::Normal ? format.foreground().color() : QColor();
    FDevices[place.Device]->ShowFinding(place.Field, mark);
    if (QWidget* focus = QApplication::focusWidget(); focus && ScrollBoxData->widget()->isAncestorOf(focus))
        ScrollBoxData->ensureWidgetVisible(focus);
}

void TFrmMainWin::ClearFindingMarks()
{
    for (TFrameDev* panel : FDevices)
        panel->ClearFindingMarks();
}
