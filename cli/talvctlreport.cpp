#include "cli/talvctlreport.h"

#include "cli/talvctloptions.h"
#include "options/linecolours.h"
#include "options/optionsstorage.h"
#include "options/useroptions.h"
#include "platform/exceptions.h"
#include "platform/fileversion.h"
#include "platform/inifile.h"
#include "platform/languagecatalogue.h"
#include "platform/resstrings.h"
#include "platform/settingsfile.h"
#include "platform/wholefile.h"
#include "report/report.h"

#include <QGuiApplication>

#include <memory>

namespace {

// The id of "nach %s kann nicht geschrieben werden".
constexpr int CannotWriteId = 245;

// Fonts and painting need a GUI application object; talvctl runs without a display, so on the
// offscreen platform unless the caller chose another.
std::unique_ptr<QGuiApplication> GuiApplication()
{
    if (QCoreApplication::instance())
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The application keeps references to both for its whole life.
    static int argc = 1;
    static char name[] = "talvctl";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

void WriteTalvctlReport(const TKovDocument& document, const std::string& output, const std::string& language)
{
    const std::unique_ptr<QGuiApplication> application = GuiApplication();
    // The report's texts come from the application's translators; the catalogue goes before the
    // application does.
    TLanguageCatalogue catalogue;
    try {
        catalogue.Load(language);
        catalogue.Install();
    } catch (const Exception&) {
        // The run already said so when it loaded the same catalogue; the report is German then.
    }

    // The colours the user chose in the desktop program; a settings file without them gives the
    // defaults, as it does there.
    TUserOptions options;
    TOptionsStorage::Load(options, TIniFile(SettingsFileName()));
    const TLineColours colours = LineColours(options);

    if (ReportFormatOf(output) == EReportSvg) {
        if (!ReplaceWholeFile(output, TReport::NetworkPicture(document, colours)))
            throw Exception(FmtLoadStr(CannotWriteId, {output}));
        return;
    }
    TReportInput input{document, document.FileName(), QDate::currentDate(), ProgramVersionLabel(), colours, {}};
    TReport::WritePdf(output, input);
}
