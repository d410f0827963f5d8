#include "documents/networksvg.h"

#include "platform/exceptions.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace {

constexpr const char* ErrorColour = "#e00000";
constexpr const char* WarningColour = "#f0c000";
constexpr const char* OutlineColour = "#404040";

void CheckColour(const std::string& colour)
{
    bool valid = colour.size() == 7 && colour[0] == '#';
    for (std::size_t i = 1; valid && i < colour.size(); ++i)
        valid = std::isxdigit(static_cast<unsigned char>(colour[i])) != 0;
    if (!valid)
        throw ERangeError("NetworkSvg: falsche Farbe " + colour);
}

// Short fixed notation keeps the output the same on every platform.
std::string Num(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", std::abs(value) < 0.05 ? 0.0 : value);
    return text;
}

const char* MarkColour(tNetworkMark mark)
{
    return mark == tNetworkMark::Error ? ErrorColour : WarningColour;
}

class TSvgWriter {
public:
    TSvgWriter(const TNetworkPlan& plan, const TNetworkLayout& layout, const TLineColours& colours,
               const TNetworkMarks& marks)
        : P(plan), L(layout), C(colours), M(marks)
    {
    }

    std::string Write()
    {
        const TNetBox& b = L.Bounds;
        S << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
          << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << Num(b.Width) << "\" height=\""
          << Num(b.Height) << "\" viewBox=\"" << Num(b.Left) << ' ' << Num(b.Top) << ' ' << Num(b.Width) << ' '
          << Num(b.Height) << "\" font-family=\"sans-serif\" font-size=\"12\">\n";
        WriteMarkers();
        for (std::size_t i = 0; i < P.Links.size(); ++i)
            WriteLink(i);
        for (std::size_t i = 0; i < P.Nodes.size(); ++i)
            WriteNode(i);
        for (std::size_t i = 0; i < P.Outside.size(); ++i)
            WriteOutside(i);
        S << "</svg>\n";
        return S.str();
    }

private:
    const std::string& Colour(const TLineRef& line) const
    {
        return C.at(static_cast<std::size_t>(2 * line.Device + line.Line));
    }

    // SVG 1.1 markers cannot take the colour of the line they sit on, so each line colour gets one.
    void WriteMarkers()
    {
        S << "<defs>\n";
        for (std::size_t i = 0; i < C.size(); ++i)
            S << "<marker id=\"arrow" << i << "\" viewBox=\"0 0 10 10\" refX=\"10\" refY=\"5\" markerWidth=\"8\" "
              << "markerHeight=\"8\" orient=\"auto\" markerUnits=\"userSpaceOnUse\"><path d=\"M0,0 L10,5 L0,10 z\" fill=\""
              << C[i] << "\"/></marker>\n";
        S << "</defs>\n";
    }

    void WriteLink(std::size_t i)
    {
        const TNetworkLink& link = P.Links[i];
        const std::vector<TNetPoint> path = L.LinkPath(link);
        const TNetPoint from = path.front();
        const TNetPoint to = path.back();
        const std::string coords = "x1=\"" + Num(from.X) + "\" y1=\"" + Num(from.Y) + "\" x2=\"" + Num(to.X) +
                                   "\" y2=\"" + Num(to.Y) + "\"";
        if (M.Links[i] != tNetworkMark::None)
            S << "<line " << coords << " stroke=\"" << MarkColour(M.Links[i]) << "\" stroke-width=\"8\" stroke-linecap=\"round\"/>\n";
        S << "<line " << coords << " stroke=\"" << Colour(link.Source) << "\" stroke-width=\"2\"";
        if (link.Leased)
            S << " stroke-dasharray=\"8,4\"";
        if (link.Directed)
            S << " marker-end=\"url(#arrow" << 2 * link.Source.Device + link.Source.Line << ")\"";
        S << "/>\n";
        if (!link.Label.empty())
            S << "<text x=\"" << Num((from.X + to.X) / 2) << "\" y=\"" << Num((from.Y + to.Y) / 2 - 4)
              << "\" text-anchor=\"middle\">" << XmlEscaped(link.Label) << "</text>\n";
    }

