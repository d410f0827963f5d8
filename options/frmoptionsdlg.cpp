#include "options/frmoptionsdlg.h"

#include "options/colorshape.h"
#include "options/optionsstorage.h"
#include "platform/exceptions.h"
#include "platform/gui/application.h"
#include "platform/gui/screenplacement.h"
#include "platform/inifile.h"
#include "platform/settingsfile.h"
#include "slutil/slportlist.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// Between a listed link and the device it points at; never part of a path.
const QString LinkArrow = QStringLiteral(" → ");

QPushButton* NewButton(const QString& caption, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

}  // namespace

TDlgOptions::TDlgOptions(QWidget* parent) : QDialog(parent)
{
    setObjectName("DlgOptions");
    setWindowTitle(tr("Optionen"));

    auto* layout = new QVBoxLayout(this);
    PgCtrlOptions = new QTabWidget(this);
    PgCtrlOptions->setObjectName("PgCtrlOptions");
    layout->addWidget(PgCtrlOptions);
    CreateViewPage();
    CreateComPage();
    CreateButtons();
    // Fixed border: the dialog keeps the size its contents need.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    LoadSettings();
}

TDlgOptions::~TDlgOptions() = default;

void TDlgOptions::CreateViewPage()
{
    TbShtView = new QWidget;
    TbShtView->setObjectName("TbShtView");
    auto* grid = new QGridLayout(TbShtView);

    BtnColorActiveDevice = NewButton(tr("&Rahmen selektierter TALV"), "BtnColorActiveDevice", TbShtView);
    ShpColorActiveDevice = new TColorShape(TColorShape::stRectangle, TbShtView);
    ShpColorActiveDevice->setObjectName("ShpColorActiveDevice");
    ShpColorActiveDevice->setFixedSize(65, 25);
    ShpColorActiveDevice->SetBrush(QColor(232, 232, 232));
    ShpColorActiveDevice->SetPen(QPen(QBrush(Qt::black), 3));
    grid->addWidget(BtnColorActiveDevice, 0, 0);
    grid->addWidget(ShpColorActiveDevice, 0, 1);

    BtnMemoFont = NewButton(tr("&Memo Font"), "BtnMemoFont", TbShtView);
    LblMemoFont = new QLabel(tr("Sample Text"), TbShtView);
    LblMemoFont->setObjectName("LblMemoFont");
    LblMemoFont->setAlignment(Qt::AlignCenter);
    LblMemoFont->setAutoFillBackground(true);
    QPalette white = LblMemoFont->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    LblMemoFont->setPalette(white);
    LblMemoFont->setMinimumSize(150, 40);
    grid->addWidget(BtnMemoFont, 1, 0);
    grid->addWidget(LblMemoFont, 1, 1);

    GrpBxColorToMsn = new QGroupBox(tr("Verbindungsfarben"), TbShtView);
    GrpBxColorToMsn->setObjectName("GrpBxColorToMsn");
    auto* colours = new QGridLayout(GrpBxColorToMsn);
    for (int d = 1; d <= Devices; ++d) {
        colours->addWidget(new QLabel(tr("zu TALV %1").arg(d), GrpBxColorToMsn), d - 1, 0);
        for (int m = 1; m <= 2; ++m) {
            const int tag = 10 * d + m;
            QPushButton* button = NewButton(tr("MSN %1").arg(m), QString("BtnColorToMsn%1").arg(tag), GrpBxColorToMsn);
            button->setProperty(TagProperty, tag);
            auto* sample = new TColorShape(TColorShape::stRoundRect, GrpBxColorToMsn);
            sample->setObjectName(QString("ShpColorToMsn%1").arg(tag));
            sample->setProperty(TagProperty, tag);
            sample->setFixedSize(40, 20);
            colours->addWidget(button, d - 1, 1 + 2 * (m - 1));
            colours->addWidget(sample, d - 1, 2 + 2 * (m - 1));
            connect(button, &QPushButton::clicked, this, [this, button] { BtnColorToMsnClick(button); });
        }
    }
    grid->addWidget(GrpBxColorToMsn, 2, 0, 1, 2);
    grid->setRowStretch(3, 1);

    connect(BtnColorActiveDevice, &QPushButton::clicked, this, &TDlgOptions::BtnColorActiveDeviceClick);
    connect(BtnMemoFont, &QPushButton::clicked, this, &TDlgOptions::BtnMemoFontClick);
    PgCtrlOptions->addTab(TbShtView, tr("&Ansicht"));
}

