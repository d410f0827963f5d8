// The report on pages: the laid-out text cut into page bodies, each with its footer, on a printer
// or into a PDF file.
#include "report/report.h"

#include "platform/exceptions.h"
#include "platform/resstrings.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

namespace {

// The id of "nach %s kann nicht geschrieben werden", the message of every file the program
// cannot write.
constexpr int CannotWriteId = 245;

}  // namespace

int TReport::Paint(QPagedPaintDevice& device, const TReportInput& input)
{
    device.setPageOrientation(QPageLayout::Portrait);
    device.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    // The painter's origin is the top left of the area inside the margins, which is this large.
    const QSizeF page(device.width(), device.height());

    QPainter painter;
    if (!painter.begin(&device))
        throw Exception(tr("Der Bericht kann nicht ausgegeben werden.").toStdString());
    QFont footerFont = painter.font();
    footerFont.setPointSizeF(9);
    const double footerHeight = 2 * QFontMetricsF(footerFont, &device).height();
    const QSizeF body(page.width(), page.height() - footerHeight);

    const std::unique_ptr<QTextDocument> text = Layout(input, device, body);
    const int pages = text->pageCount();
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            device.newPage();
        // The text is one long strip of page bodies; each page shows its own piece of it.
        painter.save();
        painter.translate(0, -p * body.height());
        // A block that starts exactly at the page's end belongs to the next page; a clip that
        // touched it would draw it here too, hidden by the clip but still part of the PDF's text.
        text->drawContents(&painter, QRectF(0, p * body.height() + 1, body.width(), body.height() - 2));
        painter.restore();
        painter.setFont(footerFont);
        painter.drawText(QRectF(0, body.height(), page.width(), footerHeight), Qt::AlignHCenter | Qt::AlignBottom,
                         tr("Seite %1 von %2").arg(p + 1).arg(pages));
    }
    painter.end();
    return pages;
}

void TReport::WritePdf(const std::string& fileName, const TReportInput& input)
{
    // Written beside the file and put in its place when complete: a failure leaves an earlier
    // file as it was, and no half-written one.
    QSaveFile file(QString::fromStdString(fileName));
    if (!file.open(QIODevice::WriteOnly))
        throw Exception(FmtLoadStr(CannotWriteId, {fileName}));
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setTitle(tr("TALV-Konfiguration"));
        writer.setCreator(QStringLiteral("TALV-Configurator ") + QString::fromStdString(input.Version));
        Paint(writer, input);
    }
    if (!file.commit())
        throw Exception(FmtLoadStr(CannotWriteId, {fileName}));
}
