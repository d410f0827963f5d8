// The main window's report actions: the plan printed, previewed or exported as a PDF file, each
// with the devices' latest comparisons.
#include "main/frmmain.h"

#include "main/filedialogfolders.h"
#include "main/versionlabel.h"
#include "options/linecolours.h"
#include "report/report.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStandardPaths>

namespace {

// A printer set to the report's paper; the print dialog lets the user pick another.
void PrepareForReport(QPrinter& printer)
{
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QCoreApplication::translate("TReport", "TALV-Konfiguration"));
}

}  // namespace

void TFrmMainWin::CreateReportActions()
{
    ActPrintPreview = NewAction("ActPrintPreview", tr("Seiten&ansicht..."),
                                tr("Seitenansicht...|Zeigt die Seiten des Ausdrucks der Konfiguration."));
    ActExportPdf = NewAction("ActExportPdf", tr("Als &PDF exportieren..."),
                             tr("Als PDF exportieren...|Schreibt den Ausdruck der Konfiguration in eine PDF-Datei."));
    const auto bind = [this](QAction* action, void (TFrmMainWin::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
    };
    bind(ActPrint, &TFrmMainWin::ActPrintExecute);
    bind(ActPrintPreview, &TFrmMainWin::ActPrintPreviewExecute);
    bind(ActExportPdf, &TFrmMainWin::ActExportPdfExecute);
}

TReportInput TFrmMainWin::ReportInput() const
{
    return {*FDocument, FileName(), QDate::currentDate(), VersionLabel().toStdString(), LineColours(FOptions),
            FComparisons};
}

void TFrmMainWin::ActPrintExecute()
{
    QPrinter printer(QPrinter::HighResolution);
    PrepareForReport(printer);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    TReport::Paint(printer, ReportInput());
}

void TFrmMainWin::ActPrintPreviewExecute()
{
    QPrinter printer(QPrinter::HighResolution);
    PrepareForReport(printer);
    QPrintPreviewDialog preview(&printer, this);
    // The preview paints again whenever the user changes the paper; each time as the plan is now.
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { Guarded([this, target] { TReport::Paint(*target, ReportInput()); }); });
    preview.exec();
}

void TFrmMainWin::ActExportPdfExecute()
{
    const QString fileName = ChooseExportFile(tr("Als PDF exportieren"), tr("PDF-Dateien (*.pdf)"), "pdf");
    if (fileName.isEmpty())
        return;
    TReport::WritePdf(fileName.toStdString(), ReportInput());
}

QString TFrmMainWin::ChooseExportFile(const QString& title, const QString& filter, const QString& suffix)
{
    QFileDialog dialog(this, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({filter});
    dialog.setDefaultSuffix(suffix);
    const QString plan = QString::fromStdString(FileName());
    const TFileDialogFolders folders{plan, SamplesFolder(), QDir::currentPath(),
                                     QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                                     QDir::homePath()};
    dialog.setDirectory(folders.SaveFolder());
    if (!plan.isEmpty())
        dialog.selectFile(QFileInfo(plan).completeBaseName() + "." + suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
