// Protects how profile files are read and changed: matching of names, first occurrences, values,
// and that every line not written to stays byte for byte, in the older tool's code page.
#include "platform/exceptions.h"
#include "platform/inifile.h"
#include "tests/platform/scratchfolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

class IniFile : public ::testing::Test {
protected:
    std::unique_ptr<TIniFile> Load(const std::string& bytes)
    {
        WriteBytes(FFolder / "test.kov", bytes);
        return std::make_unique<TIniFile>(FFolder / "test.kov");
    }
    TScratchFolder FFolder;
};

// A file as the older Windows tool leaves it: Windows-1252, CR LF, comments, a foreign section,
// odd spellings, a duplicate key and a line nobody understands.
const std::string OlderToolFile =
    "; TALV Konfiguration\r\n"
    "\r\n"
    "[Ger\xE4t1]\r\n"
    "Name=B\xFCro M\xFCnchen\r\n"
    "RUFNUMMER = 089 12345 \r\n"
    "Preis=5 \x80\r\n"
    "rufnummer=0\r\n"
    "kaputte Zeile\r\n"
    "\r\n"
    "[Fremd]\r\n"
    "Stra\xDF" "e=Gr\xF6\xDF" "e \xC4nderung\r\n"
    ";Name=alt\r\n";

} // namespace

TEST_F(IniFile, ReadsNamesValuesAndFirstOccurrences)
{
    struct Case {
        const char* file;
        const char* section;
        const char* key;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {"[Dev]\r\nPort=COM1\r\n", "dev", "PORT", "COM1"},
        {"  [ Dev ]  trailing text\r\n \t Port \t=\t COM1 \r\n", "Dev", "Port", "COM1"},
        {"[Dev]\r\nk=1\r\nK=2\r\n", "Dev", "k", "1"},
        {"[Dev]\r\nk=1\r\n[Other]\r\n[DEV]\r\nk=2\r\nlate=3\r\n", "Dev", "k", "1"},
        {"[Dev]\r\nk=1\r\n[DEV]\r\nlate=3\r\n", "Dev", "late", std::nullopt},
        {"k=1\r\n[Dev]\r\n", "Dev", "k", std::nullopt},
        {"[Dev]\r\nno equals sign\r\n", "Dev", "no equals sign", std::nullopt},
        {"[Dev]\r\n;k=1\r\n  ; k=2\r\n", "Dev", "k", std::nullopt},
        {"[Dev\r\nk=1\r\n", "Dev", "k", std::nullopt},
        {"[Dev]\r\n[x=1\r\n", "Dev", "[x", std::nullopt},
        {"[Dev]\r\nk=a=b\r\n", "Dev", "k", "a=b"},
        {"[Dev]\r\nk=\r\n", "Dev", "k", ""},
        {"[Dev]\r\nk= \"  x \" \r\n", "Dev", "k", "  x "},
        {"[Dev]\r\nk=\"a\r\n", "Dev", "k", "\"a"},
        {"[Dev]\r\nk=\"\"\"\"\r\n", "Dev", "k", "\"\""},
        {"[Dev]\nk=lf\n", "Dev", "k", "lf"},
        {"[Dev]\rk=cr\rj=2", "Dev", "j", "2"},
        {"\xEF\xBB\xBF[Dev]\r\nk=\xE2\x86\x92\r\n", "Dev", "k", "→"},
        {"[Ger\xC3\xA4t]\r\nk=\xC3\xA4\r\n", "GERät", "K", "ä"},
        {"[Ger\xE4t]\r\nk=\x80\x9F\r\n", "gerät", "k", "€Ÿ"},
    };
    for (const Case& c : cases) {
        const auto ini = Load(c.file);
        EXPECT_EQ(ini->ValueExists(c.section, c.key), c.value.has_value()) << c.file;
        EXPECT_EQ(ini->ReadString(c.section, c.key, "default"), c.value.value_or("default")) << c.file;
    }
}

TEST_F(IniFile, ListsSectionsInFileOrderOnceInTheirFirstSpelling)
{
    const auto ini = Load("k=0\r\n[B]\r\n[ a ]\r\n[b]\r\n[\xC3\x84]\r\n[]\r\n[A]x\r\n");
    EXPECT_EQ(ini->ReadSections(), (std::vector<std::string>{"B", "a", "Ä", ""}));
    EXPECT_TRUE(ini->SectionExists("A"));
    EXPECT_FALSE(ini->SectionExists("c"));

    for (const std::string& name : {FFolder / "missing.kov", FFolder.Path()}) {
        const TIniFile absent(name);
        EXPECT_TRUE(absent.ReadSections().empty());
        EXPECT_EQ(absent.ReadString("B", "k", "d"), "d");
        EXPECT_EQ(absent.Encoded(), "");
    }
}

