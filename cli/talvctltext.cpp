#include "cli/talvctltext.h"

#include "platform/textcatalogue.h"

#include <atomic>

namespace {

// Read by the Ctrl-C watcher's thread as well, which may start before the run sets it.
std::atomic<const TTextCatalogue*> g_Catalogue = nullptr;

}  // namespace

std::string TalvctlText(const char* german)
{
    const TTextCatalogue* catalogue = g_Catalogue.load();
    if (catalogue == nullptr)
        return german;
    return catalogue->Translate("talvctl", german);
}

std::string TalvctlMessage(const char* german, const std::vector<TFormatArg>& args)
{
    return Format(TalvctlText(german), args);
}

void SetTalvctlCatalogue(const TTextCatalogue* catalogue)
{
    g_Catalogue = catalogue;
}
