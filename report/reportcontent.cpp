// The report's content: what it says about the plan, as HTML for a QTextDocument, and the
// network picture between the header and the devices.
#include "report/report.h"

#include "documents/configcheck.h"
#include "documents/messagelist.h"
#include "documents/networklayout.h"
#include "documents/networkmarks.h"
#include "documents/networkplan.h"
#include "platform/exceptions.h"
#include "report/networktextobject.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

namespace {

QString Html(const std::string& text)
{
    return QString::fromStdString(text).toHtmlEscaped();
}

// The check's findings; a check stopped by a device it cannot judge keeps the lines it wrote,
// and its message.
struct TCheckRun {
    TMessageList Findings;
    std::string Error;
};

TCheckRun RunCheck(const TKovDocument& document)
{
    TCheckRun run;
    try {
        RunConfigurationCheck(document.ShownDevices(), run.Findings);
    } catch (const ERangeError& e) {
        run.Error = e.what();
    }
    return run;
}

QString Row(const QString& label, const QString& value, const QString& labelWidth = "38%")
{
    return "<tr><td width=\"" + labelWidth + "\">" + label + "</td><td>" + value + "</td></tr>";
}

// A table that would run over a page's end starts a new page with the line above it (its
// heading), when both fit on one page. The layout keeps rows whole by itself, but a device's
// values torn apart are hard to read.
void KeepTablesWithHeadings(QTextDocument& text)
{
    const double pageHeight = text.pageSize().height();
    QAbstractTextDocumentLayout& layout = *text.documentLayout();
    const auto page = [pageHeight](double y) { return static_cast<int>(y / pageHeight); };
    QTextBlock heading;
    for (auto it = text.rootFrame()->begin(); !it.atEnd(); ++it) {
        auto* table = qobject_cast<QTextTable*>(it.currentFrame());
        if (!table) {
            heading = it.currentBlock();
            continue;
        }
        if (!heading.isValid())
            continue;
        // Lays the document out up to here again after a break set before.
        layout.documentSize();
        const double top = layout.blockBoundingRect(heading).top();
        const double bottom = layout.frameBoundingRect(table).bottom();
        if (page(top) == page(bottom - 1) || bottom - top >= pageHeight)
            continue;
        QTextBlockFormat breakBefore;
        breakBefore.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(heading).mergeBlockFormat(breakBefore);
    }
}

const char* const TableStart = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">";

}  // namespace

std::string TReport::NetworkPicture(const TKovDocument& document, const TLineColours& colours)
{
    const TCheckRun check = RunCheck(document);
    const TNetworkPlan plan = BuildNetworkPlan(document.ShownDevices());
    return NetworkSvg(plan, LayoutNetwork(plan), colours, NetworkMarksFromCheck(plan, check.Findings));
}

std::unique_ptr<QTextDocument> TReport::Layout(const TReportInput& input, QPaintDevice& device,
                                               const QSizeF& pageBody)
{
    auto text = std::make_unique<QTextDocument>();
    // Fonts in points come out at the device's resolution, as QTextDocument::print does it.
    text->documentLayout()->setPaintDevice(&device);
    text->setPageSize(pageBody);
    text->setDocumentMargin(0);
    QFont font = text->defaultFont();
    font.setPointSizeF(10);
    text->setDefaultFont(font);

    QTextCursor cursor(text.get());
    cursor.insertHtml(HeaderHtml(input));
    // As wide as the page, but leaving at least half of it for the text that follows.
    new TNetworkTextObject(NetworkPicture(input.Document, input.Colours),
                           QSizeF(pageBody.width() - 1, pageBody.height() / 2), *text);
    TNetworkTextObject::Insert(cursor);
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertHtml(BodyHtml(input));
    KeepTablesWithHeadings(*text);
    return text;
}

QString TReport::HeaderHtml(const TReportInput& input)
{
    const QString file = input.FileName.empty() ? tr("(nicht gespeichert)") : Html(input.FileName);
    return "<h1>" + tr("TALV-Konfiguration") + "</h1>" + "<table cellspacing=\"0\" cellpadding=\"2\" width=\"100%\">" +
           Row(tr("Datei:"), file, "25%") +
           Row(tr("Datum:"), input.Date.toString(tr("dd.MM.yyyy")).toHtmlEscaped(), "25%") +
           Row(tr("Programmversion:"), Html(input.Version), "25%") + "</table><p></p>";
}

QString TReport::BodyHtml(const TReportInput& input)
{
    QString html;
    for (int i = 0; i < input.Document.DeviceCount(); ++i)
        html += DeviceHtml(input.Document, i);
    html += FindingsHtml(input.Document);
    html += ComparisonsHtml(input);
    return html;
}

