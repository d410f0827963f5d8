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

    static std::string Points(const std::vector<TNetPoint>& path)
    {
        std::string points;
        for (const TNetPoint& p : path)
            points += (points.empty() ? "" : " ") + Num(p.X) + "," + Num(p.Y);
        return points;
    }

    // Every link has a dark casing under its colour, so that a light connection colour (white by
    // default) still shows on the white page.
    void WriteLink(std::size_t i)
    {
        const TNetworkLink& link = P.Links[i];
        const std::vector<TNetPoint> path = L.LinkPath(link);
        const std::string points = "points=\"" + Points(path) + "\" fill=\"none\" stroke-linejoin=\"round\"";
        const std::string dashes = link.Leased ? " stroke-dasharray=\"9,5\"" : "";
        if (M.Links[i] != tNetworkMark::None)
            S << "<polyline " << points << " stroke=\"" << MarkColour(M.Links[i])
              << "\" stroke-width=\"9\" stroke-opacity=\"0.7\" stroke-linecap=\"round\"/>\n";
        S << "<polyline " << points << " stroke=\"" << OutlineColour << "\" stroke-width=\"4\"" << dashes << "/>\n";
        S << "<polyline " << points << " stroke=\"" << Colour(link.Source) << "\" stroke-width=\"2\"" << dashes << "/>\n";
        if (link.Directed)
            WriteArrowhead(path[path.size() - 2], path.back(), Colour(link.Source));
        // A stub to an outside node of the same name needs no label of its own.
        const bool named = (link.Tail.IsOutside() && P.Outside.at(static_cast<std::size_t>(link.Tail.Outside)).Label == link.Label) ||
                           (link.Head.IsOutside() && P.Outside.at(static_cast<std::size_t>(link.Head.Outside)).Label == link.Label);
        if (!link.Label.empty() && !named) {
            // On the longest stretch, which is clear of the boxes.
            std::size_t longest = 0;
            double length = -1;
            for (std::size_t k = 0; k + 1 < path.size(); ++k) {
                const double l = std::hypot(path[k + 1].X - path[k].X, path[k + 1].Y - path[k].Y);
                if (l > length) {
                    length = l;
                    longest = k;
                }
            }
            const TNetPoint& a = path[longest];
            const TNetPoint& b = path[longest + 1];
            S << "<text x=\"" << Num((a.X + b.X) / 2 + 4) << "\" y=\"" << Num((a.Y + b.Y) / 2 - 5)
              << "\" font-weight=\"bold\">" << XmlEscaped(link.Label) << "</text>\n";
        }
    }

    // A filled triangle with its tip on the head end, in the link's colour with a dark rim.
    void WriteArrowhead(const TNetPoint& from, const TNetPoint& tip, const std::string& colour)
    {
        const double dx = tip.X - from.X, dy = tip.Y - from.Y;
        const double length = std::hypot(dx, dy);
        if (length == 0)
            return;
        const double ux = dx / length, uy = dy / length;
        constexpr double Long = 12, Half = 5.5;
        const TNetPoint base{tip.X - ux * Long, tip.Y - uy * Long};
        S << "<polygon points=\"" << Num(tip.X) << "," << Num(tip.Y) << " " << Num(base.X - uy * Half) << ","
          << Num(base.Y + ux * Half) << " " << Num(base.X + uy * Half) << "," << Num(base.Y - ux * Half) << "\" fill=\""
          << colour << "\" stroke=\"" << OutlineColour << "\" stroke-width=\"1\"/>\n";
    }

    void WriteNode(std::size_t i)
    {
        const TNetworkNode& node = P.Nodes[i];
        const TNetBox box = L.NodeBox(i);
        const tNetworkMark mark = M.Nodes[i];
        const std::string frame = "x=\"" + Num(box.Left) + "\" y=\"" + Num(box.Top) + "\" width=\"" + Num(box.Width);
        S << "<g id=\"device" << node.Index + 1 << "\">\n"
          << "<rect " << frame << "\" height=\"" << Num(box.Height) << "\" fill=\"#ffffff\" stroke=\"none\"/>\n"
          << "<rect " << frame << "\" height=\"" << Num(NodeRowHeight) << "\" fill=\"#e8eef6\" stroke=\"none\"/>\n";
        Text(box.Left + 8, box.Top + NodeRowHeight - 7, XmlEscaped(L.Titles.at(i)), "font-weight=\"bold\"");
        Text(box.Left + box.Width - 8, box.Top + NodeRowHeight - 7, XmlEscaped(node.Port),
             "text-anchor=\"end\" fill=\"#505050\"");
        for (int line = 0; line < 2; ++line) {
            const double rowTop = box.Top + (1 + line) * NodeRowHeight;
            S << "<rect x=\"" << Num(box.Left + 6) << "\" y=\"" << Num(rowTop + 6) << "\" width=\"10\" height=\"10\" fill=\""
              << Colour({node.Index, line}) << "\" stroke=\"" << OutlineColour << "\" stroke-width=\"1\"/>\n";
            Text(box.Left + 22, rowTop + NodeRowHeight - 6, "LWL" + std::to_string(line + 1), "");
            Text(box.Left + 66, rowTop + NodeRowHeight - 6, XmlEscaped(node.Msn[line]), "");
        }
        // The frame last, so that nothing inside covers a mark.
        S << "<rect " << frame << "\" height=\"" << Num(box.Height) << "\" fill=\"none\" stroke=\""
          << (mark == tNetworkMark::None ? OutlineColour : MarkColour(mark)) << "\" stroke-width=\""
          << (mark == tNetworkMark::None ? 1 : 4) << "\"/>\n"
          << "</g>\n";
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
