#include "documents/networklayout.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>

namespace {

constexpr double Margin = 24;
// How far a link runs straight out of its row before it turns towards the other end.
constexpr double Stub = 16;
// Free space kept between any two boxes; more than two stubs, so links between neighbours show.
constexpr double Gap = 40;
// The devices' ellipse is wider than high, as the boxes are.
constexpr double Aspect = 1.5;
// Left of the name, between name and port, right of the port.
constexpr double TitlePadding = 10;
constexpr const char* Ellipsis = "\xE2\x80\xA6";

TNetBox BoxAround(const TNetPoint& centre, double width, double height)
{
    return {centre.X - width / 2, centre.Y - height / 2, width, height};
}

TNetBox Inflated(const TNetBox& box, double by)
{
    return {box.Left - by, box.Top - by, box.Width + 2 * by, box.Height + 2 * by};
}

// The code points of a UTF-8 text, each as its bytes.
std::vector<std::string> CodePoints(const std::string& utf8)
{
    std::vector<std::string> points;
    for (const char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0) == 0x80 && !points.empty())
            points.back() += c;
        else
            points.emplace_back(1, c);
    }
    return points;
}

std::string Shortened(const std::string& name, double room)
{
    if (NetTextWidth(name, true) <= room)
        return name;
    std::string result;
    for (const std::string& point : CodePoints(name)) {
        if (NetTextWidth(result + point + Ellipsis, true) > room)
            break;
        result += point;
    }
    return result + Ellipsis;
}

