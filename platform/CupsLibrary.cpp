// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CupsLibrary.h"

#include <QLibrary>

namespace {
template<typename Function> void resolve(QLibrary &library, const char *name, Function &into)
{
    into = reinterpret_cast<Function>(library.resolve(name));
}
} // namespace

bool CupsLibrary::loaded() const
{
    return getDests2 && freeDests && getNamedDest && getOption && copyDestInfo && freeDestInfo && findDestDefault
           && getDestMediaByName && getDestMediaDefault && ippGetString && ippGetResolution;
}

const CupsLibrary &CupsLibrary::get()
{
    static const CupsLibrary library = [] {
        CupsLibrary cups;
        // The library stays loaded for the rest of the run.
        QLibrary file(QStringLiteral("cups"), 2);
        if (!file.load())
            return cups;
        resolve(file, "cupsGetDests2", cups.getDests2);
        resolve(file, "cupsFreeDests", cups.freeDests);
        resolve(file, "cupsGetNamedDest", cups.getNamedDest);
        resolve(file, "cupsGetOption", cups.getOption);
        resolve(file, "cupsCopyDestInfo", cups.copyDestInfo);
        resolve(file, "cupsFreeDestInfo", cups.freeDestInfo);
        resolve(file, "cupsFindDestDefault", cups.findDestDefault);
        resolve(file, "cupsGetDestMediaByName", cups.getDestMediaByName);
        resolve(file, "cupsGetDestMediaDefault", cups.getDestMediaDefault);
        resolve(file, "ippGetString", cups.ippGetString);
        resolve(file, "ippGetResolution", cups.ippGetResolution);
        return cups;
    }();
    return library;
}
