#pragma once
// The catalogues of a language: the program's own (translations/TALVConfig_<lang>.qm in the data
// folder, English only, since German is built in), Qt's catalogue for its standard dialogs and
// buttons, and the numbered texts of the string table. The desktop program and talvctl's report
// use it; it needs Qt Core only. talvctl's own texts come from TTextCatalogue, which needs no Qt.

#include <QString>
#include <QTranslator>

#include <string>

class TLanguageCatalogue {
public:
    // Loads the catalogues of code ("DE" or "EN"). English without its catalogue falls back to
    // German, as a missing language module does: false then, true otherwise. The string table
    // takes the English texts at once; a catalogue whose texts do not fit the table raises
    // ERangeError and leaves the German texts.
    bool Load(const std::string& code);
    // The language whose texts are in use after Load: "DE" or "EN".
    const std::string& Language() const { return FLanguage; }

    // Installs the loaded catalogues into the application object, so that tr() and Qt's own
    // dialogs speak the language.
    void Install();
    // The text of the program's catalogue for a German source text, or the source text itself.
    QString Translate(const char* context, const char* sourceText) const;

    static QString ProgramCatalogueFile(const std::string& code);

private:
    std::string FLanguage = "DE";
    QTranslator FProgram;
    QTranslator FQt;
    bool FProgramLoaded = false;
    bool FQtLoaded = false;
};
