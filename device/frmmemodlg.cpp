#include "device/frmmemodlg.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int Gap = 4;

}  // namespace

TFrmDevMemo::TFrmDevMemo(QWidget* parent) : QDialog(parent)
{
    setObjectName("FrmDevMemo");
    setWindowTitle(tr("Kommentar"));
    resize(379, 232);

    FPnlClient = new QFrame(this);
    FPnlClient->setObjectName("PnlClient");
    FMemoEdit = new QPlainTextEdit(FPnlClient);
    FMemoEdit->setObjectName("MemoEdit");
    FMemoEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    FMemoEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    FMemoEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    FMemoEdit->installEventFilter(this);
    auto* client = new QVBoxLayout(FPnlClient);
    client->setContentsMargins(2, 2, 2, 2);
    client->addWidget(FMemoEdit);

    FPnlButtons = new QFrame(this);
    FPnlButtons->setObjectName("PnlButtons");
    FPnlButtons->setFixedHeight(27);
    FBitBtnOk = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), tr("OK"), FPnlButtons);
    FBitBtnOk->setObjectName("BitBtnOk");
    FBitBtnCancel = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), tr("Abbrechen"), FPnlButtons);
    FBitBtnCancel->setObjectName("BitBtnCancel");
    // Return belongs to the editor (a line break), never to a default button.
    FBitBtnOk->setAutoDefault(false);
    FBitBtnCancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout(FPnlButtons);
    buttons->setContentsMargins(2, 0, 2, 2);
    buttons->addStretch(1);
    buttons->addWidget(FBitBtnOk);
    buttons->addWidget(FBitBtnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(FPnlClient, 1);
    layout->addWidget(FPnlButtons);

    connect(FBitBtnOk, &QPushButton::clicked, this, &TFrmDevMemo::BitBtnOkClick);
    connect(FBitBtnCancel, &QPushButton::clicked, this, &TFrmDevMemo::BitBtnCancelClick);
}

void TFrmDevMemo::SetLines(const std::vector<std::string>& lines)
{
    QStringList text;
    for (const std::string& line : lines)
        text << QString::fromStdString(line);
    FMemoEdit->setPlainText(text.join(u'\n'));
    FMemoEdit->document()->setModified(false);
}

std::vector<std::string> TFrmDevMemo::Lines() const
{
    // An empty editor is no comment at all, not one empty line.
    const QString text = FMemoEdit->toPlainText();
    std::vector<std::string> lines;
    if (text.isEmpty())
        return lines;
    for (const QString& line : text.split(u'\n'))
        lines.push_back(line.toStdString());
    return lines;
}

bool TFrmDevMemo::UserModified() const
{
    return FMemoEdit->document()->isModified();
}

QRect TFrmDevMemo::Placement(const QPoint& panelTopLeft, const QSize& panelSize, const QRect& screen)
{
    const int y = panelTopLeft.y();
    const int h = panelSize.height();
    const int top = y + 2 * h + Gap > screen.y() + screen.height() ? y - h - Gap : y + h + Gap;
    return QRect(QPoint(panelTopLeft.x(), top), panelSize);
}

std::optional<std::vector<std::string>> TFrmDevMemo::Execute(const QString& caption,
                                                              const std::vector<std::string>& lines,
                                                              const QRect& geometry)
{
    setWindowTitle(caption);
    SetLines(lines);
    setGeometry(geometry);
    if (exec() != QDialog::Accepted || !UserModified())
        return std::nullopt;
    return Lines();
}

void TFrmDevMemo::BitBtnOkClick()
{
    accept();
}

void TFrmDevMemo::BitBtnCancelClick()
{
    reject();
}

void TFrmDevMemo::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FMemoEdit->setFocus(Qt::OtherFocusReason);
}

bool TFrmDevMemo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FMemoEdit && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        BitBtnCancelClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
