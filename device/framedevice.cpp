// The panel's controls and what the user does with them: binding, the view refresh, the edit
// handlers and the active-device highlight. The actions are in framedeviceactions.cpp.
#include "device/framedevice.h"

#include "documents/framedevstate.h"
#include "platform/exceptions.h"
#include "platform/resstrings.h"
#include "terminal/kovparameters.h"
#include "terminal/kovterminal.h"

#include <QApplication>
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>

namespace {

const QColor InactiveColor(128, 128, 128);

bool Contains(const QWidget* outer, const QWidget* widget)
{
    return widget && (widget == outer || outer->isAncestorOf(widget));
}

// A device name is shown as it is: "&" would otherwise mark a shortcut letter.
QString NameCaption(const std::string& name)
{
    return QString::fromStdString(name).replace(u'&', QStringLiteral("&&"));
}

}  // namespace

TFrameDev::TFrameDev(QWidget* parent)
    : QFrame(parent), FOwnState(std::make_unique<TFrameDevState>()), FTerminal(std::make_unique<TKovTerminal>())
{
    setObjectName("FrameDev");
    // The shortest reply time, until the owner applies the user's.
    FTerminal->SetComTimeOut(500);
    FState = FOwnState.get();
    C.Build(this);
    CreateActions();
    ConnectControls();
    SetUpExchanges();
    ActClearExecute();
}

TFrameDev::~TFrameDev() = default;

void TFrameDev::ConnectControls()
{
    connect(C.BtnName, &QPushButton::clicked, this, &TFrameDev::BtnNameClick);
    // `activated` and `textEdited` come from the user only: what the panel sets itself is
    // never taken for an edit.
    connect(C.CmbBxComPort, &QComboBox::activated, this, &TFrameDev::CmbBxComPortChange);
    connect(C.CmbBxIsdnDChannelProtocol, &QComboBox::activated, this, &TFrameDev::CmbBxIsdnDChannelProtocolChange);
    for (int line = 0; line < 2; ++line) {
        connect(C.EdMsn[line], &QLineEdit::textEdited, this, [this, line] { EdMsnChange(line); });
        QComboBox* box = C.CmbBxNumber[line];
        connect(box->lineEdit(), &QLineEdit::textEdited, this,
                [this, line](const QString& text) { CmbBxNumberChange(line, text); });
        // Leaving the field or pressing Return also "activates" the entry that equals its text;
        // that is no change, and must not mark a plan the user only looked at as edited.
        connect(box, &QComboBox::activated, this, [this, line, box](int index) {
            const QString picked = box->itemText(index);
            if (picked.toStdString() != FState->Number(line))
                CmbBxNumberChange(line, picked);
        });
        connect(C.RdBtnDial[line], &QRadioButton::toggled, this, [this, line](bool checked) {
            if (checked)
                RdBtnClick(line, true);
        });
        connect(C.RdBtnAccept[line], &QRadioButton::toggled, this, [this, line](bool checked) {
            if (checked)
                RdBtnClick(line, false);
        });
    }
    connect(qApp, &QApplication::focusChanged, this, &TFrameDev::FocusChanged);
    // Every control, not only the background: a disabled device button takes no focus, yet a
    // click on it still says which device the user means.
    installEventFilter(this);
    for (QWidget* widget : findChildren<QWidget*>())
        widget->installEventFilter(this);
}

// ---- binding ------------------------------------------------------------------------

void TFrameDev::SetState(TFrameDevState* state)
{
    FState = state ? state : FOwnState.get();
    ShowState();
}

void TFrameDev::SetDialogs(TDlgPressReset* pressReset, TFrmDevMemo* memo)
{
    FDlgPressReset = pressReset;
    FFrmDevMemo = memo;
}

// ---- view -------------------------------------------------------------------------

void TFrameDev::UpdateView()
{
    if (!FState->Parameters())
        return;
    // A value the panel cannot show stops the refresh part-way; the controls show what was
    // refreshed up to there.
    try {
        FState->UpdateView();
    } catch (...) {
        ShowState();
        throw;
    }
    ShowState();
}

void TFrameDev::SetMsnText(int line, const QString& text)
{
    if (C.EdMsn[line]->text() != text)
        C.EdMsn[line]->setText(text);
    FMsnShown[line] = text;
}

