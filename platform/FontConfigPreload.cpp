// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FontConfigPreload.h"

#include <fontconfig/fontconfig.h>

FontConfigPreload::FontConfigPreload()
    // FcInit makes the configuration current for the whole process; Qt's font database finds it
    // read and goes straight on to listing the fonts.
    : m_thread([] { FcInit(); })
{}

FontConfigPreload::~FontConfigPreload()
{
    wait();
}

void FontConfigPreload::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}
