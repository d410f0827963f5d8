#include "device/namebutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

// Room the style keeps free on either side of a push button's caption.
int CaptionMargin(const QWidget& button)
{
    return button.style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &button);
}

}  // namespace

QString TNameButton::ShownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, std::max(0, width() - 2 * CaptionMargin(*this)));
}

void TNameButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text = ShownText();
    painter.drawControl(QStyle::CE_PushButton, option);
}
