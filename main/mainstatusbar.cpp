#include "main/mainstatusbar.h"

#include "device/hint.h"

#include <QPaintEvent>
#include <QPainter>
#include <qdrawutil.h>

TMainStatusBar::TMainStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setFixedHeight(25);
    // The panel widths are fixed in pixels, so the captions use the compact font the widths
    // were made for (as the device panels do) rather than the desktop's default size.
    QFont compact = font();
    compact.setPixelSize(11);
    setFont(compact);
    setSizeGripEnabled(false);
    // The hint panel shows the current message; QStatusBar would draw it at its own place.
    connect(this, &QStatusBar::messageChanged, this, [this] { update(); });
}

void TMainStatusBar::SetCounts(int errors, int warnings)
{
    if (errors == FErrors && warnings == FWarnings)
        return;
    FErrors = errors;
    FWarnings = warnings;
    update();
}

void TMainStatusBar::SetActivity(const QString& text)
{
    if (text == FActivity)
        return;
    FActivity = text;
    update();
}

QString TMainStatusBar::PanelText(int index) const
{
    switch (index) {
    case ErrorCaption:
        return tr("Fehler:");
    case ErrorCount:
        return QString::number(FErrors);
    case WarningCaption:
        return tr("Warnungen:");
    case WarningCount:
        return QString::number(FWarnings);
    case Hint: {
        const QString hint = LongHint(currentMessage());
        return hint.isEmpty() ? FActivity : hint;
    }
    default:
        return {};
    }
}

QRect TMainStatusBar::PanelRect(int index) const
{
    // Panels sit side by side from the left with a gap of 2 pixels, each the bar's height less
    // a border of 2 pixels at top and bottom.
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += PanelWidths[i] + 2;
    return QRect(left, 2, PanelWidths[index], height() - 4);
}

void TMainStatusBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor bar = palette().color(QPalette::Window);
    painter.fillRect(rect(), bar);
    for (int i = 0; i < PanelCount; ++i) {
        const QRect r = PanelRect(i);
        switch (i) {
        case ErrorLamp:
            DrawLamp(painter, r, FErrors > 0, Qt::red);
            break;
        case WarningLamp:
            DrawLamp(painter, r, FWarnings > 0, Qt::blue);
            break;
        case ErrorCount:
            DrawCountBox(painter, r, FErrors, Qt::red);
            break;
        case WarningCount:
            DrawCountBox(painter, r, FWarnings, Qt::blue);
            break;
        case Hint:
            qDrawShadePanel(&painter, r, palette(), true, 1);
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawText(r.adjusted(3, 0, -3, 0), Qt::AlignVCenter | Qt::AlignLeft, PanelText(i));
            break;
        default:
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawText(r, Qt::AlignVCenter | Qt::AlignLeft, PanelText(i));
            break;
        }
    }
}

void TMainStatusBar::DrawLamp(QPainter& painter, const QRect& rect, bool lit, const QColor& colour) const
{
    painter.fillRect(rect, lit ? colour : palette().color(QPalette::Window));
}

void TMainStatusBar::DrawCountBox(QPainter& painter, const QRect& rect, int count, const QColor& colour) const
{
    const QColor outline = count > 0 ? colour : palette().color(QPalette::Window);
    painter.setPen(QPen(outline, 2));
    painter.setBrush(Qt::NoBrush);
    // A 2-pixel pen straddles the path; moving it in by one pixel keeps the outline inside.
    painter.drawRect(rect.adjusted(1, 1, -1, -1));
    const QString text = QString::number(count);
    const int width = painter.fontMetrics().horizontalAdvance(text);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QPoint(rect.right() - 3 - width, rect.top() + 1 + painter.fontMetrics().ascent()), text);
}
