// Protects the rules of the recent-files list: newest first, each file once by its absolute,
// cleaned path, at most eight, and a settings section read as far as it is sound and written so
// that it reads back the same and leaves the other sections alone.
#include "main/recentfiles.h"
#include "platform/inifile.h"
#include "tests/tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

const std::string MainSection = "[Main]\r\nFormVersion=0\r\nNormPos=10,20,1026,749\r\n";

}  // namespace

TEST(RecentFiles, ListRulesAndSettingsSection)
{
    const std::string cwd = std::filesystem::current_path().string();
    std::vector<std::string> tenAdded, newestEight;
    for (int i = 1; i <= 10; ++i)
        tenAdded.push_back("+/p/" + std::to_string(i) + ".kov");
    for (int i = 10; i > 2; --i)
        newestEight.push_back("/p/" + std::to_string(i) + ".kov");
    struct TCase {
        const char* Name;
        // The section as found in the settings file (after section "Main").
        std::string Section;
        // "+file" adds, "-file" removes, "clear" empties.
        std::vector<std::string> Steps;
        std::vector<std::string> Expected;
    };
    const TCase cases[] = {
        {"newest first, again moves to the top", "", {"+/p/a.kov", "+/p/b.kov", "+/p/c.kov", "+/p/a.kov"},
         {"/p/a.kov", "/p/c.kov", "/p/b.kov"}},
        {"same file however written", "", {"+/p/a.kov", "+/p/./x/../a.kov", "+//p//a.kov", "+plan.kov"},
         {cwd + "/plan.kov", "/p/a.kov"}},
        {"eight at most, oldest drop off", "", tenAdded, newestEight},
        {"remove", "[RecentFiles]\r\nFile1=/p/a.kov\r\n", {"+/p/b.kov", "-/p/./a.kov", "-/p/nie.kov"},
         {"/p/b.kov"}},
        {"clear", "[RecentFiles]\r\nFile1=/p/a.kov\r\n", {"clear"}, {}},
        {"number order; gaps, empty, relative and garbled entries skipped",
         "[RecentFiles]\r\nkaputt\r\n=/p/x.kov\r\nFile4=  /p/d.kov  \r\nFile1=\r\nFile2=/p/b.kov\r\n"
         "File5=plan.kov\r\nFile6=/p/x/../b.kov\r\n",
         {}, {"/p/b.kov", "/p/d.kov"}},
        {"over-long section cut at eight",
         "[RecentFiles]\r\nFile1=/p/1.kov\r\nFile2=/p/2.kov\r\nFile3=/p/3.kov\r\nFile4=/p/4.kov\r\n"
         "File5=/p/5.kov\r\nFile6=/p/6.kov\r\nFile7=/p/7.kov\r\nFile8=/p/8.kov\r\nFile9=/p/9.kov\r\n",
         {"+/p/neu.kov"},
         {"/p/neu.kov", "/p/1.kov", "/p/2.kov", "/p/3.kov", "/p/4.kov", "/p/5.kov", "/p/6.kov", "/p/7.kov"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTempDir dir;
        dir.Write("TALVConfig.INI", MainSection + c.Section);
        TIniFile ini(dir.File("TALVConfig.INI"));
        TRecentFiles list;
        list.Load(ini);
        for (const std::string& step : c.Steps) {
            if (step == "clear")
                list.Clear();
            else if (step[0] == '+')
                list.Add(step.substr(1));
            else
                list.Remove(step.substr(1));
        }
        EXPECT_EQ(list.Entries(), c.Expected);

        list.Save(ini);
        ini.UpdateFile();
        const std::string written = dir.Read("TALVConfig.INI");
        EXPECT_EQ(written.compare(0, MainSection.size(), MainSection), 0) << written;
        EXPECT_EQ(written.find("File9"), std::string::npos);
        TRecentFiles reread;
        reread.Load(TIniFile(dir.File("TALVConfig.INI")));
        EXPECT_EQ(reread.Entries(), c.Expected);
    }
}