TEST_F(IniFile, ListsTheKeysOfTheFirstSectionOfAName)
{
    const auto ini = Load("[M]\r\n Count = 3\r\n;Item9=x\r\nItem0=a\r\nitem0=b\r\nlose\r\nItem2=c\r\n[m]\r\nItem7=z\r\n");
    EXPECT_EQ(ini->ReadSection("m"), (std::vector<std::string>{"Count", "Item0", "Item2"}));
    EXPECT_TRUE(ini->ReadSection("fehlt").empty());
}

TEST_F(IniFile, ReadIntegerTakesOnlyWholeDecimalNumbers)
{
    const std::pair<const char*, int> cases[] = {
        {"12", 12}, {" -7 ", -7}, {"+5", 5}, {"0", 0}, {"\" 42 \"", 42},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"2147483648", 99}, {"12abc", 99}, {"", 99}, {"0x10", 99}, {"+-1", 99}, {"+", 99},
        {"1 2", 99}, {"1.5", 99},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(Load(std::string("[S]\r\nn=") + text + "\r\n")->ReadInteger("S", "n", 99), expected) << text;
    EXPECT_EQ(Load("[S]\r\n")->ReadInteger("S", "n", 99), 99);
}

TEST_F(IniFile, OlderToolFileKeepsEveryByteExceptTheLineWritten)
{
    const auto ini = Load(OlderToolFile);
    EXPECT_EQ(ini->ReadString("GERÄT1", "Name", ""), "");
    EXPECT_EQ(ini->ReadString("gerät1", "name", ""), "Büro München");
    EXPECT_EQ(ini->ReadString("Gerät1", "Rufnummer", ""), "089 12345");
    EXPECT_EQ(ini->ReadString("Gerät1", "Preis", ""), "5 €");
    EXPECT_EQ(ini->ReadString("fremd", "straße", ""), "Größe Änderung");
    EXPECT_EQ(ini->Encoded(), OlderToolFile);

    ini->WriteString("gerät1", "rufnummer", "089 12345"); // same value: the line stays
    ini->WriteString("gerät1", "rufnummer", "0711 ä");
    std::string expected = OlderToolFile;
    expected.replace(expected.find("RUFNUMMER = 089 12345 "), 22, "RUFNUMMER=0711 \xE4");
    EXPECT_EQ(ini->Encoded(), expected);
}

TEST_F(IniFile, WriteStringChangesInPlaceAppendsOrAddsASection)
{
    struct Case {
        const char* before;
        const char* section;
        const char* key;
        const char* value;
        const char* after;
    };
    const Case cases[] = {
        {"[S]\r\n  Key  =  old \r\nkey=dup\r\n", "s", "KEY", "new", "[S]\r\nKey=new\r\nkey=dup\r\n"},
        {"[S]\r\na=1\r\n;c\r\nx\r\nb=2\r\n\r\n\r\n[T]\r\n", "S", "c", "3", "[S]\r\na=1\r\n;c\r\nx\r\nb=2\r\nc=3\r\n\r\n\r\n[T]\r\n"},
        {"[S]\r\n; about S\r\n\r\n", "S", "k", "v", "[S]\r\nk=v\r\n; about S\r\n\r\n"},
        {"[S]\r\na=1\r\n[T]\r\n[s]\r\nk=late\r\n", "S", "k", "v", "[S]\r\na=1\r\nk=v\r\n[T]\r\n[s]\r\nk=late\r\n"},
        {"[S]\r\na=1", "T", "k", "v", "[S]\r\na=1\r\n\r\n[T]\r\nk=v\r\n"},
        {"[S]\r\n\r\n", "T", "k", "v", "[S]\r\n\r\n[T]\r\nk=v\r\n"},
        {"", " T ", " k ", "v", "[T]\r\nk=v\r\n"},
        {"[S]\r\n", "S", "k", " padded\t", "[S]\r\nk=\" padded\t\"\r\n"},
        {"[S]\r\n", "S", "k", "\"q\"", "[S]\r\nk=\"\"q\"\"\r\n"},
        {"[S]\r\nk=\"v\"\r\n", "S", "k", "v", "[S]\r\nk=\"v\"\r\n"},
        {"[S]\r\n", "S", "k", "\xE4", "[S]\r\nk=\xE4\r\n"}, // not UTF-8: taken as Windows-1252
    };
    for (const Case& c : cases) {
        const auto ini = Load(c.before);
        ini->WriteString(c.section, c.key, c.value);
        EXPECT_EQ(ini->Encoded(), c.after) << c.before;
    }
}