void TDlgOptions::CreateComPage()
{
    TbShtCom = new QWidget;
    TbShtCom->setObjectName("TbShtCom");
    auto* grid = new QGridLayout(TbShtCom);

    RxSpinComTimeOut = new QSpinBox(TbShtCom);
    RxSpinComTimeOut->setObjectName("RxSpinComTimeOut");
    RxSpinComTimeOut->setRange(TUserOptions::MinComTimeOut, TUserOptions::MaxComTimeOut);
    RxSpinComTimeOut->setSingleStep(100);
    grid->addWidget(new QLabel(tr("Timeout"), TbShtCom), 0, 0);
    grid->addWidget(RxSpinComTimeOut, 0, 1);
    grid->addWidget(new QLabel(tr("Millisekunden"), TbShtCom), 0, 2);
    ChkBxFastTransfer = new QCheckBox(tr("Schnelle Übertragung"), TbShtCom);
    ChkBxFastTransfer->setObjectName("ChkBxFastTransfer");
    grid->addWidget(ChkBxFastTransfer, 1, 0, 1, 3);

    for (int i = 0; i < Ports; ++i) {
        auto* field = new QComboBox(TbShtCom);
        field->setObjectName(QString("CmbBxCOM%1").arg(i + 1));
        field->setEditable(true);
        field->setInsertPolicy(QComboBox::NoInsert);
        field->setMinimumContentsLength(40);
        field->setEditText(QString::fromStdString(TslPortMap::DefaultPath(static_cast<tCOMPorts>(i))));
        auto* label = new QLabel(QString("COM%1").arg(i + 1), TbShtCom);
        label->setBuddy(field);
        grid->addWidget(label, 2 + i, 0);
        grid->addWidget(field, 2 + i, 1, 1, 2);
        CmbBxPort[i] = field;
    }
    grid->setRowStretch(2 + Ports, 1);
    PgCtrlOptions->addTab(TbShtCom, tr("&Kommunikation"));
}

void TDlgOptions::CreateButtons()
{
    auto* row = new QHBoxLayout;
    BitBtnOk = NewButton(tr("OK"), "BitBtnOk", this);
    BitBtnOk->setDefault(true);
    BitBtnCancel = NewButton(tr("Abbrechen"), "BitBtnCancel", this);
    BitBtnHelp = NewButton(tr("&Hilfe"), "BitBtnHelp", this);
    row->addStretch();
    row->addWidget(BitBtnOk);
    row->addWidget(BitBtnCancel);
    row->addWidget(BitBtnHelp);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);

    connect(BitBtnOk, &QPushButton::clicked, this, &TDlgOptions::BitBtnOkClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, &TDlgOptions::BitBtnCancelClick);
    connect(BitBtnHelp, &QPushButton::clicked, this, &TDlgOptions::BitBtnHelpClick);
}

TColorShape* TDlgOptions::ShpColorToMsn(int device, int msn) const
{
    return findChild<TColorShape*>(QString("ShpColorToMsn%1%2").arg(device).arg(msn));
}

QPushButton* TDlgOptions::BtnColorToMsn(int device, int msn) const
{
    return findChild<QPushButton*>(QString("BtnColorToMsn%1%2").arg(device).arg(msn));
}

QString TDlgOptions::PortPath(const QString& shown)
{
    const qsizetype arrow = shown.indexOf(LinkArrow);
    return (arrow < 0 ? shown : shown.left(arrow)).trimmed();
}

TslPortMap TDlgOptions::PortMap() const
{
    TslPortMap map;
    for (int i = 0; i < Ports; ++i)
        map.SetPath(static_cast<tCOMPorts>(i), PortPath(CmbBxPort[i]->currentText()).toStdString());
    return map;
}

void TDlgOptions::FillPortLists()
{
    QStringList shown;
    for (const TslSerialPort& port : ListSerialPorts())
        shown << (port.Target.empty() ? QString::fromStdString(port.Path)
                                      : QString::fromStdString(port.Path) + LinkArrow + QString::fromStdString(port.Target));
    for (QComboBox* field : CmbBxPort) {
        // Refilling a list replaces the text in the field; the choice stays.
        const QString chosen = field->currentText();
        field->clear();
        field->addItems(shown);
        field->setEditText(chosen);
    }
}

void TDlgOptions::LoadSettings()
{
    // A missing or unreadable key keeps the setting the program runs with.
    TOptionsStorage::Load(FOptions, TIniFile(SettingsFileName()));
    ShowOptions(FOptions);
    if (QWidget* sheet = PgCtrlOptions->findChild<QWidget*>(FOptions.ActivePage);
        sheet && !FOptions.ActivePage.isEmpty() && PgCtrlOptions->indexOf(sheet) >= 0)
        PgCtrlOptions->setCurrentWidget(sheet);
    // A position stored on a screen that has gone since would open the dialog out of sight.
    if (FOptions.Position)
        move(FitOnScreen(QRect(*FOptions.Position, sizeHint()), AvailableScreens()).topLeft());
}

