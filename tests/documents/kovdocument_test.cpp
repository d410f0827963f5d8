// Protects configuration documents: which sections are devices, defaults for missing keys, the
// comment sections, what a save keeps and removes, and that a failed open or save loses nothing.
#include "documents/kovdocument.h"
#include "platform/exceptions.h"
#include "documents/messagelist.h"
#include "tests/tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct TDocument : ::testing::Test {
    TTempDir Dir;
    TMessageList Log;
    TKovDocument Doc{Log};

    std::string ErrorOf(const std::function<void()>& f)
    {
        try {
            f();
        } catch (const Exception& e) {
            return e.what();
        }
        return "no error";
    }
};

const char* const FullDevice1 =
    "[Device1]\r\nKOVName=Halle 1\r\nMsnIncoming1=301\r\nMsnIncoming2=302\r\nAutomaticCallMode=1\r\n"
    "AutomaticCallNumber1=401\r\nAutomaticCallNumber2=\r\nIsdnDChannelProtocol=0\r\nCOMPort=2\r\n"
    "[Device1.Memo]\r\nCount=2\r\nItem0=erste Zeile\r\nItem1=zweite\r\n";

}  // namespace

TEST_F(TDocument, OpenReadsEveryKeyAndTheComment)
{
    Dir.Write("a.kov", FullDevice1);
    Doc.Open(Dir.File("a.kov"));
    const TKovParameters& t = Doc.Parameters(0);
    EXPECT_EQ(t.GetKovName(), "Halle 1");
    EXPECT_EQ(t.GetMsnIncoming(0), "301");
    EXPECT_EQ(t.GetMsnIncoming(1), "302");
    EXPECT_EQ(t.GetAutomaticCallMode(), EAciomcoB1);
    EXPECT_EQ(t.GetAutomaticCallNumber(0), "401");
    EXPECT_EQ(t.GetAutomaticCallNumber(1), "");
    EXPECT_EQ(t.GetCOMPort(), COM2);
    EXPECT_EQ(Doc.Panel(0).Memo(), (std::vector<std::string>{"erste Zeile", "zweite"}));
    EXPECT_TRUE(Doc.Panel(0).Dial(0));
    EXPECT_FALSE(Doc.Panel(0).Dial(1));
    EXPECT_EQ(Doc.DeviceCount(), 1);
    EXPECT_FALSE(Doc.IsModified());
    EXPECT_EQ(Doc.FileName(), Dir.File("a.kov"));
    ASSERT_EQ(Log.Messages().size(), 1u);
    EXPECT_EQ(Log.Messages()[0], (TMessage{mkInfo, "Datei \"" + Dir.File("a.kov") + "\" geöffnet."}));
}

TEST_F(TDocument, MissingKeysTakeTheirDefaultsAndOnlyExactDeviceSectionsCount)
{
    Dir.Write("a.kov",
              "[device1]\r\nKOVName=klein\r\n[Device01]\r\nKOVName=null\r\n[Device7]\r\nKOVName=sieben\r\n"
              "[Device4]\r\n[Device2]\r\nIsdnDChannelProtocol=0\r\n[Device2.Memo]\r\nCount=3\r\nItem0=a\r\nItem2=c\r\n");
    Doc.Open(Dir.File("a.kov"));
    EXPECT_EQ(Doc.DeviceCount(), 4);
    EXPECT_EQ(Doc.Parameters(0).GetKovName(), "<TALV 1>");
    EXPECT_EQ(Doc.Parameters(2).GetKovName(), "<TALV 3>");
    EXPECT_EQ(Doc.Parameters(0).GetMsnIncoming(0), "");
    for (int i : {1, 3}) {
        const TKovParameters& t = Doc.Parameters(i);
        EXPECT_EQ(t.GetKovName(), "Device" + std::to_string(i + 1));
        EXPECT_EQ(t.GetMsnIncoming(0), "*");
        EXPECT_EQ(t.GetMsnIncoming(1), "*");
        EXPECT_EQ(t.GetAutomaticCallMode(), EAciomcoNo);
        EXPECT_EQ(t.GetAutomaticCallNumber(0), "");
        EXPECT_EQ(t.GetIsdnDChannelProtocol(), IsdnDss1);
        EXPECT_EQ(t.GetCOMPort(), COM1);
    }
    EXPECT_EQ(Doc.Panel(1).Memo(), (std::vector<std::string>{"a", "c"}));
    EXPECT_TRUE(Doc.Panel(3).Memo().empty());
}

