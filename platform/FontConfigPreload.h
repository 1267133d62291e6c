// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads the system's font configuration on a helper thread. Reading it (parsing every file of
// the configuration, loading the font caches) is the longest single step of a start, and
// nothing needs it before the first text is measured: started before the application connects
// to the display, it is done while the connection is set up instead of inside the first name
// field.

#include <thread>

class FontConfigPreload
{
public:
    // Starts reading at once.
    FontConfigPreload();
    ~FontConfigPreload();

    FontConfigPreload(const FontConfigPreload &) = delete;
    FontConfigPreload &operator=(const FontConfigPreload &) = delete;

    // Waits until the configuration has been read. Call it before anything can measure a text:
    // Qt would otherwise read the configuration a second time beside this one.
    void wait();

private:
    std::thread m_thread;
};
