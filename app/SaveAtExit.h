// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// When the display's connection breaks (the X server ends, or the session is killed without a
// session manager), Qt ends the program with exit() from inside the event loop: neither the
// close nor main's clean-up runs. An exit hook then writes what the data folder holds that is
// not on disk yet (a name being typed, a save that failed) and gives up the lock. The hook needs
// nothing of the display. While this guard lives the hook is armed; when main ends the normal
// way, the guard is gone first and the hook does nothing.

#include <functional>

class DataFolder;

class SaveAtExit
{
public:
    SaveAtExit(DataFolder &data, std::function<void()> releaseLock);
    ~SaveAtExit();
    SaveAtExit(const SaveAtExit &) = delete;
    SaveAtExit &operator=(const SaveAtExit &) = delete;

private:
    static void onExit();
};