// Whether the straight segment from a to b passes through box (Liang-Barsky clipping).
bool Crosses(const TNetPoint& a, const TNetPoint& b, const TNetBox& box)
{
    double t0 = 0, t1 = 1;
    const double dx = b.X - a.X, dy = b.Y - a.Y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.X - box.Left, box.Left + box.Width - a.X, a.Y - box.Top, box.Top + box.Height - a.Y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

// The devices each device is linked with, without itself, in index order.
std::vector<std::vector<int>> Neighbours(const TNetworkPlan& plan)
{
    std::vector<std::vector<int>> result(plan.Nodes.size());
    for (const TNetworkLink& link : plan.Links) {
        if (link.Tail.IsOutside() || link.Head.IsOutside() || link.Tail.Line.Device == link.Head.Line.Device)
            continue;
        const int a = link.Tail.Line.Device, b = link.Head.Line.Device;
        result[a].push_back(b);
        result[b].push_back(a);
    }
    for (std::vector<int>& list : result) {
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
    }
    return result;
}

// The device in the middle of a star: linked with three or more others, more than any other
// device is. None (-1) for fewer than four devices.
int HubOf(const std::vector<std::vector<int>>& neighbours)
{
    if (neighbours.size() < 4)
        return -1;
    int hub = -1;
    std::size_t most = 2;
    bool unique = false;
    for (std::size_t d = 0; d < neighbours.size(); ++d) {
        if (neighbours[d].size() > most) {
            most = neighbours[d].size();
            hub = static_cast<int>(d);
            unique = true;
        } else if (neighbours[d].size() == most) {
            unique = false;
        }
    }
    return unique ? hub : -1;
}

// The order of the devices around the ellipse: each group of linked devices walked from one of
// its ends, so that a chain or a ring has its links between neighbours.
std::vector<int> RingOrder(const std::vector<std::vector<int>>& neighbours, int hub)
{
    const int count = static_cast<int>(neighbours.size());
    std::vector<bool> placed(neighbours.size(), false);
    if (hub >= 0)
        placed[hub] = true;
    auto openNeighbours = [&](int d) {
        return std::count_if(neighbours[d].begin(), neighbours[d].end(), [&](int n) { return !placed[n]; });
    };
    std::vector<int> order;
    auto walk = [&](auto&& self, int d) -> void {
        placed[d] = true;
        order.push_back(d);
        for (const int n : neighbours[d])
            if (!placed[n])
                self(self, n);
    };
    for (;;) {
        int start = -1;
        for (int d = 0; d < count; ++d)
            if (!placed[d] && (start < 0 || openNeighbours(d) < openNeighbours(start)))
                start = d;
        if (start < 0)
            return order;
        walk(walk, start);
    }
}

// Angle of the k-th of n devices on the ellipse, clockwise on screen: the first at the top, or at
// the left of a pair.
double RingAngle(std::size_t k, std::size_t n)
{
    const double start = n == 2 ? std::numbers::pi : -std::numbers::pi / 2;
    return start + 2 * std::numbers::pi * static_cast<double>(k) / static_cast<double>(n);
}

class TLayoutMaker {
public:
    explicit TLayoutMaker(const TNetworkPlan& plan) : P(plan) {}

    TNetworkLayout Make()
    {
        SizeBoxes();
        PlaceDevices();
        PlaceOutside();
        FindBounds();
        return std::move(L);
    }

private:
    void SizeBoxes()
    {
        double widest = 0;
        for (const TNetworkNode& node : P.Nodes)
            widest = std::max(widest, NetTextWidth(node.Name, true) + NetTextWidth(node.Port, false) + 3 * TitlePadding);
        L.NodeWidth = std::clamp(widest, MinNodeWidth, MaxNodeWidth);
        for (const TNetworkNode& node : P.Nodes)
            L.Titles.push_back(Shortened(node.Name, L.NodeWidth - NetTextWidth(node.Port, false) - 3 * TitlePadding));
    }

    bool Free(const TNetBox& box, std::size_t devices, std::size_t outside) const
    {
        const TNetBox wide = Inflated(box, Gap / 2);
        for (std::size_t i = 0; i < devices; ++i)
            if (wide.Overlaps(Inflated(L.NodeBox(i), Gap / 2)))
                return false;
        for (std::size_t i = 0; i < outside; ++i)
            if (wide.Overlaps(Inflated(L.OutsideBox(i), Gap / 2)))
                return false;
        return true;
    }

    // The ellipse grows until no two device boxes come closer than the gap, then on until no link
    // between devices runs through a box, up to a limit; where that is never reached, the size with
    // the fewest such links.
    void PlaceDevices()
    {
        const std::size_t count = P.Nodes.size();
        L.Nodes.assign(count, {});
        if (count < 2)
            return;
        const std::vector<std::vector<int>> neighbours = Neighbours(P);
        const int hub = HubOf(neighbours);
        const std::vector<int> order = RingOrder(neighbours, hub);
        auto place = [&](double radius) {
            for (std::size_t k = 0; k < order.size(); ++k) {
                const double angle = RingAngle(k, order.size());
                L.Nodes[order[k]] = {Aspect * radius * std::cos(angle), radius * std::sin(angle)};
            }
        };
        double radius = 40;
        for (;; radius += 4) {
            place(radius);
            if (!BoxesTooClose())
                break;
        }
        double best = radius;
        int fewest = CrossingLinks();
        for (const double limit = 2.5 * radius; fewest > 0 && radius < limit;) {
            radius += 4;
            place(radius);
            const int crossing = CrossingLinks();
            if (crossing < fewest) {
                fewest = crossing;
                best = radius;
            }
        }
        place(best);
    }

    bool BoxesTooClose() const
    {
        for (std::size_t a = 0; a < L.Nodes.size(); ++a)
            for (std::size_t b = a + 1; b < L.Nodes.size(); ++b)
                if (Inflated(L.NodeBox(a), Gap / 2).Overlaps(Inflated(L.NodeBox(b), Gap / 2)))
                    return true;
        return false;
    }

    // Links between devices whose path runs through a box; links to outside nodes do not count, as
    // those are placed later.
    int CrossingLinks() const
    {
        int crossing = 0;
        for (const TNetworkLink& link : P.Links) {
            if (link.Tail.IsOutside() || link.Head.IsOutside())
                continue;
            const std::vector<TNetPoint> path = L.LinkPath(link);
            for (std::size_t d = 0; d < L.Nodes.size(); ++d)
                if (Crosses(path[1], path[2], Inflated(L.NodeBox(d), -1))) {
                    ++crossing;
                    break;
                }
        }
        return crossing;
    }

    // Each outside node as close to its device as it fits: first straight out from the middle of
    // the picture, then turning to either side, then further out. The link to it, from the stub of
    // its line, crosses no box, its own device's included.
    void PlaceOutside()
    {
        L.Outside.assign(P.Outside.size(), {});
        for (std::size_t o = 0; o < P.Outside.size(); ++o) {
            const TLineRef line = LineOf(static_cast<int>(o));
            const TNetPoint from = L.Nodes.at(static_cast<std::size_t>(line.Device));
            const bool central = std::hypot(from.X, from.Y) < 1;
            const double outward = central ? -std::numbers::pi / 2 : std::atan2(from.Y, from.X / Aspect);
            L.Outside[o] = Spot(line, outward, o);
        }
    }

    // The device line an outside node hangs on: the first link end on a device line.
    TLineRef LineOf(int outside) const
    {
        for (const TNetworkLink& link : P.Links) {
            if (link.Tail.Outside == outside)
                return link.Head.Line;
            if (link.Head.Outside == outside)
                return link.Tail.Line;
        }
        return {};
    }

    // Free spots further out than this stop waiting for a link that crosses no box; the first
    // free spot is taken then, and one is always found further out.
    static constexpr double FarOut = 600;

    TNetPoint Spot(const TLineRef& line, double outward, std::size_t placed)
    {
        constexpr double Turns[] = {0, 30, -30, 60, -60, 90, -90, 120, -120, 150, -150, 180};
        const TNetPoint from = L.Nodes.at(static_cast<std::size_t>(line.Device));
        TNetworkLink probe;
        probe.Tail.Line = line;
        probe.Head.Outside = static_cast<int>(placed);
        for (double distance = 80;; distance += 20) {
            for (const double turn : Turns) {
                const double angle = outward + turn * std::numbers::pi / 180;
                const TNetPoint spot{from.X + distance * std::cos(angle), from.Y + distance * std::sin(angle)};
                if (!Free(BoxAround(spot, OutsideWidth, OutsideHeight), L.Nodes.size(), placed))
                    continue;
                L.Outside[placed] = spot;
                const std::vector<TNetPoint> path = L.LinkPath(probe);
                bool crossing = false;
                for (std::size_t d = 0; d < L.Nodes.size() && !crossing; ++d)
                    crossing = Crosses(path[path.size() - 2], path.back(), Inflated(L.NodeBox(d), -1));
                if (!crossing || distance > FarOut)
                    return spot;
            }
        }
    }

    void FindBounds()
    {
        double left = 0, top = 0, right = 0, bottom = 0;
        bool first = true;
        auto extend = [&](const TNetBox& box) {
            left = first ? box.Left : std::min(left, box.Left);
            top = first ? box.Top : std::min(top, box.Top);
            right = first ? box.Left + box.Width : std::max(right, box.Left + box.Width);
            bottom = first ? box.Top + box.Height : std::max(bottom, box.Top + box.Height);
            first = false;
        };
        for (std::size_t i = 0; i < L.Nodes.size(); ++i)
            extend(L.NodeBox(i));
        for (std::size_t i = 0; i < L.Outside.size(); ++i)
            extend(L.OutsideBox(i));
        for (const TNetworkLink& link : P.Links)
            for (const TNetPoint& point : L.LinkPath(link))
                extend({point.X, point.Y, 0, 0});
        L.Bounds = {left - Margin, top - Margin, right - left + 2 * Margin, bottom - top + 2 * Margin};
    }

    const TNetworkPlan& P;
    TNetworkLayout L;
};

}  // namespace

