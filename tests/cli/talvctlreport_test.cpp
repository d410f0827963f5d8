// Protects "talvctl report": the PDF report or the SVG picture written without a display, and the
// exit codes and messages of everything that can go wrong on the way.
#include "platform/datafolders.h"
#include "tests/cli/talvctlrun.h"
#include "tests/pdftext.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

// The real program, as a user runs it: the report needs the application object talvctl makes.
TRun RunProgram(const std::vector<std::string>& arguments, const TTempDir& dir)
{
    std::string command = std::string(TALVCTL_PATH) + " --lang de";
    for (const std::string& argument : arguments)
        command += " '" + argument + "'";
    command += " > '" + dir.File("out.txt") + "' 2> '" + dir.File("err.txt") + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, dir.Read("out.txt"), dir.Read("err.txt")};
}

}  // namespace

TEST(TalvctlReport, WritesTheReportOrRefuses)
{
    const TTempDir dir;
    // One connection coloured by the user, the others as they come.
    const TScopedSettings settings(NoPortsSettings() + "[Options]\r\nShpColorToMsn12.Brush.Color=#12AB34\r\n");
    const std::string plan = (std::filesystem::path(FindDataFolder("samples")) / "Kette-fuenf-Standorte.kov").string();
    dir.Write("bad.kov", "[Device1]\r\nAutomaticCallMode=7\r\n");
    std::filesystem::create_directory(dir.File("folder.pdf"));

    struct TCase {
        std::vector<std::string> Arguments;
        int Exit;
        std::string File;     // the output, when one is written: its start
        std::string Message;  // a part of the error output
    };
    const std::string missingDir = dir.File("missing/report.pdf");
    const std::vector<TCase> cases = {
        {{"report", plan, "-o", dir.File("report.pdf")}, 0, "%PDF", ""},
        {{"report", plan, "--output", dir.File("picture.SVG")}, 0, "<?xml", ""},
        {{"report", plan, "-o", missingDir}, 1, "", "nach " + missingDir + " kann nicht geschrieben werden"},
        {{"report", plan, "-o", dir.File("folder.pdf")}, 1, "", "folder.pdf kann nicht geschrieben werden"},
        {{"report", dir.File("bad.kov"), "-o", dir.File("bad.pdf")}, 2, "", "unzulässiger Wert 7"},
        {{"report", dir.File("none.kov"), "-o", dir.File("none.pdf")}, 2, "", "nicht gefunden"},
        {{"report", plan}, 2, "", "report: Option '-o' fehlt"},
        {{"report", plan, "-o", dir.File("report.txt")}, 2, "", "endet weder auf .pdf noch auf .svg"},
        {{"check", plan, "-o", dir.File("check.pdf")}, 2, "", "Option '-o' ist hier nicht erlaubt"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Arguments.back());
        const TRun run = RunProgram(c.Arguments, dir);
        EXPECT_EQ(run.Exit, c.Exit) << run.Err;
        EXPECT_NE(run.Err.find(c.Message), std::string::npos) << run.Err;
        const std::string output = c.Arguments.size() > 3 ? c.Arguments[3] : "";
        if (!c.File.empty()) {
            EXPECT_EQ(dir.Read(std::filesystem::path(output).filename().string()).rfind(c.File, 0), 0u);
        } else if (!output.empty() && !std::filesystem::is_directory(output)) {
            EXPECT_FALSE(std::filesystem::exists(output));
        }
    }
    EXPECT_NE(dir.Read("picture.SVG").find("<svg"), std::string::npos);
    // The user's colour from the settings file.
    EXPECT_NE(dir.Read("picture.SVG").find("stroke=\"#12ab34\""), std::string::npos);
    EXPECT_NE(PdfText(dir.File("report.pdf")).find("Seite 1 von"), std::string::npos);
}