// Selects the list entry that equals text, or shows text without a selection.
void TFrameDev::SetNumberText(int line, const QString& text)
{
    QComboBox* box = C.CmbBxNumber[line];
    const QSignalBlocker blocker(box);
    const int index = box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (box->currentIndex() != index)
        box->setCurrentIndex(index);
    if (box->currentText() != text)
        box->setEditText(text);
}

void TFrameDev::ShowNumbersEnabled(bool enabled)
{
    for (int line = 0; line < 2; ++line)
        for (QWidget* control : std::initializer_list<QWidget*>{C.EdMsn[line], C.CmbBxNumber[line], C.RdBtnDial[line],
                                                                C.RdBtnAccept[line]})
            control->setEnabled(enabled);
}

void TFrameDev::ShowState()
{
    C.BtnName->setText(NameCaption(FState->Name()));
    for (int line = 0; line < 2; ++line) {
        SetMsnText(line, QString::fromStdString(FState->Msn(line)));
        SetNumberText(line, QString::fromStdString(FState->Number(line)));
        const QSignalBlocker dial(C.RdBtnDial[line]);
        const QSignalBlocker accept(C.RdBtnAccept[line]);
        (FState->Dial(line) ? C.RdBtnDial[line] : C.RdBtnAccept[line])->setChecked(true);
    }
    ShowNumbersEnabled(FState->NumbersEnabled());
    {
        const QSignalBlocker blocker(C.CmbBxIsdnDChannelProtocol);
        C.CmbBxIsdnDChannelProtocol->setCurrentIndex(FState->ProtocolIndex());
    }
    const QSignalBlocker blocker(C.CmbBxComPort);
    C.CmbBxComPort->setCurrentIndex(FState->ComPortIndex());
}

void TFrameDev::ActClearExecute()
{
    FState->Clear();
    ClearNumberLists();
    emit Edited(this);
}

void TFrameDev::ClearNumberLists()
{
    for (QComboBox* box : C.CmbBxNumber) {
        const QSignalBlocker blocker(box);
        box->clear();
    }
    // Emptying a list empties its field as well.
    ShowState();
}

// ---- flags and colours ----------------------------------------------------------------

bool TFrameDev::Modified() const
{
    return FState->Modified();
}

void TFrameDev::SetModified(bool modified)
{
    FState->SetModified(modified);
}

void TFrameDev::SetColorMsn(int index, const QColor& colour)
{
    if (index < 0 || index > 1)
        throw ERangeError("TFrameDev::SetColorMsn: falscher Index " + std::to_string(index));
    if (FColorMsn[index] == colour)
        return;
    FColorMsn[index] = colour;
    C.ShowLineColour(index, colour);
}

QColor TFrameDev::ColorMsn(int index) const
{
    if (index < 0 || index > 1)
        throw ERangeError("TFrameDev::ColorMsn: falscher Index " + std::to_string(index));
    return FColorMsn[index];
}

void TFrameDev::SetActiveColor(const QColor& colour)
{
    if (FActiveColor == colour)
        return;
    FActiveColor = colour;
    update();
}

QColor TFrameDev::MarginColor() const
{
    return FActive ? FActiveColor : InactiveColor;
}

void TFrameDev::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        painter.fillRect(rect(), MarginColor());
    }
    QFrame::paintEvent(event);
}

// ---- configuration file -------------------------------------------------------------

void TFrameDev::SaveConfiguration(TIniFile& ini, const std::string& section)
{
    FState->SaveConfiguration(ini, section);
}

std::optional<int> TFrameDev::LoadConfiguration(TIniFile& ini, const std::string& section)
{
    std::optional<int> foreignPort;
    try {
        foreignPort = FState->LoadConfiguration(ini, section);
    } catch (...) {
        ShowState();
        throw;
    }
    ShowState();
    return foreignPort;
}

void TFrameDev::EraseConfiguration(TIniFile& ini, const std::string& section)
{
    TFrameDevState::EraseConfiguration(ini, section);
}

// ---- active device ----------------------------------------------------------------------

// The panel is active while the focus is inside it. A dialog it opens (comment, name) takes the
// focus into another window; that does not make another device the active one, so only focus
// moving elsewhere in the panel's own window ends it.
void TFrameDev::FocusChanged(QWidget* old, QWidget* now)
{
    const bool wasIn = Contains(this, old);
    const bool isIn = Contains(this, now);
    if (isIn && !wasIn)
        FrameEnter();
    else if (!isIn && FActive && now && now->window() == window())
        FrameExit();

    for (int line = 0; line < 2; ++line)
        if (Contains(C.CmbBxNumber[line], now) && !Contains(C.CmbBxNumber[line], old))
            CmbBxNumberEnter(line);
}

