#include "main/frmaboutbox.h"

#include "main/versionlabel.h"
#include "platform/gui/application.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

TAboutBox::TAboutBox(QWidget* parent) : TAboutBox(ProgramVersionInfo(), parent)
{
}

TAboutBox::TAboutBox(const TVersionInfo& version, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(362, 281);

    IcnProgram = new QLabel(this);
    IcnProgram->setObjectName(QStringLiteral("IcnProgram"));
    IcnProgram->setGeometry(16, 16, 64, 64);
    IcnProgram->setScaledContents(true);
    IcnProgram->setPixmap(TApplication::ProgramIcon(64 * devicePixelRatio()));

    LblProduct = new QLabel(version.ProductName, this);
    LblProduct->setObjectName(QStringLiteral("LblProduct"));
    QFont productFont = LblProduct->font();
    productFont.setBold(true);
    productFont.setPixelSize(24);
    LblProduct->setFont(productFont);
    LblProduct->setGeometry(96, 24, 250, 36);

    auto* versionCaption = new QLabel(tr("Version:"), this);
    versionCaption->setGeometry(96, 76, 60, 17);
    LblVersion = new QLabel(VersionLabel(version.Major, version.Minor, version.Release), this);
    LblVersion->setObjectName(QStringLiteral("LblVersion"));
    LblVersion->setGeometry(160, 76, 120, 17);

    LblCopyright = new QLabel(version.LegalCopyright, this);
    LblCopyright->setObjectName(QStringLiteral("LblCopyright"));
    LblCopyright->setWordWrap(true);
    LblCopyright->setGeometry(96, 112, 245, 29);

    auto* separator = new QFrame(this);
    separator->setObjectName(QStringLiteral("Bevel"));
    separator->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    separator->setGeometry(8, 224, 346, 2);

    BitBtnOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), tr("OK"), this);
    BitBtnOK->setObjectName(QStringLiteral("BitBtnOK"));
    BitBtnOK->setGeometry(144, 240, 75, 25);
    BitBtnOK->setDefault(true);
    connect(BitBtnOK, &QPushButton::clicked, this, &TAboutBox::BitBtnOKClick);

    setWindowTitle(LblProduct->text() + QStringLiteral(" - Info"));
}

void TAboutBox::BitBtnOKClick()
{
    accept();
}

void TAboutBox::showEvent(QShowEvent* event)
{
    // Centred on the screen, not on the main window, wherever that has been moved.
    if (QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}
