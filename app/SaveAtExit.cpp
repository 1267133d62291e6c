// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SaveAtExit.h"

#include "core/DataFolder.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {
struct Armed
{
    DataFolder *data = nullptr;
    std::function<void()> releaseLock;
};

Armed &armed()
{
    static Armed a;
    return a;
}
} // namespace

SaveAtExit::SaveAtExit(DataFolder &data, std::function<void()> releaseLock)
{
    static const bool registered = std::atexit(&SaveAtExit::onExit) == 0;
    if (!registered)
        return;
    armed().data = &data;
    armed().releaseLock = std::move(releaseLock);
}

SaveAtExit::~SaveAtExit()
{
    armed() = {};
}

void SaveAtExit::onExit()
{
    Armed last = std::exchange(armed(), {});
    if (!last.data)
        return;
    for (const QString &error : last.data->savePending())
        std::fprintf(stderr, "pantrova: %s\n", qPrintable(error));
    if (last.releaseLock)
        last.releaseLock();
}