void TFrameDev::FrameEnter()
{
    FActive = true;
    update();
    emit Entered(this);
}

void TFrameDev::FrameExit()
{
    FActive = false;
    update();
}

// FrameMouseDown: a left click anywhere in the panel. A control that takes the focus on a click
// has it already when this runs, so the panel takes it only for the rest (its background, panels,
// labels, pictures and disabled controls).
bool TFrameDev::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        !Contains(this, QApplication::focusWidget()))
        setFocus(Qt::MouseFocusReason);
    return QFrame::eventFilter(watched, event);
}

// ---- user edits ---------------------------------------------------------------------------

void TFrameDev::BtnNameClick()
{
    const TKovParameters* const parameters = FState->Parameters();
    if (!parameters)
        return;
    bool ok = false;
    const QString name = QInputDialog::getText(this, QString::fromStdString(LoadStr(212)),
                                               QString::fromStdString(LoadStr(213)), QLineEdit::Normal,
                                               QString::fromStdString(parameters->GetKovName()), &ok);
    if (!ok)
        return;
    FState->NameChange(name.toStdString());
    C.BtnName->setText(NameCaption(FState->Name()));
    ClearFindingMark(tFindingField::Name);
    emit Edited(this);
}

void TFrameDev::CmbBxComPortChange(int index)
{
    FState->ComPortChange(index);
    emit Edited(this);
}

void TFrameDev::CmbBxIsdnDChannelProtocolChange(int index)
{
    FState->ProtocolChange(index);
    ShowState();
    ClearFindingMark(tFindingField::Protocol);
    emit Edited(this);
}

void TFrameDev::EdMsnChange(int line)
{
    QLineEdit* const edit = C.EdMsn[line];
    const QString text = edit->text();
    if (!FState->Parameters()) {
        FMsnShown[line] = text;
        return;
    }
    int cursor = edit->cursorPosition();
    if (!FState->MsnChange(line, text.toStdString())) {
        // Take the change back: the text before the keystroke or paste returns, the cursor
        // where it was before it.
        cursor -= static_cast<int>(text.size() - FMsnShown[line].size());
        edit->setText(FMsnShown[line]);
    } else {
        // Setting the text clears the undo memory, so an undo cannot bring back a text that
        // never reached the parameters.
        edit->setText(text);
        ClearFindingMark(line == 0 ? tFindingField::Msn1 : tFindingField::Msn2);
    }
    edit->setCursorPosition(std::clamp(cursor, 0, static_cast<int>(edit->text().size())));
    FMsnShown[line] = edit->text();
    emit Edited(this);
}

// The list is built anew each time the field is entered, from the numbers on the screen now.
void TFrameDev::CmbBxNumberEnter(int line)
{
    if (!FFrameList)
        return;
    QComboBox* const box = C.CmbBxNumber[line];
    // An entry counts as selected only while the field shows it: typing leaves none selected.
    const int current = box->currentIndex();
    const int selected = current >= 0 && box->itemText(current) == box->currentText() ? current : -1;
    const QString text = box->currentText();

    std::vector<const TFrameDevState*> shown;
    for (const TFrameDev* panel : *FFrameList)
        if (panel && !panel->isHidden())
            shown.push_back(panel->State());

    const QSignalBlocker blocker(box);
    box->clear();
    for (const std::string& number : TFrameDevState::PartnerNumbers(shown, FState, line))
        box->addItem(QString::fromStdString(number));
    // The entry at the old position is selected again; when there is none, the field keeps
    // its text. Neither reaches the parameters.
    if (selected >= 0 && selected < box->count()) {
        box->setCurrentIndex(selected);
    } else {
        box->setCurrentIndex(-1);
        box->setEditText(text);
    }
}

void TFrameDev::CmbBxNumberChange(int line, const QString& text)
{
    FState->NumberChange(line, text.toStdString());
    ClearFindingMark(line == 0 ? tFindingField::Number1 : tFindingField::Number2);
    emit Edited(this);
}

void TFrameDev::RdBtnClick(int line, bool dial)
{
    FState->DialClick(line, dial);
    ClearFindingMark(line == 0 ? tFindingField::Dial1 : tFindingField::Dial2);
    emit Edited(this);
}