double NetTextWidth(const std::string& utf8, bool bold)
{
    // Widths of DejaVu Sans-like faces in twelfths of the font size; close enough to size boxes.
    double width = 0;
    for (const std::string& point : CodePoints(utf8)) {
        const char c = point.size() == 1 ? point[0] : 'a';
        double em = 0.62;
        if (std::string_view("iljtfr.,:;'|!I ()[]-").find(c) != std::string_view::npos)
            em = 0.36;
        else if (std::string_view("mwMW").find(c) != std::string_view::npos)
            em = 0.92;
        else if (c >= 'A' && c <= 'Z')
            em = 0.72;
        else if (c >= '0' && c <= '9')
            em = 0.64;
        width += 12 * em;
    }
    return bold ? width * 1.1 : width;
}

bool TNetBox::Overlaps(const TNetBox& other) const
{
    return Left < other.Left + other.Width && other.Left < Left + Width && Top < other.Top + other.Height &&
           other.Top < Top + Height;
}

bool TNetBox::Contains(const TNetPoint& point) const
{
    return point.X >= Left && point.X <= Left + Width && point.Y >= Top && point.Y <= Top + Height;
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

// The edge of an outside box where the line from `towards` to its centre meets it.
TNetPoint TNetworkLayout::OutsideAnchor(int outside, const TNetPoint& towards) const
{
    const TNetPoint c = Outside.at(static_cast<std::size_t>(outside));
    const double dx = towards.X - c.X;
    const double dy = towards.Y - c.Y;
    if (dx == 0 && dy == 0)
        return c;
    const double scale = std::min(dx == 0 ? 1e9 : OutsideWidth / 2 / std::abs(dx),
                                  dy == 0 ? 1e9 : OutsideHeight / 2 / std::abs(dy));
    return {c.X + dx * scale, c.Y + dy * scale};
}

// Each device end leaves its row to the left or to the right; of the (up to four) ways, the link
// takes the one whose free stretch crosses the fewest boxes, then the shortest.
std::vector<TNetPoint> TNetworkLayout::LinkPath(const TNetworkLink& link) const
{
    if (link.Tail.IsOutside() && link.Head.IsOutside())
        return {Centre(link.Tail), Centre(link.Head)};
    auto leave = [this](const TLineRef& line, double side) {
        const TNetPoint& own = Nodes.at(static_cast<std::size_t>(line.Device));
        const TNetPoint anchor = LineAnchor(line, {own.X + side, own.Y});
        return std::pair{anchor, TNetPoint{anchor.X + side * Stub, anchor.Y}};
    };
    // With an outside end only the device end has a side to choose.
    const bool toOutside = link.Tail.IsOutside() || link.Head.IsOutside();
    const std::vector<double> otherSides = toOutside ? std::vector<double>{1.0} : std::vector<double>{1.0, -1.0};
    std::vector<TNetPoint> best;
    double bestCost = 0;
    for (const double side : {1.0, -1.0}) {
        for (const double otherSide : otherSides) {
            std::vector<TNetPoint> path;
            if (link.Tail.IsOutside()) {
                const auto [anchor, stub] = leave(link.Head.Line, side);
                path = {OutsideAnchor(link.Tail.Outside, stub), stub, anchor};
            } else if (link.Head.IsOutside()) {
                const auto [anchor, stub] = leave(link.Tail.Line, side);
                path = {anchor, stub, OutsideAnchor(link.Head.Outside, stub)};
            } else {
                const auto [tailAnchor, tailStub] = leave(link.Tail.Line, side);
                const auto [headAnchor, headStub] = leave(link.Head.Line, otherSide);
                path = {tailAnchor, tailStub, headStub, headAnchor};
            }
            // The free stretch: between the stubs, or from a stub to an outside box.
            const TNetPoint& a = link.Tail.IsOutside() ? path[0] : path[1];
            const TNetPoint& b = link.Head.IsOutside() ? path.back() : path[path.size() - 2];
            int crossed = 0;
            for (std::size_t d = 0; d < Nodes.size(); ++d)
                crossed += Crosses(a, b, Inflated(NodeBox(d), -1)) ? 1 : 0;
            // Of two equal ways, the one on the outer sides of the picture keeps the middle free.
            double inward = 0;
            if (!link.Tail.IsOutside())
                inward += side * Nodes.at(static_cast<std::size_t>(link.Tail.Line.Device)).X < 0 ? 1 : 0;
            if (!link.Head.IsOutside() && !toOutside)
                inward += otherSide * Nodes.at(static_cast<std::size_t>(link.Head.Line.Device)).X < 0 ? 1 : 0;
            const double cost = 1e6 * crossed + std::hypot(b.X - a.X, b.Y - a.Y) + inward;
            if (best.empty() || cost < bestCost) {
                best = path;
                bestCost = cost;
            }
        }
    }
    return best;
}

TNetworkLayout LayoutNetwork(const TNetworkPlan& plan)
{
    return TLayoutMaker(plan).Make();
}
