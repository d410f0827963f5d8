// Protects the network picture: in the usual network shapes node boxes never overlap and no link
// runs through a device box, and the SVG is well-formed XML that shows every device's name, port
// and numbers.
#include "documents/networklayout.h"
#include "documents/networksvg.h"
#include "platform/exceptions.h"
#include "tests/documents/checkplan.h"

#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

std::string Msn(int device, int line)
{
    return std::to_string(10 * (device + 1) + line + 1);
}

// Device i owns numbers "<i+1>1" and "<i+1>2"; `partner(i)` is the device its LWL2 dials
// (-1: an outside number). Devices 1 and 2 also dial an outside number from LWL1.
std::vector<TPlanDevice> Shape(int devices, const std::function<int(int)>& partner)
{
    std::vector<TPlanDevice> result;
    for (int i = 0; i < devices; ++i) {
        TPlanDevice d{"TALV " + std::to_string(i + 1), Msn(i, 0), Msn(i, 1)};
        d.Mode = EAciomcoB1B2;
        d.Number2 = partner(i) >= 0 ? Msn(partner(i), 0) : "0900" + std::to_string(i);
        if (i < 2)
            d.Number1 = "0800" + std::to_string(i);
        result.push_back(d);
    }
    return result;
}

std::vector<TNetBox> AllBoxes(const TNetworkLayout& layout)
{
    std::vector<TNetBox> boxes;
    for (std::size_t i = 0; i < layout.Nodes.size(); ++i)
        boxes.push_back(layout.NodeBox(i));
    for (std::size_t i = 0; i < layout.Outside.size(); ++i)
        boxes.push_back(layout.OutsideBox(i));
    return boxes;
}

// Whether the segment from a to b enters the inside of box (its edge, where links end, excluded).
bool Enters(const TNetPoint& a, const TNetPoint& b, const TNetBox& box)
{
    const TNetBox inside{box.Left + 1, box.Top + 1, box.Width - 2, box.Height - 2};
    const double length = std::hypot(b.X - a.X, b.Y - a.Y);
    for (double t = 0; t <= length; t += 0.5) {
        const double f = length == 0 ? 0 : t / length;
        if (inside.Contains({a.X + f * (b.X - a.X), a.Y + f * (b.Y - a.Y)}))
            return true;
    }
    return false;
}

bool Inside(const TNetBox& inner, const TNetBox& outer)
{
    return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Left + inner.Width <= outer.Left + outer.Width &&
           inner.Top + inner.Height <= outer.Top + outer.Height;
}

TEST(NetworkLayout, BoxesNeverOverlapAndLinksGoAroundThem)
{
    const std::vector<std::pair<const char*, std::function<int(int, int)>>> shapes = {
        {"chain", [](int i, int n) { return i + 1 < n ? i + 1 : -1; }},
        {"star", [](int i, int) { return i == 0 ? -1 : 0; }},
        {"ring", [](int i, int n) { return (i + 1) % n; }},
    };
    for (const auto& [name, shape] : shapes) {
        // clang 14 does not let a lambda capture a structured binding.
        const std::function<int(int, int)>& partnerOf = shape;
        for (int n = 1; n <= 6; ++n) {
            const TPlan plan(Shape(n, [&partnerOf, n](int i) { return partnerOf(i, n); }));
            const TNetworkPlan network = BuildNetworkPlan(plan.Shown(SIZE_MAX));
            const TNetworkLayout layout = LayoutNetwork(network);
            const std::vector<TNetBox> boxes = AllBoxes(layout);
            ASSERT_EQ(boxes.size(), network.Nodes.size() + network.Outside.size());
            for (std::size_t a = 0; a < boxes.size(); ++a) {
                EXPECT_TRUE(Inside(boxes[a], layout.Bounds)) << name << " " << n << " box " << a;
                for (std::size_t b = a + 1; b < boxes.size(); ++b)
                    EXPECT_FALSE(boxes[a].Overlaps(boxes[b])) << name << " " << n << " boxes " << a << ", " << b;
            }
            for (const TNetworkLink& link : network.Links) {
                const std::vector<TNetPoint> path = layout.LinkPath(link);
                for (std::size_t k = 0; k + 1 < path.size(); ++k)
                    for (std::size_t d = 0; d < layout.Nodes.size(); ++d)
                        EXPECT_FALSE(Enters(path[k], path[k + 1], layout.NodeBox(d)))
                            << name << " " << n << " link from device " << link.Source.Device + 1 << " through box " << d + 1;
            }
            const TNetworkLayout again = LayoutNetwork(network);
            for (std::size_t i = 0; i < boxes.size(); ++i) {
                EXPECT_EQ(AllBoxes(again)[i].Left, boxes[i].Left) << name << " " << n;
                EXPECT_EQ(AllBoxes(again)[i].Top, boxes[i].Top) << name << " " << n;
            }
        }
    }
}

