#include "platform/FontConfigPreload.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QThread>

#include <fontconfig/fontconfig.h>

FontConfigPreload::FontConfigPreload()
    // FcInit makes the configuration current for the whole process; Qt's font database finds it
    // read and goes straight on to listing the fonts.
    : m_thread([] { FcInit(); })
{
}

FontConfigPreload::~FontConfigPreload()
{
    if (m_thread.joinable())
        m_thread.join();
}

void FontConfigPreload::applicationStarted()
{
    // The configuration must be read before Qt asks for it, or Qt would read it a second time.
    if (m_thread.joinable())
        m_thread.join();
    // Qt keeps the list of fonts and the faces that stand in for a missing family for all
    // threads; the font engine made here stays with this thread and goes with it.
    m_thread = std::thread([] {
        const QFontInfo defaultFace(QGuiApplication::font());
        (void)defaultFace.family();
    });
}
