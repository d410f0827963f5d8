// Protects the string table: the exact German texts by id, placeholder filling, language modules.
#include "platform/exceptions.h"
#include "platform/resstrings.h"

#include <gtest/gtest.h>

namespace {

template <typename F>
std::string RangeErrorOf(F&& f)
{
    try {
        f();
    } catch (const ERangeError& e) {
        return e.what();
    } catch (const std::exception& e) {
        return std::string("wrong type: ") + e.what();
    }
    return "no error";
}

// Restores the German texts even when a test fails half-way.
struct TranslationGuard {
    ~TranslationGuard() { SetResStringTranslation({}); }
};

}  // namespace

TEST(ResStrings, EveryIdTheProgramUsesLoads)
{
    std::vector<int> ids = {2, 200, 201, 210, 211, 212, 213, 215, 216, 217, 218, 219, 220, 221, 222, 223, 224, 225, 226, 227, 228, 229, 231, 232, 233, 234, 400, 401, 402, 403};
    for (int id = 240; id <= 261; ++id)
        ids.push_back(id);
    for (int id = 600; id <= 606; ++id)
        ids.push_back(id);
    for (int id = 620; id <= 638; ++id)
        ids.push_back(id);
    for (int id = 640; id <= 653; ++id)
        ids.push_back(id);
    for (int id : ids)
        EXPECT_FALSE(LoadStr(id).empty()) << id;

    for (int id : {0, -1, 214, 230, 239, 262, 404, 607, 619, 639, 654})
        EXPECT_EQ(RangeErrorOf([&] { LoadStr(id); }), "LoadStr: unbekannte Id " + std::to_string(id));
}

TEST(ResStrings, TextsAreExactIncludingUmlautsAndQuotes)
{
    const std::pair<int, const char*> texts[] = {
        {2, "Datei \"%s\" existiert nicht!"},
        {210, "Daten sind nicht gespeichert. Jetzt speichern?"},
        {211, "Schliessen"},
        {213, "Bitte geben Sie den Namen des Gerätes ein :"},
        {219, "Kommentar zum TALV vorhanden|Öffnet ein Fenster zur Eingabe eines Kommentars zum TALV-Gerät."},
        {222, "Bestätigung für Start-Zeichenkette an TALV-Gerät gesendet."},
        {224, "Die Sprache wurde auf \"%s\" umgeschaltet.\nSie müssen die Applikation beenden und neu starten.\n"
              "Möchten sie die Applikation jetzt beenden?"},
        {225, "Sprache umgeschaltet"},
        {226, "Deutsch"},
        {227, "Englisch"},
        {229, "Das TALV-Gerät hat nicht innerhalb von %d msec geantwortet."},
        {400, "Datei \"%s\" geöffnet."},
        {600, "---- Start der Prüfungen ----"},
        {604, "Check: MSN liegt ausserhalb des Netzwerks."},
        {620, "%s.MSN1 ist identisch mit %s.MSN2."},
        {622, "%s.MSN1 ist identisch mit %s.MSN2."},
        {626, "%s.MSN2 wird von %d Rufern angewählt."},
        {627, "%s.Number 1 (%s) liegt ausserhalb des Netzwerks."},
        {634, "%s.MSN2 und Anrufer %s.Number1 sind beide auf \"ACCEPT\" eingestellt."},
        {638, "%s ist auf \"Standleitung\" und %s ist auf \"DSS1\" eingestellt."},
    };
    for (const auto& [id, text] : texts)
        EXPECT_EQ(LoadStr(id), text) << id;
}

TEST(ResStrings, FormatFillsPlaceholdersInOrder)
{
    EXPECT_EQ(FmtLoadStr(625, {std::string("Nord"), 3}), "Nord.MSN1 wird von 3 Rufern angewählt.");
    EXPECT_EQ(FmtLoadStr(229, {-500}), "Das TALV-Gerät hat nicht innerhalb von -500 msec geantwortet.");
    EXPECT_EQ(FmtLoadStr(401, {std::string("")}), "Datei \"\" geschlossen.");
    EXPECT_EQ(Format("100%% von %d%%", {7}), "100% von 7%");
    EXPECT_EQ(Format("ohne Platzhalter", {}), "ohne Platzhalter");
    // A name containing placeholders is text, not format.
    EXPECT_EQ(FmtLoadStr(620, {std::string("A%s%d"), std::string("%%")}), "A%s%d.MSN1 ist identisch mit %%.MSN2.");
}