void TDlgOptions::ShowOptions(const TUserOptions& options)
{
    RxSpinComTimeOut->setValue(options.ComTimeOut);
    ChkBxFastTransfer->setChecked(options.FastTransfer);
    ShpColorActiveDevice->SetPen(options.ActiveDevicePen);
    ShpColorActiveDevice->SetPenMode(options.ActiveDevicePenMode);
    LblMemoFont->setFont(options.MemoFont);
    QPalette palette = LblMemoFont->palette();
    palette.setColor(QPalette::WindowText, options.MemoFontColor);
    LblMemoFont->setPalette(palette);
    for (int d = 1; d <= Devices; ++d)
        for (int m = 1; m <= 2; ++m)
            ShpColorToMsn(d, m)->SetBrush(options.ColorToMsn[d - 1][m - 1]);
    for (int i = 0; i < Ports; ++i)
        CmbBxPort[i]->setEditText(QString::fromStdString(options.Ports.Path(static_cast<tCOMPorts>(i))));
}

TUserOptions TDlgOptions::EditedOptions() const
{
    TUserOptions options;
    options.ComTimeOut = RxSpinComTimeOut->value();
    options.FastTransfer = ChkBxFastTransfer->isChecked();
    options.ActiveDevicePen = ShpColorActiveDevice->Pen();
    options.ActiveDevicePenMode = ShpColorActiveDevice->PenMode();
    options.MemoFont = LblMemoFont->font();
    options.MemoFontColor = LblMemoFont->palette().color(QPalette::WindowText);
    for (int d = 1; d <= Devices; ++d)
        for (int m = 1; m <= 2; ++m)
            options.ColorToMsn[d - 1][m - 1] = ShpColorToMsn(d, m)->Brush();
    options.Ports = PortMap();
    options.ActivePage = PgCtrlOptions->currentWidget()->objectName();
    options.Position = pos();
    return options;
}

// ---- handlers ----------------------------------------------------------------------------

void TDlgOptions::FormShow()
{
    // Adapters come and go between showings.
    FillPortLists();
    LoadSettings();
}

void TDlgOptions::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TDlgOptions::BtnColorActiveDeviceClick()
{
    if (const std::optional<QColor> colour = ChooseColor(ShpColorActiveDevice->Pen().color())) {
        QPen pen = ShpColorActiveDevice->Pen();
        pen.setColor(*colour);
        ShpColorActiveDevice->SetPen(pen);
    }
}

void TDlgOptions::BtnColorToMsnClick(QObject* sender)
{
    if (!sender)
        throw Exception("Sender ist nicht vom Typ TComponent.");
    const QString name = QString("ShpColorToMsn%1").arg(sender->property(TagProperty).toInt());
    QObject* const found = findChild<QObject*>(name);
    if (!found)
        throw Exception(name.toStdString() + " nicht gefunden.");
    auto* const shape = qobject_cast<TColorShape*>(found);
    if (!shape)
        throw Exception(name.toStdString() + " ist kein TShape.");
    if (const std::optional<QColor> colour = ChooseColor(shape->Brush().color())) {
        QBrush brush = shape->Brush();
        brush.setColor(*colour);
        shape->SetBrush(brush);
    }
}

void TDlgOptions::BtnMemoFontClick()
{
    if (const std::optional<QFont> font = ChooseFont(LblMemoFont->font()))
        LblMemoFont->setFont(*font);
}

void TDlgOptions::BitBtnOkClick()
{
    const TUserOptions edited = EditedOptions();
    TIniFile settings(SettingsFileName());
    TOptionsStorage::Save(edited, settings);
    UpdateSettingsFile(settings);
    // Only settings that reached the file are the program's.
    FOptions = edited;
    done(Accepted);
}

void TDlgOptions::BitBtnCancelClick()
{
    ShowOptions(FOptions);
    done(Rejected);
}

void TDlgOptions::BitBtnHelpClick()
{
    TApplication::HelpJump("Options");
}

void TDlgOptions::reject()
{
    BitBtnCancelClick();
}

void TDlgOptions::closeEvent(QCloseEvent* event)
{
    // Not QDialog's own handling, which would run reject() and so put the copies back.
    if (isVisible())
        done(Rejected);
    event->accept();
}

// ---- choosers ------------------------------------------------------------------------------

std::optional<QColor> TDlgOptions::ChooseColor(const QColor& initial)
{
    const QColor chosen = QColorDialog::getColor(initial, this);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

std::optional<QFont> TDlgOptions::ChooseFont(const QFont& initial)
{
    bool ok = false;
    // The chooser lists only the fonts installed on this system.
    const QFont chosen = QFontDialog::getFont(&ok, initial, this);
    if (!ok)
        return std::nullopt;
    return chosen;
}