TEST_F(TDocument, LeasedLineDevicesOpenAsThePanelShowsThem)
{
    const struct { int protocol; tAciomco mode; } cases[] = {
        {12, EAciomcoB1}, {13, EAciomcoB2}, {14, EAciomcoB1B2}, {0, EAciomcoNo}};
    for (const auto& c : cases) {
        Dir.Write("l.kov", "[Device1]\r\nMsnIncoming1=301\r\nMsnIncoming2=302\r\nAutomaticCallMode=3\r\n"
                           "AutomaticCallNumber1=401\r\nAutomaticCallNumber2=402\r\nIsdnDChannelProtocol=" +
                               std::to_string(c.protocol) + "\r\n");
        Doc.Open(Dir.File("l.kov"));
        const TKovParameters& t = Doc.Parameters(0);
        EXPECT_EQ(t.GetAutomaticCallMode(), c.mode) << c.protocol;
        EXPECT_EQ(t.GetIsdnDChannelProtocol(), c.protocol);
        const bool leased = c.protocol != 0;
        EXPECT_EQ(t.GetMsnIncoming(0), leased ? "-" : "301");
        EXPECT_EQ(t.GetAutomaticCallNumber(1), leased ? "-" : "402");
        EXPECT_EQ(Doc.Panel(0).NumbersEnabled(), !leased);
    }
}

TEST_F(TDocument, FailedOpenChangesNothing)
{
    Dir.Write("good.kov", FullDevice1);
    Doc.Open(Dir.File("good.kov"));
    Doc.DeviceCountChange(2);
    Log.Clear();

    const struct { const char* file; const char* message; } cases[] = {
        {"[Device1]\r\nKOVName=neu\r\n[Device2]\r\nKOVName=x\r\nAutomaticCallMode=7\r\n",
         "CheckAutomaticCallMode: unzulässiger Wert 7"},
        {"[Device1]\r\nKOVName=neu\r\nIsdnDChannelProtocol=2\r\n", "CheckIsdnDChannelProtocol: unzulässiger Wert 2"},
        {"[Device3]\r\nKOVName=neu\r\nIsdnDChannelProtocol=5\r\n", "TFrameDev::UpdateView: falsches IsdnDChannelProtocol 5"},
    };
    for (const auto& c : cases) {
        Dir.Write("bad.kov", c.file);
        EXPECT_EQ(ErrorOf([&] { Doc.Open(Dir.File("bad.kov")); }), c.message);
        EXPECT_EQ(Doc.FileName(), Dir.File("good.kov"));
        EXPECT_EQ(Doc.Parameters(0).GetKovName(), "Halle 1");
        EXPECT_EQ(Doc.Panel(0).Memo().size(), 2u);
        EXPECT_EQ(Doc.DeviceCount(), 2);
        EXPECT_TRUE(Doc.IsModified());  // the count change is still unsaved
        EXPECT_TRUE(Log.Messages().empty());
    }
    EXPECT_EQ(ErrorOf([&] { Doc.InternalOpen(""); }), "TFrmMainWin::InternalOpen: Kein FileName übergeben.");
}

