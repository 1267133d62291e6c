#include "platform/Shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace {
struct State
{
    bool testMode = false;
    std::optional<QString> last;
};

State &state()
{
    static State s;
    return s;
}
} // namespace

void Shell::open(const QString &path)
{
    state().last = path;
    if (!state().testMode)
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void Shell::setTestMode(bool on)
{
    state().testMode = on;
    state().last.reset();
}

std::optional<QString> Shell::lastOpened()
{
    return state().last;
}