QString TReport::DeviceHtml(const TKovDocument& document, int index)
{
    const TFrameDevState& panel = document.Panel(index);
    const auto partner = [&panel](int line) {
        return Html(panel.Number(line)) + " (" + (panel.Dial(line) ? "DIAL" : "ACCEPT") + ")";
    };
    const int port = panel.ComPortIndex();
    QString mode;
    switch (document.Parameters(index).GetAutomaticCallMode()) {
    case EAciomcoB1B2:
        mode = tr("beide LWL wählen automatisch");
        break;
    case EAciomcoB1:
        mode = tr("LWL1 wählt automatisch, LWL2 nimmt an");
        break;
    case EAciomcoB2:
        mode = tr("LWL2 wählt automatisch, LWL1 nimmt an");
        break;
    case EAciomcoNo:
        mode = tr("kein automatischer Ruf, beide LWL nehmen an");
        break;
    default:
        mode = QString::number(document.Parameters(index).GetAutomaticCallMode());
        break;
    }
    QStringList memo;
    for (const std::string& line : panel.Memo())
        memo << Html(line);

    return "<h2>" + tr("Gerät %1: %2").arg(index + 1).arg(Html(panel.Name())) + "</h2>" + TableStart +
           Row(tr("COM-Port"), port < 0 ? QString("-") : "COM" + QString::number(port + 1)) +
           Row(Html(DeviceValueLabel(tDeviceValue::Msn1)), Html(panel.Msn(0))) +
           Row(Html(DeviceValueLabel(tDeviceValue::Msn2)), Html(panel.Msn(1))) +
           Row(Html(DeviceValueLabel(tDeviceValue::Number1)), partner(0)) +
           Row(Html(DeviceValueLabel(tDeviceValue::Number2)), partner(1)) +
           Row(Html(DeviceValueLabel(tDeviceValue::CallMode)), mode) +
           Row(Html(DeviceValueLabel(tDeviceValue::Protocol)), Html(TFrameDevState::ProtocolItem(panel.ProtocolIndex()))) +
           Row(tr("Kommentar"), memo.join("<br>")) + "</table>";
}

QString TReport::FindingsHtml(const TKovDocument& document)
{
    const TCheckRun check = RunCheck(document);
    const auto line = [](const QString& kind, const std::string& text) {
        return "<p style=\"margin-top:0; margin-bottom:3px\"><b>" + kind + "</b> " + Html(text) + "</p>";
    };
    QString html = "<h2>" + tr("Prüfung der Konfiguration") + "</h2>";
    const TMessageList& findings = check.Findings;
    for (const TMessage& message : findings.Messages()) {
        switch (message.Kind) {
        case mkError:
            html += line(tr("Fehler:"), message.Text);
            break;
        case mkWarning:
            html += line(tr("Warnung:"), message.Text);
            break;
        case mkHeading:
            html += line(Html(message.Text), {});
            break;
        default:
            html += line(tr("Hinweis:"), message.Text);
            break;
        }
    }
    if (!check.Error.empty())
        html += line(tr("Fehler:"), check.Error);
    // The check writes its headings either way; say plainly when that is all.
    if (findings.ErrorCount() + findings.WarningCount() + findings.InfoCount() == 0 && check.Error.empty())
        html += "<p>" + tr("Die Prüfung hat nichts gefunden.") + "</p>";
    return html;
}

QString TReport::ComparisonsHtml(const TReportInput& input)
{
    QString html;
    for (int i = 0; i < input.Document.DeviceCount(); ++i) {
        const std::optional<TDeviceComparison>& comparison = input.Comparisons[i];
        if (!comparison)
            continue;
        const QString name = "<b>" + Html(input.Document.Panel(i).Name()) + ":</b> ";
        if (!comparison->Error.empty()) {
            html += "<p>" + name + tr("Vergleich fehlgeschlagen: %1").arg(Html(comparison->Error)) + "</p>";
            continue;
        }
        if (CountDifferences(comparison->Rows) == 0) {
            html += "<p>" + name + tr("stimmt mit dem Plan überein.") + "</p>";
            continue;
        }
        html += "<p>" + name + tr("weicht vom Plan ab:") + "</p>" + TableStart + "<tr><th>" + tr("Wert") +
                "</th><th>" + tr("Plan") + "</th><th>" + tr("Gerät") + "</th></tr>";
        for (const TValueComparison& row : comparison->Rows)
            if (row.Differs())
                html += "<tr><td>" + Html(DeviceValueLabel(row.Value)) + "</td><td>" + Html(row.PlanText) +
                        "</td><td>" + Html(row.DeviceText) + "</td></tr>";
        html += "</table>";
    }
    if (html.isEmpty())
        return html;
    return "<h2>" + tr("Vergleich der Geräte mit dem Plan") + "</h2>" + html;
}
