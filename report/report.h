#pragma once
// The printed record of an installation that the technician hands to the customer: title, file,
// date and version, the network picture, a table per shown device, the findings of the
// configuration check and, when there are any, the devices' latest comparisons with the plan.
// Its texts are in the language of the translator installed in the application, A4 pages with
// "Seite n von m" at the foot of each. Needs a QGuiApplication (fonts), no widgets: the desktop
// program prints it and talvctl writes it to a file.

#include "report/reportinput.h"

#include <QCoreApplication>

#include <memory>
#include <string>

class QPagedPaintDevice;
class QPaintDevice;
class QTextDocument;

class TReport {
    Q_DECLARE_TR_FUNCTIONS(TReport)
public:
    // The plan's network picture as an SVG document, marked with the check's findings. Colours
    // close to white (the colour of a connection nobody coloured) are drawn black.
    static std::string NetworkPicture(const TKovDocument& document, const TLineColours& colours);

    // Sets portrait pages with 20 mm margins on device, keeps its paper size, and paints every
    // page. Returns the number of pages.
    static int Paint(QPagedPaintDevice& device, const TReportInput& input);

    // The report as a PDF file on A4. A file that cannot be written raises Exception
    // "nach <file> kann nicht geschrieben werden" and leaves no file behind.
    static void WritePdf(const std::string& fileName, const TReportInput& input);

    // The report's text laid out for device, whose page body (without the footer) is
    // pageBody in device pixels; the network picture is an object of the text.
    static std::unique_ptr<QTextDocument> Layout(const TReportInput& input, QPaintDevice& device,
                                                 const QSizeF& pageBody);

private:
    // Title, file, date and version; everything after the picture.
    static QString HeaderHtml(const TReportInput& input);
    static QString BodyHtml(const TReportInput& input);
    static QString DeviceHtml(const TKovDocument& document, int index);
    static QString FindingsHtml(const TKovDocument& document);
    static QString ComparisonsHtml(const TReportInput& input);
};
