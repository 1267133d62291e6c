// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The functions of the CUPS library that describe the default printer, loaded the first time
// printing asks for them. Linked with the program, the library would bring nineteen more
// libraries (TLS, Kerberos, service discovery) into every start, for a "Print" that most runs
// never press.

#include <cups/cups.h>

struct CupsLibrary
{
    decltype(&::cupsGetDests2) getDests2 = nullptr;
    decltype(&::cupsFreeDests) freeDests = nullptr;
    decltype(&::cupsGetNamedDest) getNamedDest = nullptr;
    decltype(&::cupsGetOption) getOption = nullptr;
    decltype(&::cupsCopyDestInfo) copyDestInfo = nullptr;
    decltype(&::cupsFreeDestInfo) freeDestInfo = nullptr;
    decltype(&::cupsFindDestDefault) findDestDefault = nullptr;
    decltype(&::cupsGetDestMediaByName) getDestMediaByName = nullptr;
    decltype(&::cupsGetDestMediaDefault) getDestMediaDefault = nullptr;
    decltype(&::ippGetString) ippGetString = nullptr;
    decltype(&::ippGetResolution) ippGetResolution = nullptr;

    // Whether the library and every function were found.
    bool loaded() const;

    // Loaded once, from any thread; an instance with nothing loaded where the library is missing.
    static const CupsLibrary &get();
};
