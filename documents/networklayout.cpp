#include "documents/networklayout.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Adjacent device centres at least this far apart keep any two boxes clear of each other: it is
// more than a box's diagonal.
constexpr double DeviceSpacing = 230;
// From the device circle out to the ring of outside nodes, and the least distance between two
// outside centres on that ring.
constexpr double OutsideDistance = 230;
constexpr double OutsideSpacing = 150;
constexpr double Margin = 20;

TNetBox BoxAround(const TNetPoint& centre, double width, double height)
{
    return {centre.X - width / 2, centre.Y - height / 2, width, height};
}

double DeviceRadius(std::size_t devices)
{
    if (devices < 2)
        return 0;
    return DeviceSpacing / (2 * std::sin(std::numbers::pi / static_cast<double>(devices)));
}

// Angle of device i, clockwise on screen: the first at the top, or at the left of a pair, whose
// link would otherwise run down the boxes' edges.
double DeviceAngle(std::size_t i, std::size_t devices)
{
    const double start = devices == 2 ? std::numbers::pi : -std::numbers::pi / 2;
    return start + 2 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(devices);
}

// The device an outside node hangs on: the first link end on a device line.
int HostOf(const TNetworkPlan& plan, int outside)
{
    for (const TNetworkLink& link : plan.Links) {
        if (link.Tail.Outside == outside)
            return link.Head.Line.Device;
        if (link.Head.Outside == outside)
            return link.Tail.Line.Device;
    }
    return 0;
}

}  // namespace

bool TNetBox::Overlaps(const TNetBox& other) const
{
    return Left < other.Left + other.Width && other.Left < Left + Width && Top < other.Top + other.Height &&
           other.Top < Top + Height;
}

TNetBox TNetworkLayout::NodeBox(std::size_t node) const
{
    return BoxAround(Nodes.at(node), NodeWidth, NodeHeight);
}

TNetBox TNetworkLayout::OutsideBox(std::size_t outside) const
{
    return BoxAround(Outside.at(outside), OutsideWidth, OutsideHeight);
}

TNetPoint TNetworkLayout::LineAnchor(const TLineRef& line, const TNetPoint& towards) const
{
    const TNetPoint& centre = Nodes.at(line.Device);
    const double side = towards.X < centre.X ? -1 : 1;
    return {centre.X + side * NodeWidth / 2, centre.Y - NodeHeight / 2 + (1.5 + line.Line) * NodeRowHeight};
}

TNetPoint TNetworkLayout::Centre(const TLinkEnd& end) const
{
    return end.IsOutside() ? Outside.at(static_cast<std::size_t>(end.Outside))
                           : Nodes.at(static_cast<std::size_t>(end.Line.Device));
}

// A device line meets the link at its row; an outside node at the edge of its box that faces
// the other end.
TNetPoint TNetworkLayout::Anchor(const TLinkEnd& end, const TNetPoint& towards) const
{
    if (!end.IsOutside())
        return LineAnchor(end.Line, towards);
    const TNetPoint c = Centre(end);
    const double dx = towards.X - c.X;
    const double dy = towards.Y - c.Y;
    if (dx == 0 && dy == 0)
        return c;
    const double scale = std::min(dx == 0 ? 1e9 : OutsideWidth / 2 / std::abs(dx),
                                  dy == 0 ? 1e9 : OutsideHeight / 2 / std::abs(dy));
    return {c.X + dx * scale, c.Y + dy * scale};
}

std::vector<TNetPoint> TNetworkLayout::LinkPath(const TNetworkLink& link) const
{
    return {Anchor(link.Tail, Centre(link.Head)), Anchor(link.Head, Centre(link.Tail))};
}

TNetworkLayout LayoutNetwork(const TNetworkPlan& plan)
{
    TNetworkLayout layout;
    const std::size_t devices = plan.Nodes.size();
    const double radius = DeviceRadius(devices);
    for (std::size_t i = 0; i < devices; ++i) {
        const double angle = DeviceAngle(i, devices);
        layout.Nodes.push_back({radius * std::cos(angle), radius * std::sin(angle)});
    }

    // A device has two lines, so at most two outside nodes hang on it; they sit side by side on
    // the outer ring, centred on the device's direction. Neighbouring devices are at least a
    // sixth of the circle apart, which the ring's radius leaves room for.
    const double outer = radius + OutsideDistance;
    const double step = 2 * std::asin(std::min(1.0, OutsideSpacing / 2 / outer));
    std::vector<std::vector<int>> hung(std::max<std::size_t>(devices, 1));
    for (int o = 0; o < static_cast<int>(plan.Outside.size()); ++o)
        hung[static_cast<std::size_t>(HostOf(plan, o))].push_back(o);
    layout.Outside.resize(plan.Outside.size());
    for (std::size_t d = 0; d < hung.size(); ++d) {
        const double centreAngle = devices > 1 ? DeviceAngle(d, devices) : -std::numbers::pi / 2;
        for (std::size_t k = 0; k < hung[d].size(); ++k) {
            const double angle = centreAngle + step * (static_cast<double>(k) - (hung[d].size() - 1) / 2.0);
            layout.Outside[static_cast<std::size_t>(hung[d][k])] = {outer * std::cos(angle), outer * std::sin(angle)};
        }
    }

    double left = 0, top = 0, right = 0, bottom = 0;
    bool first = true;
    auto extend = [&](const TNetBox& box) {
        left = first ? box.Left : std::min(left, box.Left);
        top = first ? box.Top : std::min(top, box.Top);
        right = first ? box.Left + box.Width : std::max(right, box.Left + box.Width);
        bottom = first ? box.Top + box.Height : std::max(bottom, box.Top + box.Height);
        first = false;
    };
    for (std::size_t i = 0; i < layout.Nodes.size(); ++i)
        extend(layout.NodeBox(i));
    for (std::size_t i = 0; i < layout.Outside.size(); ++i)
        extend(layout.OutsideBox(i));
    layout.Bounds = {left - Margin, top - Margin, right - left + 2 * Margin, bottom - top + 2 * Margin};
    return layout;
}
