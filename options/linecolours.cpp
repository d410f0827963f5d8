#include "options/linecolours.h"

TLineColours LineColours(const TUserOptions& options)
{
    TLineColours colours;
    for (int d = 0; d < TUserOptions::Devices; ++d)
        for (int m = 0; m < 2; ++m)
            colours[static_cast<std::size_t>(2 * d + m)] = options.ColorToMsn[d][m].color().name().toStdString();
    return colours;
}