TEST_F(IniFile, WrittenValuesReadBackUnchanged)
{
    const auto ini = Load("");
    for (const std::string value : {"", " x ", "\"", "\"\"", "a=b", ";x", "[x]", "ä€", "→ Ж", "\t"}) {
        ini->WriteString("S", "k", value);
        WriteBytes(FFolder / "copy.kov", ini->Encoded());
        EXPECT_EQ(TIniFile(FFolder / "copy.kov").ReadString("S", "k", "?"), value);
    }
    ini->WriteInteger("S", "n", -2147483647 - 1);
    EXPECT_EQ(ini->ReadInteger("S", "n", 0), -2147483647 - 1);
}

TEST_F(IniFile, NamesAndValuesALineCannotHoldAreRefused)
{
    const auto ini = Load("[S]\r\n");
    const std::vector<std::vector<std::string>> refused = {
        {"S", "k", "two\r\nlines"}, {"S", "k", "cr\r"}, {"S\n", "k", "v"}, {"a]b", "k", "v"},
        {"S", "a=b", "v"}, {"S", ";k", "v"}, {"S", "[k", "v"}, {"S", "k\n", "v"},
    };
    for (const auto& args : refused)
        EXPECT_THROW(ini->WriteString(args[0], args[1], args[2]), ERangeError) << args[0] << args[1] << args[2];
    EXPECT_EQ(ini->Encoded(), "[S]\r\n");
}

TEST_F(IniFile, EraseSectionRemovesEveryOccurrenceAndNothingElse)
{
    const std::string file = "; top\r\nk=0\r\n[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n[a]\r\nx=3\r\n[C]\r\nc=3\r\n";
    const std::pair<const char*, const char*> cases[] = {
        {"a", "; top\r\nk=0\r\n[B]\r\nb=2\r\n[C]\r\nc=3\r\n"},
        {"B", "; top\r\nk=0\r\n[A]\r\na=1\r\n\r\n[a]\r\nx=3\r\n[C]\r\nc=3\r\n"},
        {" c ", "; top\r\nk=0\r\n[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n[a]\r\nx=3\r\n"},
        {"missing", file.c_str()},
    };
    for (const auto& [section, after] : cases) {
        const auto ini = Load(file);
        ini->EraseSection(section);
        EXPECT_EQ(ini->Encoded(), after) << section;
        EXPECT_FALSE(ini->SectionExists(section));
    }
}

TEST_F(IniFile, TextBeyondWindows1252SwitchesTheWholeFileToUtf8)
{
    const auto ini = Load(OlderToolFile);
    ini->WriteString("Neu", "Preis", "7 €");
    const std::string stillCp1252 = ini->Encoded();
    EXPECT_EQ(stillCp1252, OlderToolFile + "\r\n[Neu]\r\nPreis=7 \x80\r\n");

    for (const char* beyond : {"→", "Привет"}) {
        ini->WriteString("Neu", "Text", beyond);
        const std::string bytes = ini->Encoded();
        ASSERT_TRUE(bytes.starts_with("\xEF\xBB\xBF; TALV Konfiguration\r\n\r\n[Ger\xC3\xA4t1]\r\nName=B\xC3\xBCro")) << bytes;
        WriteBytes(FFolder / "utf8.kov", bytes);
        const TIniFile reread(FFolder / "utf8.kov");
        EXPECT_EQ(reread.ReadString("Neu", "Text", ""), beyond);
        EXPECT_EQ(reread.ReadString("Fremd", "Straße", ""), "Größe Änderung");
        EXPECT_EQ(reread.Encoded(), bytes);
    }
    ini->WriteString("Neu", "Text", "wieder €");
    EXPECT_EQ(ini->Encoded(), OlderToolFile + "\r\n[Neu]\r\nPreis=7 \x80\r\nText=wieder \x80\r\n");
}
