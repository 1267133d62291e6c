// SPDX-License-Identifier: GPL-3.0-or-later
// Pantrova's entry point: the command line, the application object, the main window (which
// loads the data folder while it is created, and makes its print dialog on the first "Print"),
// and the event loop until the main window has closed.

#include "CommandLine.h"
#include "SaveAtExit.h"
#include "ShutdownSignals.h"
#include "core/DataFolder.h"
#include "platform/DisplayPlatform.h"
#include "platform/FirstPaint.h"
#include "platform/FontConfigPreload.h"
#include "platform/Memory.h"
#include "platform/MessageBox.h"
#include "platform/NotificationArea.h"
#include "platform/WindowLossWatch.h"
#include "ui/main/SingleInstance.h"
#include "ui/main/TAForm1.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSessionManager>
#include <QTimer>
#include <cstdio>

namespace {
constexpr int SyncStartWithoutPaintMs = 3000;

// Whether a display can be reached: a platform chosen by hand (offscreen, say, through
// QT_QPA_PLATFORM or -platform) is trusted, otherwise an X or a Wayland display must be
// named. Without one, Qt would end the program with an abort and a text for developers.
bool displayNamed(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "-platform") == 0)
            return true;
    }
    for (const char *variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        if (!qEnvironmentVariableIsEmpty(variable))
            return true;
    }
    return false;
}
} // namespace

int main(int argc, char *argv[])
{
    CommandLine::setIdentity();
    // Help, version and the reports need no display and never open the window.
    if (CommandLine::runsWithoutWindow(argc, argv)) {
        QCoreApplication core(argc, argv);
        return CommandLine(QCoreApplication::arguments()).run();
    }

    if (!displayNamed(argc, argv)) {
        std::fputs("pantrova: no display was found (neither DISPLAY nor WAYLAND_DISPLAY is set), so the window "
                   "cannot open.\nThe reports --due, --list and --history work without a display.\n",
                   stderr);
        return 2;
    }

    // The font configuration is read while the application connects to the display, which
    // mostly waits on the display.
    DisplayPlatform::chooseForThisSession(); // before the preload's thread reads the environment
    FontConfigPreload fontConfig;
    QApplication app(argc, argv);
    fontConfig.wait();
    QApplication::setQuitOnLastWindowClosed(false);

    const CommandLine::WindowStart start = CommandLine(QApplication::arguments()).prepareWindow();
    if (start.exitStatus != 0)
        return start.exitStatus;
    const QString &dataFolder = start.dataFolder;
    SingleInstance instance(dataFolder);
    if (!instance.claim()) {
        if (instance.refusal().isEmpty())
            return 0;
        std::fprintf(stderr, "pantrova: %s\n", qPrintable(instance.refusal()));
        MessageBox::error(nullptr, instance.refusal());
        return 1;
    }
    if (!instance.lockPath().isEmpty())
        DataFolder(dataFolder).removeInterruptedSaves();

    TAForm1 aForm1(dataFolder);
    // A display that goes away ends the program from inside the event loop.
    const SaveAtExit saveAtExit(aForm1.dataFolder(), [&instance] { instance.release(); });
    // A window destroyed by the window manager is closed as if by "Close".
    WindowLossWatch windowLoss(&aForm1);
    QObject::connect(&windowLoss, &WindowLossWatch::lost, &aForm1, &TAForm1::closeUnattended);

    QObject::connect(&instance, &SingleInstance::activationRequested, &aForm1, &TAForm1::restoreAndShow);

    // Ending the desktop session or a termination or hang-up signal closes the window as "Close" does,
    // but without a box that nobody would answer.
    ShutdownSignals shutdownSignals;
    QObject::connect(&shutdownSignals, &ShutdownSignals::closeRequested, &aForm1, &TAForm1::closeUnattended);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &aForm1,
                     [&aForm1](QSessionManager &) { aForm1.closeUnattended(); });

    // Closing the main window ends the program; hiding it (to the notification area) does not.
    QObject::connect(&aForm1, &TAForm1::closed, &app, &QApplication::quit, Qt::QueuedConnection);

    if (QScreen *screen = QGuiApplication::primaryScreen())
        aForm1.move(screen->availableGeometry().center() - aForm1.rect().center());
    // The picture is painted in every first paint of the window. After that, what building and
    // painting the window freed goes back to the system, and the tray icon is made (asking the
    // desktop for its notification area waits on the session bus).
    if (QWidget *picture = aForm1.findChild<QWidget *>(QStringLiteral("Image1"))) {
        releaseFreedMemoryAfterFirstPaint(picture);
        NotificationArea::holdUntilPainted(picture);
        // The phone sync, when set up, loads the network once the window is on the screen.
        runAfterFirstPaint(picture, [&aForm1] { aForm1.startSync(); });
    }
    // A window started hidden in the tray is not painted: its sync starts soon all the same.
    QTimer::singleShot(SyncStartWithoutPaintMs, &aForm1, &TAForm1::startSync);
    // Started hidden (at login), the window waits in the notification area, if there is one.
    if (!start.hidden || !NotificationArea::available())
        aForm1.show();
    const int status = app.exec();
    // Ended by a signal or the session with files that could not be written: a failure.
    return aForm1.endedUnsaved() ? 1 : status;
}
