// The panel's side of a followed finding: the focus in the field it is about, and a frame in the
// finding's colour around that field until the user has dealt with it.
#include "device/framedevice.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// A style sheet of the control's own, addressed by its name, so that the parts inside it (the
// line edit and list of a combo box) keep their look. A border drawn by the style sheet shows
// in every style, also where a style ignores palette colours for frames.
void ShowMark(QWidget* control, const QColor& colour)
{
    const QString sheet = QStringLiteral("#%1 { border: 2px solid %2; }").arg(control->objectName(), colour.name());
    control->setStyleSheet(colour.isValid() ? sheet : QString());
}

}  // namespace

std::vector<QWidget*> TFrameDev::FindingControls(tFindingField field) const
{
    switch (field) {
    case tFindingField::Dial1:
        return {C.RdBtnDial[0], C.RdBtnAccept[0]};
    case tFindingField::Dial2:
        return {C.RdBtnDial[1], C.RdBtnAccept[1]};
    case tFindingField::None:
        return {};
    default:
        return {FindingFocus(field)};
    }
}

QWidget* TFrameDev::FindingFocus(tFindingField field) const
{
    switch (field) {
    case tFindingField::Name:
        return C.BtnName;
    case tFindingField::Msn1:
        return C.EdMsn[0];
    case tFindingField::Msn2:
        return C.EdMsn[1];
    case tFindingField::Number1:
        return C.CmbBxNumber[0];
    case tFindingField::Number2:
        return C.CmbBxNumber[1];
    case tFindingField::Dial1:
        return C.RdBtnDial[0]->isChecked() ? C.RdBtnDial[0] : C.RdBtnAccept[0];
    case tFindingField::Dial2:
        return C.RdBtnDial[1]->isChecked() ? C.RdBtnDial[1] : C.RdBtnAccept[1];
    case tFindingField::Protocol:
        return C.CmbBxIsdnDChannelProtocol;
    case tFindingField::None:
        break;
    }
    return nullptr;
}

void TFrameDev::ShowFinding(tFindingField field, const QColor& colour)
{
    QWidget* const target = FindingFocus(field);
    if (!target)
        return;
    if (colour.isValid()) {
        for (QWidget* control : FindingControls(field))
            ShowMark(control, colour);
        FFindingMarks[field] = colour;
    }

    const auto takesInput = [this](const QWidget* control) {
        return control->isEnabled() && control->isVisibleTo(this);
    };
    QWidget* focus = this;
    if (takesInput(target))
        focus = target;
    else if (takesInput(C.CmbBxIsdnDChannelProtocol))
        focus = C.CmbBxIsdnDChannelProtocol;
    focus->setFocus(Qt::OtherFocusReason);
}

void TFrameDev::ClearFindingMarks()
{
    while (!FFindingMarks.empty())
        ClearFindingMark(FFindingMarks.begin()->first);
}

QColor TFrameDev::FindingMark(tFindingField field) const
{
    const auto mark = FFindingMarks.find(field);
    return mark == FFindingMarks.end() ? QColor() : mark->second;
}

void TFrameDev::ClearFindingMark(tFindingField field)
{
    if (FFindingMarks.erase(field) == 0)
        return;
    for (QWidget* control : FindingControls(field))
        ShowMark(control, QColor());
}
