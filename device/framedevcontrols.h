#pragma once
// The controls of a device panel and their layout, apart from what they do: TFrameDev builds one
// of these into itself and wires the handlers. Every control carries its name as objectName, so
// the main window and the tests find it by that name.

#include "device/namebutton.h"

#include <QColor>
#include <QCoreApplication>
#include <QPixmap>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QRadioButton;
class QToolButton;
class QWidget;

struct TFrameDevControls {
    Q_DECLARE_TR_FUNCTIONS(TFrameDevControls)

public:
    static constexpr int FrameWidth = 329;
    static constexpr int FrameHeight = 242;
    // The coloured margin around PnlData that marks the active device.
    static constexpr int Margin = 4;

    // Creates the controls as children of frame and lays them out.
    void Build(QFrame* frame);

    // The black arrow beside DIAL (towards the partner) or ACCEPT (towards the own line). The
    // arrows never take the line's colour: the default colour is white, which would hide them.
    static QPixmap LineArrow(bool towardsPartner);
    // Shows a line's colour in the marker beside its own number.
    void ShowLineColour(int line, const QColor& colour);

    QFrame* PnlData = nullptr;
    TNameButton* BtnName = nullptr;
    QComboBox* CmbBxComPort = nullptr;
    QToolButton* BitBtnDevConnect = nullptr;
    QToolButton* BitBtnDevDisconnect = nullptr;
    QToolButton* BitBtnDevRequestConfigMode = nullptr;
    QToolButton* BitBtnDevSendConfiguration = nullptr;
    QToolButton* BitBtnDevReceiveConfiguration = nullptr;
    QToolButton* BitBtnDevGo = nullptr;
    QToolButton* BitBtnDevCompare = nullptr;
    QFrame* PnlTalv = nullptr;
    QFrame* PnlMsn = nullptr;
    QFrame* ShpLine[2] = {nullptr, nullptr};
    QLineEdit* EdMsn[2] = {nullptr, nullptr};
    QFrame* PnlPartner[2] = {nullptr, nullptr};
    QComboBox* CmbBxNumber[2] = {nullptr, nullptr};
    QRadioButton* RdBtnDial[2] = {nullptr, nullptr};
    QRadioButton* RdBtnAccept[2] = {nullptr, nullptr};
    // Image1/Image2 for line 1, Image3/Image4 for line 2: [line][0] beside DIAL, [line][1]
    // beside ACCEPT.
    QLabel* Image[2][2] = {{nullptr, nullptr}, {nullptr, nullptr}};
    QLabel* Label5 = nullptr;
    QComboBox* CmbBxIsdnDChannelProtocol = nullptr;
    QPushButton* BitBtnMemo = nullptr;
    // The bottom row: protocol and comment, or while an exchange runs its progress and the
    // button that cancels it (and after a cancel or failure dismisses what it reports).
    QStackedWidget* StckBottom = nullptr;
    QWidget* PnlProtocol = nullptr;
    QWidget* PnlProgress = nullptr;
    QProgressBar* PrgBrExchange = nullptr;
    QPushButton* BtnCancel = nullptr;

private:
    QFrame* Panel(QWidget* parent, const char* name, const QColor& colour);
    QLabel* Label(QWidget* parent, const char* name, const QString& text);
    QToolButton* GlyphButton(QWidget* parent, const char* name);
    QWidget* BuildOwnNumber(QWidget* parent, int line);
    QFrame* BuildPartner(QWidget* parent, int line);
};
