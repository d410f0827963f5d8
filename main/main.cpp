// The desktop program: the language, the application object, the windows, the event loop.

#include "main/applicationwindows.h"
#include "main/informationoptions.h"
#include "platform/datafolders.h"
#include "platform/gui/application.h"
#include "platform/languagecatalogue.h"
#include "platform/languagesetting.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (AnswerInformationOption(argc, argv, std::cout))
        return 0;
    TApplication application(argc, argv);
    // The texts of the stored language are chosen before any window is made; they stay for the
    // whole run. A catalogue that cannot be used is reported, and the program runs in German.
    TLanguageCatalogue catalogue;
    try {
        catalogue.Load(StartLanguage(ProgramFileName()));
        catalogue.Install();
    } catch (const std::exception& error) {
        TApplication::ShowException(error);
    }
    try {
        const std::unique_ptr<TApplicationWindows> windows = CreateApplicationWindows();
        windows->ShowMainWindow();
        // The loop ends when the main window has closed, i.e. its close query allowed it.
        application.exec();
        // A placement that cannot be written is shown below, and the program still ends.
        windows->SaveMainWindow();
    } catch (const std::exception& error) {
        TApplication::ShowException(error);
    }
    return 0;
}
