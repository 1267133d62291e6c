// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of bench/startup-process: the least a Qt program can do to show a window of
// the main window's size. It builds on nothing of Pantrova's.

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.resize(854, 590);
    window.show();
    return app.exec();
}
