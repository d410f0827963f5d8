#pragma once
// The per-user language setting: for each program file, "DE" (German) or "EN" (English). It is
// kept in TALVConfigLanguage.INI in the user's configuration folder, section "Language", under
// the full path of the program file, so that two installed copies of the program can speak two
// languages. A changed setting selects the help file at once and the texts at the next start.

#include "platform/filestamp.h"

#include <string>

inline constexpr const char* LanguageGerman = "DE";
inline constexpr const char* LanguageEnglish = "EN";

// TALVConfigLanguage.INI in the configuration folder.
std::string LanguageFileName();

// The value stored for the program file, or "" when there is none. A value longer than three
// characters counts as none: the setting is a short language code, and anything longer was not
// written by this program.
std::string ReadStoredLanguage(const std::string& programFile);

// The two-letter language of the user's locale in upper case ("DE", "EN", "FR"...), "" for the
// "C" and "POSIX" locales. On POSIX, the variables are consulted as the C library does for
// messages: LANGUAGE (its first entry), LC_ALL, LC_MESSAGES, LANG; the first one set wins. On
// Windows, the language of the user's interface.
std::string UserLocaleLanguage();

// The stored value, or, when there is none, the locale's language when it is German or English
// and German for any other.
std::string ReadLanguage(const std::string& programFile);

// The language whose texts the program shows from its start: the first of the stored value and
// the locale's language that the program has texts for ("DE" built in, "EN" from the catalogue),
// else German.
std::string StartLanguage(const std::string& programFile);

// Stores code for the program file, making the configuration folder when it is missing
// (UpdateSettingsFile, which also says what it raises).
void WriteLanguage(const std::string& programFile, const std::string& code);

// ReadLanguage for update handlers, which ask on every idle pass: the file is read again only
// when another file is meant (the configuration folder changed) or the file was replaced or
// changed since the last read (its file stamp). The locale is asked each time;
// that costs no file access.
class TLanguageReader {
public:
    std::string ReadLanguage(const std::string& programFile);

private:
    bool FValid = false;
    std::string FFileName;
    std::string FProgramFile;
    TFileStamp FStamp;
    std::string FStored;
};
