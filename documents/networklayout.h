#pragma once
// Where the network picture puts its nodes, in an abstract space (one unit about a pixel at
// 100 %): the devices on a circle in plan order, each outside node beyond the device that first
// names it. The same plan always gets the same layout.

#include "documents/networkplan.h"

#include <vector>

struct TNetPoint {
    double X = 0;
    double Y = 0;
};

struct TNetBox {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;

    bool Overlaps(const TNetBox& other) const;
};

// Sizes of the boxes; a device box holds a title row (name and port) and one row per line.
inline constexpr double NodeWidth = 180;
inline constexpr double NodeRowHeight = 22;
inline constexpr double NodeHeight = 3 * NodeRowHeight;
inline constexpr double OutsideWidth = 110;
inline constexpr double OutsideHeight = 26;

struct TNetworkLayout {
    std::vector<TNetPoint> Nodes;    // centre of each device box
    std::vector<TNetPoint> Outside;  // centre of each outside box
    TNetBox Bounds;                  // every box, with a margin

    TNetBox NodeBox(std::size_t node) const;
    TNetBox OutsideBox(std::size_t outside) const;
    // Where a link meets a device line: the middle of the line's row on the side facing `towards`.
    TNetPoint LineAnchor(const TLineRef& line, const TNetPoint& towards) const;
    // The polyline a link is drawn along, from its tail to its head; at least two points.
    std::vector<TNetPoint> LinkPath(const TNetworkLink& link) const;

private:
    TNetPoint Centre(const TLinkEnd& end) const;
    TNetPoint Anchor(const TLinkEnd& end, const TNetPoint& towards) const;
};

TNetworkLayout LayoutNetwork(const TNetworkPlan& plan);
