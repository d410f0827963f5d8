#pragma once
// Where the network picture puts its nodes, in an abstract space (one unit about a pixel at
// 100 %): the devices on an ellipse in the order their links chain them, a device linked with
// three or more others in the middle, each outside node near the device that names it, and every
// link along a path that leaves its device line sideways. The same plan always gets the same
// layout.

#include "documents/networkplan.h"

#include <string>
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
    bool Contains(const TNetPoint& point) const;
};

// Sizes of the boxes; a device box holds a title row (name and port) and one row per line, and is
// as wide as the longest title needs, within these limits.
inline constexpr double MinNodeWidth = 170;
inline constexpr double MaxNodeWidth = 300;
inline constexpr double NodeRowHeight = 22;
inline constexpr double NodeHeight = 3 * NodeRowHeight;
inline constexpr double OutsideWidth = 110;
inline constexpr double OutsideHeight = 26;

struct TNetworkLayout {
    std::vector<TNetPoint> Nodes;    // centre of each device box
    std::vector<TNetPoint> Outside;  // centre of each outside box
    TNetBox Bounds;                  // every box and link, with a margin
    double NodeWidth = MinNodeWidth;  // of every device box
    // Each device's name as its box shows it: shortened with "…" where it would not fit.
    std::vector<std::string> Titles;

    TNetBox NodeBox(std::size_t node) const;
    TNetBox OutsideBox(std::size_t outside) const;
    // Where a link meets a device line: the middle of the line's row on the side facing `towards`.
    TNetPoint LineAnchor(const TLineRef& line, const TNetPoint& towards) const;
    // The polyline a link is drawn along, from its tail to its head; at least two points. At a
    // device line it leaves the row sideways for a short stretch, so that the row it belongs to
    // is plain and it never runs along a box's edge.
    std::vector<TNetPoint> LinkPath(const TNetworkLink& link) const;

private:
    TNetPoint Centre(const TLinkEnd& end) const;
    TNetPoint OutsideAnchor(int outside, const TNetPoint& towards) const;
};

TNetworkLayout LayoutNetwork(const TNetworkPlan& plan);

// Roughly how wide a text is drawn in the picture's 12-unit sans-serif font.
double NetTextWidth(const std::string& utf8, bool bold);
