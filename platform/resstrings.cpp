#include "platform/resstrings.h"

#include "platform/exceptions.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <string_view>

// Marks each German text for the catalogue tools (lupdate), which collect the texts of context
// "ResStrings" from this table into the translation catalogue; the core itself does not use Qt,
// so the text stays as it is.
#define QT_TRANSLATE_NOOP(context, text) text

namespace {

struct TResString {
    int Id;
    std::string_view Text;
};

// The built-in German texts, sorted by id. Every text the program shows is here, so that a
// language module can replace it; ids are stable because language modules refer to them.
constexpr TResString g_ResStrings[] = {
    // main window
    {2, QT_TRANSLATE_NOOP("ResStrings", "Datei \"%s\" existiert nicht!")},
    {200, QT_TRANSLATE_NOOP("ResStrings", "Speichern")},
    {201, QT_TRANSLATE_NOOP("ResStrings", "Speichern unter")},
    {210, QT_TRANSLATE_NOOP("ResStrings", "Daten sind nicht gespeichert. Jetzt speichern?")},
    {211, QT_TRANSLATE_NOOP("ResStrings", "Schliessen")},
    // device panel
    {212, QT_TRANSLATE_NOOP("ResStrings", "TALV-Gerätename")},
    {213, QT_TRANSLATE_NOOP("ResStrings", "Bitte geben Sie den Namen des Gerätes ein :")},
    {215, QT_TRANSLATE_NOOP("ResStrings", "<disabled>")},
    {216, QT_TRANSLATE_NOOP("ResStrings", "&Verbinden")},
    {217, QT_TRANSLATE_NOOP("ResStrings", "&Trennen")},
    // comment dialog
    {218, QT_TRANSLATE_NOOP("ResStrings", "Kommentar zu %s")},
    {219, QT_TRANSLATE_NOOP("ResStrings", "Kommentar zum TALV vorhanden|"
                                          "Öffnet ein Fenster zur Eingabe eines Kommentars zum TALV-Gerät.")},
    {220, QT_TRANSLATE_NOOP("ResStrings", "Kommentar zum TALV eingeben|"
                                          "Öffnet ein Fenster zur Eingabe eines Kommentars zum TALV-Gerät.")},
    // configuration-mode request
    {221, QT_TRANSLATE_NOOP("ResStrings", "Warte auf Start-Zeichenkette von TALV-Gerät.")},
    {222, QT_TRANSLATE_NOOP("ResStrings", "Bestätigung für Start-Zeichenkette an TALV-Gerät gesendet.")},
    {223, QT_TRANSLATE_NOOP("ResStrings", "TALV-Gerät ist im Konfigurationsmodus.")},
    // language
    {224, QT_TRANSLATE_NOOP("ResStrings", "Die Sprache wurde auf \"%s\" umgeschaltet.\n"
                                          "Sie müssen die Applikation beenden und neu starten.\n"
                                          "Möchten sie die Applikation jetzt beenden?")},
    {225, QT_TRANSLATE_NOOP("ResStrings", "Sprache umgeschaltet")},
    {226, QT_TRANSLATE_NOOP("ResStrings", "Deutsch")},
    {227, QT_TRANSLATE_NOOP("ResStrings", "Englisch")},
    // configuration-mode request
    {228, QT_TRANSLATE_NOOP("ResStrings", "Konfigurationsmodus nicht erreicht: %s")},
    {229, QT_TRANSLATE_NOOP("ResStrings", "Das TALV-Gerät hat nicht innerhalb von %d msec geantwortet.")},
    // device panel: the items of the D-channel protocol box, which a leased line also shows in
    // the number fields
    {231, QT_TRANSLATE_NOOP("ResStrings", "DSS1")},
    {232, QT_TRANSLATE_NOOP("ResStrings", "Standleitung B1")},
    {233, QT_TRANSLATE_NOOP("ResStrings", "Standleitung B2")},
    {234, QT_TRANSLATE_NOOP("ResStrings", "Standleitung B1+B2")},
    // errors of the device exchange; the operation's name is part of the text the user sees
    {240, QT_TRANSLATE_NOOP("ResStrings", "TKovTerminal::ProcessReceived: Timout beim Senden nach %d msec.")},
    {241, QT_TRANSLATE_NOOP("ResStrings", "%s: falsche Antwort vom TALV erhalten.")},
    // errors of the operating-system services
    {242, QT_TRANSLATE_NOOP("ResStrings", "'%s' ist kein gültiger Integerwert")},
    {243, QT_TRANSLATE_NOOP("ResStrings", "Systemfehler. Code: %d.\n%s")},
    {244, QT_TRANSLATE_NOOP("ResStrings", "Eine Systemfunktion ist fehlgeschlagen")},
    {245, QT_TRANSLATE_NOOP("ResStrings", "nach %s kann nicht geschrieben werden")},
    {246, QT_TRANSLATE_NOOP("ResStrings", "'%s' kann nicht in einer Profildatei stehen")},
    // serial port access
    {247, QT_TRANSLATE_NOOP("ResStrings", "Der Benutzer muss serielle Schnittstellen benutzen dürfen "
                                          "(unter Debian: Mitglied der Gruppe dialout).")},
    {248, QT_TRANSLATE_NOOP("ResStrings", "Der Benutzer muss serielle Schnittstellen benutzen dürfen "
                                          "(Mitglied der Gruppe %s).")},
    // system errors met at serial ports, in place of the system's English texts
    {249, QT_TRANSLATE_NOOP("ResStrings", "Datei oder Gerät nicht vorhanden.")},
    {250, QT_TRANSLATE_NOOP("ResStrings", "Zugriff verweigert (keine Berechtigung).")},
    {251, QT_TRANSLATE_NOOP("ResStrings", "Gerät belegt: ein anderes Programm oder ein anderes Gerätefeld hat "
                                          "die Schnittstelle schon geöffnet.")},
    {252, QT_TRANSLATE_NOOP("ResStrings", "Ein-/Ausgabefehler.")},
    {253, QT_TRANSLATE_NOOP("ResStrings", "Gerät nicht vorhanden.")},
    {254, QT_TRANSLATE_NOOP("ResStrings", "Die Verbindung zum Gerät ist abgebrochen (Adapter abgezogen oder Leitung "
                                          "unterbrochen). Bitte Adapter und Kabel prüfen.")},
    // a serial port that cannot be opened
    {255, QT_TRANSLATE_NOOP("ResStrings", "%s (%s) kann nicht geöffnet werden: %s")},
    {256, QT_TRANSLATE_NOOP("ResStrings", "Welches Gerät %s erreicht, wird unter "
                                          "\"Extras > Optionen > Kommunikation\" eingestellt.")},
    {257, QT_TRANSLATE_NOOP("ResStrings", "Gefundene serielle Schnittstellen: %s")},
    {258, QT_TRANSLATE_NOOP("ResStrings", "Es wurden keine seriellen Schnittstellen gefunden.")},
    // an exchange the user cancelled
    {259, QT_TRANSLATE_NOOP("ResStrings", "Übertragung abgebrochen.")},
    // errors of the operating-system services on Windows, where codes are GetLastError's
    {260, QT_TRANSLATE_NOOP("ResStrings", "Win32-Fehler. Code: %d.\n%s")},
    {261, QT_TRANSLATE_NOOP("ResStrings", "Eine Win32-API-Funktion ist fehlgeschlagen")},
    // documents
    {400, QT_TRANSLATE_NOOP("ResStrings", "Datei \"%s\" geöffnet.")},
    {401, QT_TRANSLATE_NOOP("ResStrings", "Datei \"%s\" geschlossen.")},
    {402, QT_TRANSLATE_NOOP("ResStrings", "Datei \"%s\" gespeichert.")},
    {403, QT_TRANSLATE_NOOP("ResStrings", "%s: COMPort %d liegt ausserhalb von 1 bis 4, COM1 wird verwendet.")},
    // configuration check: step headings
    {600, QT_TRANSLATE_NOOP("ResStrings", "---- Start der Prüfungen ----")},
    {601, QT_TRANSLATE_NOOP("ResStrings", "---- Ende der Prüfungen ----")},
    {602, QT_TRANSLATE_NOOP("ResStrings", "Check: Eindeutigkeit aller MSNs prüfen.")},
    {603, QT_TRANSLATE_NOOP("ResStrings", "Check: eine MSN wird von mehreren Rufern angewählt.")},
    {604, QT_TRANSLATE_NOOP("ResStrings", "Check: MSN liegt ausserhalb des Netzwerks.")},
    {605, QT_TRANSLATE_NOOP("ResStrings", "Check: beide Stellen sind auf ACCEPT/DIAL eingestellt.")},
    {606, QT_TRANSLATE_NOOP("ResStrings", "Check: Standleitung und DSS1 eingestellt.")},
    // configuration check: findings
    {620, QT_TRANSLATE_NOOP("ResStrings", "%s.MSN1 ist identisch mit %s.MSN2.")},
    {621, QT_TRANSLATE_NOOP("ResStrings", "%s.MSN1 ist identisch mit %s.MSN1.")},
    {622, QT_TRANSLATE_NOOP("ResStrings", "%s.MSN1 ist identisch mit %s.MSN2.")},
    {623, QT_TRANSLATE_NOOP("ResStrings", "%s.MSN2 ist identisch mit %s.MSN1.")},
    {624, QT_TRANSLATE_NOOP("ResStrings", "%s.MSN2 ist identisch mit %s.MSN2.")},
    {625, QT_TRANSLATE_NOOP("ResStrings", "%s.MSN1 wird von %d Rufern angewählt.")},
    {626, QT_TRANSLATE_NOOP("ResStrings", "%s.MSN2 wird von %d Rufern angewählt.")},
    {627, QT_TRANSLATE_NOOP("ResStrings", "%s.Number 1 (%s) liegt ausserhalb des Netzwerks.")},
    {628, QT_TRANSLATE_NOOP("ResStrings", "%s.Number 2 (%s) liegt ausserhalb des Netzwerks.")},
    {629, QT_TRANSLATE_NOOP("ResStrings", "%s.MSN1 und Anrufer %s.Number1 sind beide auf \"DIAL\" eingestellt.")},
    {630, QT_TRANSLATE_NOOP("ResStrings", "%s.MSN1 und Anrufer %s.Number1 sind beide auf \"ACCEPT\" eingestellt.")},
    {631, QT_TRANSLATE_NOOP("ResStrings", "%s.MSN1 und Anrufer %s.Number2 sind beide auf \"DIAL\" eingestellt.")},
    {632, QT_TRANSLATE_NOOP("ResStrings", "%s.MSN1 und Anrufer %s.Number2 sind beide auf \"ACCEPT\" eingestellt.")},
    {633, QT_TRANSLATE_NOOP("ResStrings", "%s.MSN2 und Anrufer %s.Number1 sind beide auf \"DIAL\" eingestellt.")},
    {634, QT_TRANSLATE_NOOP("ResStrings", "%s.MSN2 und Anrufer %s.Number1 sind beide auf \"ACCEPT\" eingestellt.")},
    {635, QT_TRANSLATE_NOOP("ResStrings", "%s.MSN2 und Anrufer %s.Number2 sind beide auf \"DIAL\" eingestellt.")},
    {636, QT_TRANSLATE_NOOP("ResStrings", "%s.MSN2 und Anrufer %s.Number2 sind beide auf \"ACCEPT\" eingestellt.")},
    {637, QT_TRANSLATE_NOOP("ResStrings", "%s ist auf \"DSS1\" und %s ist auf \"Standleitung\" eingestellt.")},
    {638, QT_TRANSLATE_NOOP("ResStrings", "%s ist auf \"Standleitung\" und %s ist auf \"DSS1\" eingestellt.")},
    // a device compared with its plan
    {640, QT_TRANSLATE_NOOP("ResStrings", "Eigene Nummer LWL1")},
    {641, QT_TRANSLATE_NOOP("ResStrings", "Eigene Nummer LWL2")},
    {642, QT_TRANSLATE_NOOP("ResStrings", "Partnernummer LWL1")},
    {643, QT_TRANSLATE_NOOP("ResStrings", "Partnernummer LWL2")},
    {644, QT_TRANSLATE_NOOP("ResStrings", "DIAL/ACCEPT")},
    {645, QT_TRANSLATE_NOOP("ResStrings", "D-Kanal-Protokoll")},
    {646, QT_TRANSLATE_NOOP("ResStrings", "LWL1 %s, LWL2 %s")},
    {647, QT_TRANSLATE_NOOP("ResStrings", "%s: stimmt mit dem Plan überein.")},
    {648, QT_TRANSLATE_NOOP("ResStrings", "%s: %d Parameter weichen vom Plan ab.")},
    {649, QT_TRANSLATE_NOOP("ResStrings", "%s: %s: Plan \"%s\", Gerät \"%s\".")},
    // the whole installation verified against the plan
    {650, QT_TRANSLATE_NOOP("ResStrings", "---- Anlage prüfen ----")},
    {651, QT_TRANSLATE_NOOP("ResStrings", "%s: übersprungen, nicht verbunden oder nicht im Konfigurationsmodus.")},
    {652, QT_TRANSLATE_NOOP("ResStrings", "---- Anlage geprüft: %d von %d Geräten stimmen mit dem Plan überein, "
                                          "%d weichen ab, %d übersprungen, %d mit Fehler ----")},
    {653, QT_TRANSLATE_NOOP("ResStrings", "%s: übersprungen, es läuft eine Übertragung.")},
};

static_assert(std::is_sorted(std::begin(g_ResStrings), std::end(g_ResStrings),
                             [](const TResString& a, const TResString& b) { return a.Id < b.Id; }),
              "the string table must stay sorted by id");

// The texts of the loaded language module. It is set once at start-up, before any other thread
// runs (the configuration-mode request thread reads texts too); from then on it is only read,
// and concurrent reads of a std::map need no lock. Changing it while another thread may call
// LoadStr is not supported.
std::map<int, std::string> g_Translation;

const TResString* FindBuiltIn(int id)
{
    const auto it = std::lower_bound(std::begin(g_ResStrings), std::end(g_ResStrings), id,
                                     [](const TResString& entry, int key) { return entry.Id < key; });
    if (it == std::end(g_ResStrings) || it->Id != id)
        return nullptr;
    return it;
}

// The kinds of the placeholders of a text in order ("sd" for "%s ... %d"); "%%" is none, a
// "%" at the very end counts as a kind of its own, which no built-in text has.
std::string PlaceholderKinds(std::string_view text)
{
    std::string kinds;
    for (std::size_t pos = 0; pos < text.size(); ++pos)
        if (text[pos] == '%') {
            const char type = pos + 1 < text.size() ? text[pos + 1] : '%';
            if (pos + 1 == text.size() || type != '%')
                kinds += type;
            ++pos;
        }
    return kinds;
}

[[noreturn]] void RaiseFormatError(const std::string& what, const std::string& format)
{
    throw ERangeError("Format: " + what + " in \"" + format + "\"");
}

}  // namespace

