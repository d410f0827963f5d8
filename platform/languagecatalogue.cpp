#include "platform/languagecatalogue.h"

#include "platform/datafolders.h"
#include "platform/languagesetting.h"
#include "platform/resstrings.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include <utility>
#include <vector>

namespace {

QString LowerCode(const std::string& code)
{
    return QString::fromStdString(code).toLower();
}

}  // namespace

QString TLanguageCatalogue::ProgramCatalogueFile(const std::string& code)
{
    const std::string folder = FindDataFolder("translations");
    if (folder.empty())
        return {};
    return QString::fromStdString(folder) + "/TALVConfig_" + LowerCode(code) + ".qm";
}

bool TLanguageCatalogue::Load(const std::string& code)
{
    bool found = true;
    FLanguage = LanguageGerman;
    FProgramLoaded = false;
    if (code == LanguageEnglish) {
        const QString file = ProgramCatalogueFile(code);
        FProgramLoaded = !file.isEmpty() && FProgram.load(file);
        found = FProgramLoaded;
        if (FProgramLoaded)
            FLanguage = LanguageEnglish;
    }

    std::vector<std::pair<int, std::string>> texts;
    if (FProgramLoaded)
        for (const auto& [id, german] : BuiltInResStrings()) {
            const QString english = FProgram.translate("ResStrings", german.c_str());
            if (!english.isEmpty())
                texts.emplace_back(id, english.toStdString());
        }
    try {
        SetResStringTranslation(std::move(texts));
    } catch (...) {
        FProgramLoaded = false;
        FLanguage = LanguageGerman;
        throw;
    }

    // Qt's catalogue is loaded for German too: Qt's own texts are English when none is loaded.
    FQtLoaded = FQt.load("qtbase_" + LowerCode(FLanguage), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return found;
}

void TLanguageCatalogue::Install()
{
    if (FQtLoaded)
        QCoreApplication::installTranslator(&FQt);
    if (FProgramLoaded)
        QCoreApplication::installTranslator(&FProgram);
}

QString TLanguageCatalogue::Translate(const char* context, const char* sourceText) const
{
    if (FProgramLoaded) {
        const QString text = FProgram.translate(context, sourceText);
        if (!text.isEmpty())
            return text;
    }
    return QString::fromUtf8(sourceText);
}
