#include "device/frmpressresetdlg.h"

#include "platform/gui/application.h"

#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace {

constexpr int StatusPixelSize = 11;

QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& geometry, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

// The designed fonts are Windows fonts; the families after them are what a Linux desktop has.
QFont DesignFont(const QString& family, int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies({family, QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans Condensed")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// The labels have the designed fixed size, but the fonts at hand may run wider than the designed
// ones, and a failure's reason can be long: the font shrinks, down to a still readable size, until
// the text fits.
void FitText(QLabel* label, int pixelSize)
{
    constexpr int SmallestPixelSize = 8;
    QFont font = label->font();
    for (int size = pixelSize; size >= SmallestPixelSize; --size) {
        font.setPixelSize(size);
        label->setFont(font);
        if (label->heightForWidth(label->width()) <= label->height())
            return;
    }
}

}  // namespace

TDlgPressReset::TDlgPressReset(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgPressReset"));
    setWindowTitle(tr("TALV - Konfigurationsmodus anfordern"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    // The texts were laid out for an 11-pixel dialog font; the fixed client area needs it.
    setFont(DesignFont(QStringLiteral("MS Sans Serif"), 11, false));
    setFixedSize(306, 214);

    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(4, 4, 297, 161);

    QLabel* pressReset = MakeLabel(this, "LblPressReset", QRect(12, 12, 281, 41),
                                   tr("Bitte betätigen Sie \ndie Reset-Taste am Gerät!"));
    pressReset->setFont(DesignFont(QStringLiteral("Tahoma"), 16, true));

    QLabel* comment = MakeLabel(this, "LblComment", QRect(12, 60, 281, 57),
              tr("Das Gerät wechselt in den Konfigurationsmodus. Dieser Dialog schließt sich dann "
                 "selbständig. Durch Betätigen des \"Abbrechen\"-Buttons unterbrechen sie die "
                 "Anforderung des Konfigurationsmodus und kehren zum Programm zurück."));
    FitText(comment, 11);

    FLblStatus = MakeLabel(this, "LblStatus", QRect(12, 128, 281, 29), QString());
    FLblStatus->setFont(DesignFont(QStringLiteral("MS Sans Serif"), StatusPixelSize, true));

    FBitBtnCancel = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), tr("Abbrechen"), this);
    FBitBtnCancel->setObjectName(QStringLiteral("BitBtnCancel"));
    FBitBtnCancel->setGeometry(56, 180, 97, 25);
    // Enter presses it; Escape rejects the dialog anyway.
    FBitBtnCancel->setDefault(true);
    connect(FBitBtnCancel, &QPushButton::clicked, this, &TDlgPressReset::BitBtnCancelClick);

    FBitBtnHelp = new QPushButton(style()->standardIcon(QStyle::SP_DialogHelpButton), tr("&Hilfe"), this);
    FBitBtnHelp->setObjectName(QStringLiteral("BitBtnHelp"));
    FBitBtnHelp->setGeometry(156, 180, 97, 25);
    FBitBtnHelp->setAutoDefault(false);
    connect(FBitBtnHelp, &QPushButton::clicked, this, &TDlgPressReset::BitBtnHelpClick);
}

QColor TDlgPressReset::StatusColor(tConfigModeStatus status)
{
    switch (status) {
    case EConfigModeWaitForStart:
        return QColor(255, 255, 0);
    case EConfigModeConfirmed:
        return QColor(0, 255, 255);
    case EConfigModeEntered:
        return QColor(0, 255, 0);
    case EConfigModeFailed:
        // Light red: clearly not one of the three steps, and black text stays readable on it.
        return QColor(255, 128, 128);
    }
    return QColor();
}

void TDlgPressReset::ShowStatus(tConfigModeStatus status, const std::string& reason)
{
    FLblStatus->setText(QString::fromStdString(ConfigModeStatusText(status, reason)));
    FitText(FLblStatus, StatusPixelSize);
    QPalette palette = FLblStatus->palette();
    palette.setColor(QPalette::Window, StatusColor(status));
    palette.setColor(QPalette::WindowText, Qt::black);
    FLblStatus->setPalette(palette);
    FLblStatus->setAutoFillBackground(true);
}

void TDlgPressReset::ClearStatus()
{
    FLblStatus->clear();
    FLblStatus->setAutoFillBackground(false);
    FLblStatus->setPalette(QPalette());
}

void TDlgPressReset::CloseOk()
{
    accept();
}

void TDlgPressReset::Repaint()
{
    repaint();
}

void TDlgPressReset::Post(std::function<void()> call)
{
    // Runs on the request thread. The call is queued to the dialog's thread, never run with a
    // blocking connection: the request thread waits for it itself, in a wait that Stop can give
    // up, so a GUI thread that is stopping the request never deadlocks with it. A call still
    // queued when the request has been stopped runs later and does nothing (the hand-over says
    // it was abandoned). The dialog outlives every request: it lives until the program ends.
    QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

void TDlgPressReset::BitBtnCancelClick()
{
    reject();
}

void TDlgPressReset::BtnCancelClick()
{
    reject();
}

void TDlgPressReset::BitBtnHelpClick()
{
    TApplication::HelpJump(QStringLiteral("ConfigurationMode"));
}

void TDlgPressReset::showEvent(QShowEvent* event)
{
    // Each request starts with an empty status; the first status of the new request arrives
    // through the queue once the dialog's loop runs, after this.
    ClearStatus();
    if (!parentWidget()) {
        if (const QScreen* screen = this->screen())
            move(screen->availableGeometry().center() - rect().center());
    }
    QDialog::showEvent(event);
}
