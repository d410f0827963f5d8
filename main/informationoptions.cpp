#include "main/informationoptions.h"

#include "main/versionlabel.h"
#include "platform/datafolders.h"

#include <string>

bool AnswerInformationOption(int argc, char** argv, std::ostream& out)
{
    if (argc != 2)
        return false;
    const std::string option = argv[1];
    if (option == "--version") {
        out << "TALV-Configurator " << VersionLabel().toStdString() << '\n';
        return true;
    }
    if (option == "--data-folders") {
        for (const char* name : {"translations", "help", "samples"}) {
            const std::string folder = FindDataFolder(name);
            out << name << ": " << (folder.empty() ? "-" : folder) << '\n';
        }
        return true;
    }
    return false;
}