std::string LoadStr(int id)
{
    const TResString* builtIn = FindBuiltIn(id);
    if (builtIn == nullptr)
        throw ERangeError("LoadStr: unbekannte Id " + std::to_string(id));
    if (const auto translated = g_Translation.find(id); translated != g_Translation.end())
        return translated->second;
    return std::string(builtIn->Text);
}

std::string FmtLoadStr(int id, const std::vector<TFormatArg>& args)
{
    return Format(LoadStr(id), args);
}

std::string Format(const std::string& format, const std::vector<TFormatArg>& args)
{
    // The arguments are copied into the result as they are: a device name containing "%" is
    // never read as a placeholder.
    std::string result;
    result.reserve(format.size() + 32);
    std::size_t next = 0;
    for (std::size_t pos = 0; pos < format.size(); ++pos) {
        const char c = format[pos];
        if (c != '%') {
            result += c;
            continue;
        }
        if (pos + 1 >= format.size())
            RaiseFormatError("Platzhalter ohne Typ am Ende", format);
        const char type = format[++pos];
        if (type == '%') {
            result += '%';
            continue;
        }
        if (type != 's' && type != 'd')
            RaiseFormatError(std::string("unbekannter Platzhalter %") + type, format);
        if (next >= args.size())
            RaiseFormatError("fehlendes Argument " + std::to_string(next + 1), format);
        const TFormatArg& arg = args[next++];
        if (type == 's') {
            const auto* text = std::get_if<std::string>(&arg);
            if (text == nullptr)
                RaiseFormatError("Argument " + std::to_string(next) + " ist kein Text für %s", format);
            result += *text;
        } else {
            const auto* number = std::get_if<int>(&arg);
            if (number == nullptr)
                RaiseFormatError("Argument " + std::to_string(next) + " ist keine Zahl für %d", format);
            result += std::to_string(*number);
        }
    }
    if (next != args.size())
        RaiseFormatError("überzählige Argumente (" + std::to_string(args.size() - next) + ")", format);
    return result;
}

std::vector<std::pair<int, std::string>> BuiltInResStrings()
{
    std::vector<std::pair<int, std::string>> texts;
    for (const TResString& entry : g_ResStrings)
        texts.emplace_back(entry.Id, std::string(entry.Text));
    return texts;
}

void SetResStringTranslation(std::vector<std::pair<int, std::string>> texts)
{
    // A module with a text for an id the program does not know was made for another version,
    // and a text whose placeholders differ from the German one would fail only when it is shown,
    // possibly deep inside a device exchange. Either refuses the module as a whole, so that the
    // texts in use stay consistent.
    std::map<int, std::string> translation;
    for (auto& [id, text] : texts) {
        const TResString* builtIn = FindBuiltIn(id);
        if (builtIn == nullptr)
            throw ERangeError("SetResStringTranslation: unbekannte Id " + std::to_string(id));
        if (PlaceholderKinds(text) != PlaceholderKinds(builtIn->Text))
            throw ERangeError("SetResStringTranslation: Platzhalter von Id " + std::to_string(id) +
                              " passen nicht zu \"" + std::string(builtIn->Text) + "\"");
        translation[id] = std::move(text);
    }
    g_Translation = std::move(translation);
}