struct TParsedSvg {
    std::string Error;  // empty when the document is well-formed
    std::string RootName;
    std::string RootNamespace;
    std::vector<std::string> Texts;
    int DashedLines = 0;
    int RedStrokes = 0;
};

TParsedSvg Parse(const std::string& svg)
{
    TParsedSvg parsed;
    QXmlStreamReader reader(QByteArray::fromStdString(svg));
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement())
            continue;
        if (parsed.RootName.empty()) {
            parsed.RootName = reader.name().toString().toStdString();
            parsed.RootNamespace = reader.namespaceUri().toString().toStdString();
        }
        const QXmlStreamAttributes attributes = reader.attributes();
        // Each link is a dark casing with its coloured line on top; count the coloured one.
        if (reader.name() == u"polyline" && attributes.hasAttribute("stroke-dasharray") &&
            attributes.value("stroke") != u"#404040")
            ++parsed.DashedLines;
        if (attributes.value("stroke") == u"#e00000")
            ++parsed.RedStrokes;
        if (reader.name() == u"text")
            parsed.Texts.push_back(reader.readElementText().toStdString());
    }
    if (reader.hasError())
        parsed.Error = reader.errorString().toStdString();
    return parsed;
}

TLineColours SomeColours()
{
    TLineColours colours;
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] = i % 2 == 0 ? "#1020a0" : "#20a010";
    return colours;
}

TEST(NetworkSvg, IsWellFormedAndShowsEveryDevice)
{
    // Names that need escaping, a both-dial error, an outside number and a leased line.
    const TPlan plan({{"A&B <Nord>", "11", "12", "21", "0800", EAciomcoB1B2},
                      {"\"Süd\" 'x'", "21", "-", "-", "-", EAciomcoB1B2},
                      {"Fest", "-", "-", "-", "-", EAciomcoNo, IsdnLeasedLineB1}});
    TMessageList log;
    plan.Run(log);
    const TNetworkPlan network = BuildNetworkPlan(plan.Shown(SIZE_MAX));
    const TNetworkLayout layout = LayoutNetwork(network);
    const TNetworkMarks marks = NetworkMarksFromCheck(network, log);
    const TParsedSvg parsed = Parse(NetworkSvg(network, layout, SomeColours(), marks));

    ASSERT_EQ(parsed.Error, "");
    EXPECT_EQ(parsed.RootName, "svg");
    EXPECT_EQ(parsed.RootNamespace, "http://www.w3.org/2000/svg");
    for (const char* text : {"A&B <Nord>", "\"Süd\" 'x'", "Fest", "COM1", "11", "12", "21", "-", "0800", "B1", "LWL1", "LWL2"})
        EXPECT_NE(std::find(parsed.Texts.begin(), parsed.Texts.end(), text), parsed.Texts.end()) << text;
    EXPECT_EQ(parsed.DashedLines, 1);
    EXPECT_GE(parsed.RedStrokes, 1);
}

TEST(NetworkSvg, RefusesWhatDoesNotFit)
{
    const TPlan plan(std::vector<TPlanDevice>{{"A", "11"}});
    const TNetworkPlan network = BuildNetworkPlan(plan.Shown(SIZE_MAX));
    const TNetworkLayout layout = LayoutNetwork(network);
    const TNetworkMarks marks{{tNetworkMark::None}, {}};
    TLineColours colours = SomeColours();
    colours[5] = "red\"/><x";
    EXPECT_THROW(NetworkSvg(network, layout, colours, marks), ERangeError);
    EXPECT_THROW(NetworkSvg(network, layout, SomeColours(), TNetworkMarks{}), ERangeError);
    EXPECT_NO_THROW(NetworkSvg(network, layout, SomeColours(), marks));
}

}  // namespace
