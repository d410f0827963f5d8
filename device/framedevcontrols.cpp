#include "device/framedevcontrols.h"

#include "device/hint.h"
#include "documents/framedevstate.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QColor TalvGrey(232, 232, 232);
constexpr int GlyphSize = 26;
constexpr int ArrowWidth = 80;
constexpr int ArrowHeight = 7;

}  // namespace

QFrame* TFrameDevControls::Panel(QWidget* parent, const char* name, const QColor& colour)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    if (colour.isValid()) {
        QPalette palette = panel->palette();
        palette.setColor(QPalette::Window, colour);
        panel->setPalette(palette);
        panel->setAutoFillBackground(true);
    }
    return panel;
}

QLabel* TFrameDevControls::Label(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QToolButton* TFrameDevControls::GlyphButton(QWidget* parent, const char* name)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setFixedSize(GlyphSize, GlyphSize);
    button->setAutoRaise(false);
    // A click gives the button the focus, as it does to the panel's other buttons: the panel
    // whose button was clicked becomes the active device before the action runs.
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

QPixmap TFrameDevControls::LineArrow(bool towardsPartner)
{
    QPixmap pixmap(ArrowWidth, ArrowHeight);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal middle = ArrowHeight / 2.0;
    const qreal tip = towardsPartner ? ArrowWidth : 0;
    const qreal base = towardsPartner ? ArrowWidth - 8 : 8;
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(QPointF(towardsPartner ? 0 : base, middle), QPointF(towardsPartner ? base : ArrowWidth, middle));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPolygon(QPolygonF({QPointF(tip, middle), QPointF(base, 0), QPointF(base, ArrowHeight)}));
    return pixmap;
}

void TFrameDevControls::ShowLineColour(int line, const QColor& colour)
{
    QPalette palette = ShpLine[line]->palette();
    palette.setColor(QPalette::Window, colour);
    ShpLine[line]->setPalette(palette);
}

// One half of PnlMsn: the line's caption and its own number, with the line's colour marker.
QWidget* TFrameDevControls::BuildOwnNumber(QWidget* parent, int line)
{
    auto* half = new QWidget(parent);
    half->setObjectName(line == 0 ? "PnlMsn1" : "PnlMsn2");

    ShpLine[line] = new QFrame(half);
    ShpLine[line]->setObjectName(line == 0 ? "ShpLine1" : "ShpLine2");
    ShpLine[line]->setFixedWidth(4);
    ShpLine[line]->setAutoFillBackground(true);

    QLabel* caption = Label(half, line == 0 ? "LblOwnLwl1" : "LblOwnLwl2", line == 0 ? tr("own FO1/LWL1") : tr("own FO2/LWL2"));
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    QLabel* number = Label(half, line == 0 ? "LblMsnNumber1" : "LblMsnNumber2", tr("Number"));

    EdMsn[line] = new QLineEdit(half);
    EdMsn[line]->setObjectName(line == 0 ? "EdMsn1" : "EdMsn2");
    SetHint(EdMsn[line], line == 0 ? tr("Rufnummer für LWL1|Einstellung der eigenen Rufnummer für LWL1")
                                   : tr("Rufnummer für LWL2|Einstellung der eigenen Rufnummer für LWL2"));

    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    column->addWidget(caption);
    column->addWidget(number);
    column->addWidget(EdMsn[line]);
    auto* row = new QHBoxLayout(half);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(3);
    row->addWidget(ShpLine[line]);
    row->addLayout(column);
    return half;
}

QFrame* TFrameDevControls::BuildPartner(QWidget* parent, int line)
{
    QFrame* panel = Panel(parent, line == 0 ? "PnlPartner1" : "PnlPartner2", TalvGrey);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);

    RdBtnDial[line] = new QRadioButton(tr("DIAL"), panel);
    RdBtnDial[line]->setObjectName(line == 0 ? "RdBtnDial1" : "RdBtnDial2");
    RdBtnAccept[line] = new QRadioButton(tr("ACCEPT"), panel);
    RdBtnAccept[line]->setObjectName(line == 0 ? "RdBtnAccept1" : "RdBtnAccept2");
    RdBtnAccept[line]->setChecked(true);
    // The two buttons of a line exclude each other; the lines are independent.
    auto* group = new QButtonGroup(panel);
    group->addButton(RdBtnDial[line]);
    group->addButton(RdBtnAccept[line]);
    const QString lwl = line == 0 ? QStringLiteral("LWL1") : QStringLiteral("LWL2");
    SetHint(RdBtnDial[line], tr("Wählen|%1 wählt automatisch die angegebene Nummer.").arg(lwl));
    SetHint(RdBtnAccept[line], tr("Annehmen|%1 nimmt Anruf eines anderen Gerätes an.").arg(lwl));

    Image[line][0] = Label(panel, line == 0 ? "Image1" : "Image3", QString());
    Image[line][0]->setPixmap(LineArrow(true));
    Image[line][1] = Label(panel, line == 0 ? "Image2" : "Image4", QString());
    Image[line][1]->setPixmap(LineArrow(false));

    QLabel* number = Label(panel, line == 0 ? "LblNumber1" : "LblNumber2", tr("Number"));
    CmbBxNumber[line] = new QComboBox(panel);
    CmbBxNumber[line]->setObjectName(line == 0 ? "CmbBxNumber1" : "CmbBxNumber2");
    CmbBxNumber[line]->setEditable(true);
    // The list is only a choice: what the user types is stored as typed, never added to the
    // list or completed from it.
    CmbBxNumber[line]->setInsertPolicy(QComboBox::NoInsert);
    CmbBxNumber[line]->setCompleter(nullptr);
    CmbBxNumber[line]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    CmbBxNumber[line]->setMinimumContentsLength(8);
    SetHint(CmbBxNumber[line],
            line == 0 ? tr("Rufnummer TALV-Gegenstelle für LWL1|Einstellung der Rufnummer der TALV-Gegenstelle für LWL1.")
                      : tr("Rufnummer TALV-Gegenstelle für LWL2|Einstellung der Rufnummer der TALV-Gegenstelle für LWL2."));

    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);
    grid->addWidget(RdBtnDial[line], 0, 0);
    grid->addWidget(Image[line][0], 0, 1);
    grid->addWidget(RdBtnAccept[line], 1, 0);
    grid->addWidget(Image[line][1], 1, 1);
    grid->addWidget(number, 2, 0);
    grid->addWidget(CmbBxNumber[line], 2, 1);
    grid->setColumnStretch(1, 1);
    return panel;
}

