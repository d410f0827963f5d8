#include "main/networkview.h"

#include "platform/exceptions.h"
#include "platform/resstrings.h"
#include "platform/wholefile.h"
#include "report/networkimage.h"

#include <QBuffer>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// How far from a link a click still takes it, in pixels on the screen: a line drawn two pixels
// wide is hard to hit exactly.
constexpr double LinkReach = 5;
constexpr double PngScale = 2;

double SegmentDistance(const TNetPoint& point, const TNetPoint& from, const TNetPoint& to)
{
    const double dx = to.X - from.X;
    const double dy = to.Y - from.Y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((point.X - from.X) * dx + (point.Y - from.Y) * dy) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(point.X - (from.X + t * dx), point.Y - (from.Y + t * dy));
}

double PathDistance(const TNetPoint& point, const std::vector<TNetPoint>& path)
{
    double nearest = std::numeric_limits<double>::infinity();
    for (std::size_t i = 1; i < path.size(); ++i)
        nearest = std::min(nearest, SegmentDistance(point, path[i - 1], path[i]));
    return nearest;
}

void WriteWhole(const std::string& fileName, std::string_view bytes)
{
    if (!ReplaceWholeFile(fileName, bytes))
        throw Exception(FmtLoadStr(245, {fileName}));
}

}  // namespace

TNetworkView::TNetworkView(QWidget* parent) : QWidget(parent)
{
    setObjectName("NetworkView");
    setMinimumSize(200, 160);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

QSize TNetworkView::sizeHint() const
{
    return {320, 320};
}

void TNetworkView::SetPicture(TNetworkPlan plan, const TLineColours& colours, const TNetworkMarks& marks)
{
    TNetworkLayout layout = LayoutNetwork(plan);
    std::string svg = NetworkSvg(plan, layout, colours, marks);
    FPlan = std::move(plan);
    FLayout = std::move(layout);
    FSvg = std::move(svg);
    setMinimumSize(std::max(200, static_cast<int>(FLayout.Bounds.Width * MinScale)),
                   std::max(160, static_cast<int>(FLayout.Bounds.Height * MinScale)));
    update();
}

void TNetworkView::paintEvent(QPaintEvent*)
{
    if (FSvg.empty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF room = QRectF(rect()).adjusted(2, 2, -2, -2);
    const QSizeF largest(FLayout.Bounds.Width * MaxScale, FLayout.Bounds.Height * MaxScale);
    const QSizeF size = largest.boundedTo(room.size());
    const QRectF target(room.center().x() - size.width() / 2, room.center().y() - size.height() / 2, size.width(),
                        size.height());
    FDrawn = DrawNetwork(painter, FSvg, target);
}

QPointF TNetworkView::WidgetPoint(const TNetPoint& point) const
{
    const TNetBox& bounds = FLayout.Bounds;
    if (FDrawn.isEmpty() || bounds.Width <= 0 || bounds.Height <= 0)
        return {};
    return {FDrawn.left() + (point.X - bounds.Left) * FDrawn.width() / bounds.Width,
            FDrawn.top() + (point.Y - bounds.Top) * FDrawn.height() / bounds.Height};
}

std::optional<TNetPoint> TNetworkView::LayoutPoint(const QPointF& point) const
{
    const TNetBox& bounds = FLayout.Bounds;
    if (FDrawn.isEmpty() || !FDrawn.contains(point))
        return std::nullopt;
    return TNetPoint{bounds.Left + (point.x() - FDrawn.left()) * bounds.Width / FDrawn.width(),
                     bounds.Top + (point.y() - FDrawn.top()) * bounds.Height / FDrawn.height()};
}

void TNetworkView::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const std::optional<TNetPoint> at = LayoutPoint(event->position());
    if (!at)
        return;
    for (std::size_t i = 0; i < FPlan.Nodes.size(); ++i)
        if (FLayout.NodeBox(i).Contains(*at)) {
            emit DeviceClicked(FPlan.Nodes[i].Index);
            return;
        }
    // The reach is meant on the screen, so it shrinks in layout units as the picture grows.
    const double reach = LinkReach * FLayout.Bounds.Width / FDrawn.width();
    const TNetworkLink* nearest = nullptr;
    double nearestDistance = reach;
    for (const TNetworkLink& link : FPlan.Links) {
        const double distance = PathDistance(*at, FLayout.LinkPath(link));
        if (distance <= nearestDistance) {
            nearest = &link;
            nearestDistance = distance;
        }
    }
    if (nearest)
        emit LinkClicked(nearest->Source);
}

void TNetworkView::WritePng(const std::string& fileName) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!NetworkImage(FSvg, PngScale).save(&buffer, "PNG"))
        throw Exception(FmtLoadStr(245, {fileName}));
    WriteWhole(fileName, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void TNetworkView::WriteSvg(const std::string& fileName) const
{
    WriteWhole(fileName, FSvg);
}