TEST(ResStrings, FormatRefusesArgumentsThatDoNotFit)
{
    const std::string format = "%s hat %d";
    const std::pair<std::string, std::vector<TFormatArg>> cases[] = {
        {"Format: fehlendes Argument 1 in \"%s hat %d\"", {}},
        {"Format: fehlendes Argument 2 in \"%s hat %d\"", {std::string("x")}},
        {"Format: Argument 1 ist kein Text für %s in \"%s hat %d\"", {1, 2}},
        {"Format: Argument 2 ist keine Zahl für %d in \"%s hat %d\"", {std::string("x"), std::string("2")}},
        {"Format: überzählige Argumente (1) in \"%s hat %d\"", {std::string("x"), 2, 3}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RangeErrorOf([&] { Format(format, c.second); }), c.first);

    EXPECT_EQ(RangeErrorOf([] { Format("50%", {}); }), "Format: Platzhalter ohne Typ am Ende in \"50%\"");
    EXPECT_EQ(RangeErrorOf([] { Format("%x", {1}); }), "Format: unbekannter Platzhalter %x in \"%x\"");
    EXPECT_EQ(RangeErrorOf([] { FmtLoadStr(600, {1}); }),
              "Format: überzählige Argumente (1) in \"---- Start der Prüfungen ----\"");
}

TEST(ResStrings, TranslationReplacesByIdAndEmptyModuleRestores)
{
    TranslationGuard guard;
    SetResStringTranslation({{600, "---- Checks started ----"}, {625, "%s.MSN1 is called by %d callers."}});
    EXPECT_EQ(LoadStr(600), "---- Checks started ----");
    EXPECT_EQ(FmtLoadStr(625, {std::string("N"), 2}), "N.MSN1 is called by 2 callers.");
    EXPECT_EQ(LoadStr(601), "---- Ende der Prüfungen ----");

    // A new module replaces the previous one as a whole.
    SetResStringTranslation({{601, "---- Checks finished ----"}});
    EXPECT_EQ(LoadStr(600), "---- Start der Prüfungen ----");
    EXPECT_EQ(LoadStr(601), "---- Checks finished ----");

    // A module for another program version is refused and the one in use stays.
    EXPECT_EQ(RangeErrorOf([] { SetResStringTranslation({{600, "x"}, {9999, "y"}}); }),
              "SetResStringTranslation: unbekannte Id 9999");
    EXPECT_EQ(LoadStr(600), "---- Start der Prüfungen ----");
    EXPECT_EQ(LoadStr(601), "---- Checks finished ----");
    // So is a text whose placeholders would not take the arguments the program passes.
    const std::pair<int, const char*> mismatched[] = {
        {625, "%d callers for %s.MSN1"}, {625, "%s.MSN1: several callers"}, {401, "File \"%s\" (%s) closed."}, {600, "---- 100% ----"}, {600, "---- 100 %"},
    };
    for (const auto& m : mismatched)
        EXPECT_EQ(RangeErrorOf([&] { SetResStringTranslation({{m.first, m.second}}); }),
                  "SetResStringTranslation: Platzhalter von Id " + std::to_string(m.first) + " passen nicht zu \"" +
                      LoadStr(m.first) + "\"") << m.second;
    EXPECT_EQ(LoadStr(601), "---- Checks finished ----");
    SetResStringTranslation({{229, "No answer from the TALV device within %d ms (100%%)."}});
    EXPECT_EQ(FmtLoadStr(229, {500}), "No answer from the TALV device within 500 ms (100%).");

    SetResStringTranslation({});
    EXPECT_EQ(LoadStr(601), "---- Ende der Prüfungen ----");
}