TEST_F(TDocument, SaveWritesShownDevicesErasesHiddenOnesAndKeepsForeignLines)
{
    std::string six = "; Planung Werk 2\r\n[Allgemein]\r\nProjekt=Nord\r\n";
    for (int n = 1; n <= 6; ++n)
        six += "[Device" + std::to_string(n) + "]\r\nKOVName=D" + std::to_string(n) + "\r\nExtra=bleibt\r\n[Device" +
               std::to_string(n) + ".Memo]\r\nCount=1\r\nItem0=m" + std::to_string(n) + "\r\n";
    Dir.Write("six.kov", six);
    Doc.Open(Dir.File("six.kov"));
    ASSERT_EQ(Doc.DeviceCount(), 6);
    Doc.SetDeviceCount(3);
    Doc.Panel(0).Memo().clear();
    Doc.SaveAs(Dir.File("six.kov"));

    const std::string saved = Dir.Read("six.kov");
    EXPECT_NE(saved.find("; Planung Werk 2\r\n[Allgemein]\r\nProjekt=Nord\r\n"), std::string::npos);
    EXPECT_NE(saved.find("[Device3]"), std::string::npos);
    EXPECT_NE(saved.find("Extra=bleibt"), std::string::npos);
    EXPECT_EQ(saved.find("[Device4]"), std::string::npos);
    EXPECT_EQ(saved.find("[Device6.Memo]"), std::string::npos);
    EXPECT_NE(saved.find("[Device1.Memo]\r\nCount=0\r\n"), std::string::npos);
    EXPECT_EQ(saved.find("m1"), std::string::npos);
    EXPECT_NE(saved.find("[Device2]\r\nKOVName=D2\r\nExtra=bleibt\r\nMsnIncoming1=*\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("IsdnDChannelProtocol=0\r\nCOMPort=1\r\n"), std::string::npos);
    EXPECT_EQ(Log.Messages().back().Text, "Datei \"" + Dir.File("six.kov") + "\" gespeichert.");
    EXPECT_FALSE(Doc.IsModified());

    // Saving again changes nothing.
    Doc.SaveAs(Dir.File("six.kov"));
    EXPECT_EQ(Dir.Read("six.kov"), saved);
}

TEST_F(TDocument, FailedSaveReportsTheFileAndKeepsTheDocumentModified)
{
    Doc.Panel(0).DialClick(0, false);
    ASSERT_TRUE(Doc.IsModified());
    const std::string target = Dir.File("fehlt/plan.kov");
    EXPECT_EQ(ErrorOf([&] { Doc.SaveAs(target); }), "nach " + target + " kann nicht geschrieben werden");
    EXPECT_TRUE(Doc.Panel(0).Modified());
    EXPECT_TRUE(Doc.IsModified());
    EXPECT_EQ(Doc.FileName(), "");
    EXPECT_FALSE(std::filesystem::exists(target));
}

// A plan the user write-protected, or one that cannot be read, stays byte for byte. The
// permission bits decide, so this holds for root too, whom the kernel would let write.
TEST_F(TDocument, SaveRefusesWriteProtectedAndUnreadableFiles)
{
    namespace fs = std::filesystem;
    const std::string old = std::string(FullDevice1) + "[Fremd]\r\nBleibt=1\r\n";
    enum tKind { EFile, ELinkToFile, EFolder, ELinkToItself };
    const struct { std::string name; tKind kind; fs::perms mode; bool saved; } cases[] = {
        {"frei.kov", EFile, fs::perms(0644), true},
        {"geschuetzt.kov", EFile, fs::perms(0444), false},
        {"gruppe.kov", EFile, fs::perms(0464), false},  // the owner's bit counts, not the group's
        {"verweis.kov", ELinkToFile, fs::perms(0444), false},
        {"ordner.kov", EFolder, {}, false},
        {"schleife.kov", ELinkToItself, {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = c.kind == ELinkToFile ? c.name + ".ziel" : c.name;
        if (c.kind == EFile || c.kind == ELinkToFile) {
            Dir.Write(file, old);
            fs::permissions(Dir.File(file), c.mode);
        }
        if (c.kind == ELinkToFile || c.kind == ELinkToItself)
            fs::create_symlink(file, Dir.File(c.name));
        if (c.kind == EFolder)
            fs::create_directory(Dir.File(c.name));
        Doc.DeviceCountChange(2);
        const fs::file_type type = fs::symlink_status(Dir.File(c.name)).type();

        const std::string error = ErrorOf([&] { Doc.SaveAs(Dir.File(c.name)); });
        if (c.saved) {
            EXPECT_EQ(error, "no error");
            EXPECT_NE(Dir.Read(c.name).find("KOVName=<TALV 2>"), std::string::npos);
            EXPECT_NE(Dir.Read(c.name).find("[Fremd]\r\nBleibt=1\r\n"), std::string::npos);
            continue;
        }
        EXPECT_EQ(error, "nach " + Dir.File(c.name) + " kann nicht geschrieben werden");
        EXPECT_TRUE(Doc.IsModified());
        EXPECT_EQ(fs::symlink_status(Dir.File(c.name)).type(), type);
        if (c.kind == EFile || c.kind == ELinkToFile) {
            EXPECT_EQ(Dir.Read(file), old);
            EXPECT_EQ(fs::status(Dir.File(file)).permissions(), c.mode);
        }
    }
}

TEST_F(TDocument, ForeignPortIsTakenAsCom1WithAWarning)
{
    Dir.Write("p.kov", "[Device1]\r\nCOMPort=7\r\n[Device2]\r\nCOMPort=4\r\n");
    Doc.Open(Dir.File("p.kov"));
    EXPECT_EQ(Doc.Parameters(0).GetCOMPort(), COM1);
    EXPECT_EQ(Doc.Parameters(1).GetCOMPort(), COM4);
    ASSERT_EQ(Log.Messages().size(), 2u);
    EXPECT_EQ(Log.Messages()[1].Kind, mkWarning);
    EXPECT_NE(Log.Messages()[1].Text.find("Device1"), std::string::npos);
    EXPECT_NE(Log.Messages()[1].Text.find("7"), std::string::npos);
}

TEST_F(TDocument, CloseAndBareNames)
{
    Doc.Close();
    EXPECT_EQ(Log.Messages().back().Text, "Datei \"\" geschlossen.");
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(Dir.File(""));
    Doc.Open("nicht-da.kov");
    std::filesystem::current_path(cwd);
    EXPECT_EQ(Doc.FileName(), "./nicht-da.kov");
    EXPECT_EQ(Doc.DeviceCount(), 1);
    EXPECT_EQ(Doc.Parameters(0).GetKovName(), "<TALV 1>");
    EXPECT_EQ(Log.Messages().back().Text, "Datei \"./nicht-da.kov\" geöffnet.");
}

TEST_F(TDocument, DeviceCountAndHiddenPanelsInTheModifiedState)
{
    Doc.SetDeviceCount(0);
    EXPECT_EQ(Doc.DeviceCount(), 1);
    Doc.SetDeviceCount(7);
    EXPECT_EQ(Doc.DeviceCount(), 6);
    Doc.SetDeviceCount(2);
    Doc.SetModified(false);
    Doc.Panel(4).SetModified(true);
    EXPECT_FALSE(Doc.IsModified());
    Doc.Panel(1).SetModified(true);
    EXPECT_TRUE(Doc.IsModified());
}