    void WriteNode(std::size_t i)
    {
        const TNetworkNode& node = P.Nodes[i];
        const TNetBox box = L.NodeBox(i);
        const tNetworkMark mark = M.Nodes[i];
        S << "<g id=\"device" << node.Index + 1 << "\">\n"
          << "<rect x=\"" << Num(box.Left) << "\" y=\"" << Num(box.Top) << "\" width=\"" << Num(box.Width)
          << "\" height=\"" << Num(box.Height) << "\" fill=\"#ffffff\" stroke=\""
          << (mark == tNetworkMark::None ? OutlineColour : MarkColour(mark)) << "\" stroke-width=\""
          << (mark == tNetworkMark::None ? 1 : 4) << "\"/>\n";
        Text(box.Left + 6, box.Top + NodeRowHeight - 6, XmlEscaped(node.Name), "font-weight=\"bold\"");
        Text(box.Left + box.Width - 6, box.Top + NodeRowHeight - 6, XmlEscaped(node.Port), "text-anchor=\"end\"");
        for (int line = 0; line < 2; ++line) {
            const double rowTop = box.Top + (1 + line) * NodeRowHeight;
            S << "<rect x=\"" << Num(box.Left + 6) << "\" y=\"" << Num(rowTop + 6) << "\" width=\"10\" height=\"10\" fill=\""
              << Colour({node.Index, line}) << "\"/>\n";
            Text(box.Left + 22, rowTop + NodeRowHeight - 6, "LWL" + std::to_string(line + 1), "");
            Text(box.Left + 70, rowTop + NodeRowHeight - 6, XmlEscaped(node.Msn[line]), "");
        }
        S << "</g>\n";
    }

    void WriteOutside(std::size_t i)
    {
        const TNetBox box = L.OutsideBox(i);
        S << "<rect x=\"" << Num(box.Left) << "\" y=\"" << Num(box.Top) << "\" width=\"" << Num(box.Width)
          << "\" height=\"" << Num(box.Height) << "\" rx=\"8\" fill=\"#f4f4f4\" stroke=\"" << OutlineColour
          << "\" stroke-dasharray=\"3,3\"/>\n";
        Text(box.Left + box.Width / 2, box.Top + box.Height - 8, XmlEscaped(P.Outside[i].Label), "text-anchor=\"middle\"");
    }

    void Text(double x, double y, const std::string& escaped, const std::string& attributes)
    {
        S << "<text x=\"" << Num(x) << "\" y=\"" << Num(y) << "\"" << (attributes.empty() ? "" : " ") << attributes
          << ">" << escaped << "</text>\n";
    }

    const TNetworkPlan& P;
    const TNetworkLayout& L;
    const TLineColours& C;
    const TNetworkMarks& M;
    std::ostringstream S;
};

}  // namespace

std::string XmlEscaped(const std::string& text)
{
    std::string result;
    for (const char c : text) {
        switch (c) {
        case '&':
            result += "&amp;";
            break;
        case '<':
            result += "&lt;";
            break;
        case '>':
            result += "&gt;";
            break;
        case '"':
            result += "&quot;";
            break;
        case '\'':
            result += "&apos;";
            break;
        default:
            // Control characters other than tab and line breaks are not allowed in XML 1.0 at all.
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
                result += "\xEF\xBF\xBD";
            else
                result += c;
        }
    }
    return result;
}

std::string NetworkSvg(const TNetworkPlan& plan, const TNetworkLayout& layout, const TLineColours& colours,
                       const TNetworkMarks& marks)
{
    for (const std::string& colour : colours)
        CheckColour(colour);
    if (marks.Nodes.size() != plan.Nodes.size() || marks.Links.size() != plan.Links.size() ||
        layout.Nodes.size() != plan.Nodes.size() || layout.Outside.size() != plan.Outside.size())
        throw ERangeError("NetworkSvg: Markierungen oder Anordnung passen nicht zum Plan");
    return TSvgWriter(plan, layout, colours, marks).Write();
}
