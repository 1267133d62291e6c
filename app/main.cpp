// Pantrova's entry point: the application object, the main window (which loads the data
// folder beside the executable while it is created), the hidden print dialog, and the event
// loop until the main window has closed.

#include "ShutdownSignals.h"
#include "ui/main/SingleInstance.h"
#include "ui/main/TAForm1.h"
#include "ui/print/TForm2.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QSessionManager>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pantrova"));
    QApplication::setQuitOnLastWindowClosed(false);

    const QString dataFolder = QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("system"));
    SingleInstance instance(dataFolder);
    if (!instance.claim())
        return 0;

    TAForm1 aForm1(dataFolder);
    TForm2 form2(&aForm1);
    aForm1.setPrintDialog(&form2);

    QObject::connect(&instance, &SingleInstance::activationRequested, &aForm1, [&aForm1] {
        aForm1.showNormal();
        aForm1.raise();
        aForm1.activateWindow();
    });

    // Ending the desktop session or a termination signal closes the window as "Close" does.
    ShutdownSignals shutdownSignals;
    QObject::connect(&shutdownSignals, &ShutdownSignals::closeRequested, &aForm1, &QWidget::close);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &aForm1, [&aForm1](QSessionManager &manager) {
        if (!aForm1.close())
            manager.cancel();
    });

    // Closing the main window ends the program; hiding it (to the notification area) does not.
    QObject::connect(&aForm1, &TAForm1::closed, &app, &QApplication::quit, Qt::QueuedConnection);

    if (QScreen *screen = QGuiApplication::primaryScreen())
        aForm1.move(screen->availableGeometry().center() - aForm1.rect().center());
    aForm1.show();
    return app.exec();
}
