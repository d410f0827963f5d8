#include "options/colorshape.h"

TColorShape::TColorShape(tShapeType shape, QWidget* parent) : QWidget(parent), FShape(shape)
{
}

void TColorShape::SetBrush(const QBrush& brush)
{
    if (FBrush == brush)
        return;
    FBrush = brush;
    update();
}

void TColorShape::SetPen(const QPen& pen)
{
    if (FPen == pen)
        return;
    FPen = pen;
    update();
}

void TColorShape::SetPenMode(QPainter::CompositionMode mode)
{
    if (FPenMode == mode)
        return;
    FPenMode = mode;
    update();
}

void TColorShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, FShape == stRoundRect);
    painter.setBrush(FBrush);
    painter.setPen(Qt::NoPen);
    // The frame lies inside the widget, as wide as the pen.
    const int width = FPen.style() == Qt::NoPen ? 0 : std::max(1, FPen.width());
    const QRectF inner = QRectF(rect()).adjusted(width / 2.0, width / 2.0, -width / 2.0, -width / 2.0);
    const qreal radius = FShape == stRoundRect ? std::min(inner.width(), inner.height()) / 4 : 0;
    painter.drawRoundedRect(inner, radius, radius);
    if (width > 0) {
        painter.setCompositionMode(FPenMode);
        painter.setBrush(Qt::NoBrush);
        QPen frame = FPen;
        frame.setWidth(width);
        painter.setPen(frame);
        painter.drawRoundedRect(inner, radius, radius);
    }
}