void TFrameDevControls::Build(QFrame* frame)
{
    frame->setFixedSize(FrameWidth, FrameHeight);
    // The panel's size is fixed (six of them tile the main window), so its texts use the compact
    // dialog font the layout was made for rather than whatever the desktop's default is.
    QFont font = frame->font();
    font.setPixelSize(11);
    frame->setFont(font);

    PnlData = Panel(frame, "PnlData", QColor());
    PnlData->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    PnlData->setAutoFillBackground(true);
    auto* outer = new QVBoxLayout(frame);
    outer->setContentsMargins(Margin, Margin, Margin, Margin);
    outer->addWidget(PnlData);

    // Name, port and device buttons.
    BtnName = new TNameButton(QStringLiteral("<TA-LV>"), PnlData);
    BtnName->setObjectName("BtnName");
    BtnName->setFlat(true);
    QFont nameFont = BtnName->font();
    nameFont.setBold(true);
    nameFont.setUnderline(true);
    BtnName->setFont(nameFont);
    BtnName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    SetHint(BtnName, tr("Name des TALV-Gerätes|Einstellen eines symbolischen Namens für das TALV-Gerät."));

    CmbBxComPort = new QComboBox(PnlData);
    CmbBxComPort->setObjectName("CmbBxComPort");
    CmbBxComPort->addItems({QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"), QStringLiteral("COM4")});
    SetHint(CmbBxComPort, tr("Auswahl COM-Port am PC|Serielle Schnittstelle (COM-Port) am PC für die Verbindung zum "
                             "TALV-Gerät festlegen."));

    // Connect and disconnect share one place; the panel shows the one that fits the line.
    auto* connectPlace = new QWidget(PnlData);
    connectPlace->setObjectName("PnlConnect");
    connectPlace->setFixedSize(GlyphSize, GlyphSize);
    BitBtnDevConnect = GlyphButton(connectPlace, "BitBtnDevConnect");
    BitBtnDevDisconnect = GlyphButton(connectPlace, "BitBtnDevDisconnect");
    BitBtnDevRequestConfigMode = GlyphButton(PnlData, "BitBtnDevRequestConfigMode");
    BitBtnDevSendConfiguration = GlyphButton(PnlData, "BitBtnDevSendConfiguration");
    BitBtnDevReceiveConfiguration = GlyphButton(PnlData, "BitBtnDevReceiveConfiguration");
    BitBtnDevGo = GlyphButton(PnlData, "BitBtnDevGo");
    BitBtnDevCompare = GlyphButton(PnlData, "BitBtnDevCompare");

    auto* top = new QHBoxLayout;
    top->setSpacing(2);
    top->addWidget(BtnName, 1);
    top->addWidget(CmbBxComPort);
    top->addSpacing(4);
    top->addWidget(connectPlace);
    top->addWidget(BitBtnDevRequestConfigMode);
    top->addWidget(BitBtnDevSendConfiguration);
    top->addWidget(BitBtnDevReceiveConfiguration);
    top->addWidget(BitBtnDevGo);
    top->addWidget(BitBtnDevCompare);

    // The two lines: own numbers on the left, partners on the right.
    PnlTalv = Panel(PnlData, "PnlTalv", TalvGrey);
    PnlTalv->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PnlMsn = Panel(PnlTalv, "PnlMsn", TalvGrey);
    PnlMsn->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* bevel = new QFrame(PnlMsn);
    bevel->setObjectName("BvlMsn");
    bevel->setFrameStyle(QFrame::HLine | QFrame::Raised);
    auto* msn = new QVBoxLayout(PnlMsn);
    msn->setContentsMargins(2, 2, 2, 2);
    msn->setSpacing(2);
    msn->addWidget(BuildOwnNumber(PnlMsn, 0));
    msn->addWidget(bevel);
    msn->addWidget(BuildOwnNumber(PnlMsn, 1));
    PnlMsn->setFixedWidth(108);

    PnlPartner[0] = BuildPartner(PnlTalv, 0);
    PnlPartner[1] = BuildPartner(PnlTalv, 1);
    auto* talv = new QGridLayout(PnlTalv);
    talv->setContentsMargins(3, 3, 3, 3);
    talv->setSpacing(3);
    talv->addWidget(PnlMsn, 0, 0, 2, 1);
    talv->addWidget(PnlPartner[0], 0, 1);
    talv->addWidget(PnlPartner[1], 1, 1);

    // Protocol and comment.
    Label5 = Label(PnlData, "Label5", tr("D-Channel Protocol"));
    Label5->setWordWrap(true);
    CmbBxIsdnDChannelProtocol = new QComboBox(PnlData);
    CmbBxIsdnDChannelProtocol->setObjectName("CmbBxIsdnDChannelProtocol");
    for (int i = 0; i < TFrameDevState::ProtocolItemCount; ++i)
        CmbBxIsdnDChannelProtocol->addItem(QString::fromStdString(TFrameDevState::ProtocolItem(i)));
    CmbBxIsdnDChannelProtocol->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    CmbBxIsdnDChannelProtocol->setMinimumContentsLength(10);
    SetHint(CmbBxIsdnDChannelProtocol,
            tr("Auswahl des D-Kanal-Protokolls|Auswahl des D-Kanal-Protokolls (DSS1, Standleitung)."));
    BitBtnMemo = new QPushButton(tr("&Kommentar"), PnlData);
    BitBtnMemo->setObjectName("BitBtnMemo");

    StckBottom = new QStackedWidget(PnlData);
    StckBottom->setObjectName("StckBottom");
    PnlProtocol = new QWidget;
    PnlProtocol->setObjectName("PnlProtocol");
    Label5->setParent(PnlProtocol);
    CmbBxIsdnDChannelProtocol->setParent(PnlProtocol);
    BitBtnMemo->setParent(PnlProtocol);
    auto* bottom = new QHBoxLayout(PnlProtocol);
    bottom->setContentsMargins(0, 0, 0, 0);
    bottom->setSpacing(4);
    bottom->addWidget(Label5);
    bottom->addWidget(CmbBxIsdnDChannelProtocol, 1);
    bottom->addWidget(BitBtnMemo);
    StckBottom->addWidget(PnlProtocol);

    PnlProgress = new QWidget;
    PnlProgress->setObjectName("PnlProgress");
    PrgBrExchange = new QProgressBar(PnlProgress);
    PrgBrExchange->setObjectName("PrgBrExchange");
    BtnCancel = new QPushButton(tr("Abbrechen"), PnlProgress);
    BtnCancel->setObjectName("BtnCancel");
    SetHint(BtnCancel, tr("Übertragung abbrechen|Bricht die Übertragung nach der laufenden Antwort ab (Esc)."));
    auto* progress = new QHBoxLayout(PnlProgress);
    progress->setContentsMargins(0, 0, 0, 0);
    progress->setSpacing(4);
    progress->addWidget(PrgBrExchange, 1);
    progress->addWidget(BtnCancel);
    StckBottom->addWidget(PnlProgress);
    StckBottom->setFixedHeight(PnlProtocol->sizeHint().height());

    auto* data = new QVBoxLayout(PnlData);
    data->setContentsMargins(4, 3, 4, 4);
    data->setSpacing(3);
    data->addLayout(top);
    data->addWidget(PnlTalv, 1);
    data->addWidget(StckBottom);

    for (int line = 0; line < 2; ++line)
        ShowLineColour(line, Qt::black);
}
