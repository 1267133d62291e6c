#pragma once
// Prepares the fonts on a helper thread while the main thread starts. Reading the system's font
// configuration (parsing all its files, loading the font caches), listing the installed fonts
// and resolving the application's default face are the longest steps of a start, and nothing
// before the first text measure needs them: done beside the connection to the display and the
// claim of the data folder, they are ready, or nearly, when the first name field is made.

#include <thread>

class FontConfigPreload
{
public:
    // Starts reading the font configuration; before the application object exists.
    FontConfigPreload();
    // Waits for the helper thread.
    ~FontConfigPreload();

    FontConfigPreload(const FontConfigPreload &) = delete;
    FontConfigPreload &operator=(const FontConfigPreload &) = delete;

    // Once the application object exists: fills Qt's font database, which the main thread shares
    // (its first text measure waits for this one), and its choice of face for the default font.
    void applicationStarted();

private:
    std::thread m_thread;
};
