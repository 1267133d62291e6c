// SPDX-License-Identifier: GPL-3.0-or-later
// The window's own commands: dragging, close, minimise, stay on top, hide, help.

#include "ui/main/TAForm1.h"

#include "core/Palette.h"
#include "platform/MessageBox.h"
#include "platform/NotificationArea.h"
#include "platform/Pointer.h"
#include "platform/Shell.h"
#include "ui/print/TForm2.h"
#include "widgets/THoverButton.h"
#include "widgets/TImage.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPointer>
#include <QWindow>

void TAForm1::FormMouseDown(QObject *, Qt::MouseButton button, Qt::KeyboardModifiers, int, int)
{
    // The windowing system moves the window with the pointer until the button is released,
    // as if its title bar had been dragged. A tap that is over by now starts nothing: the move
    // would wait for a release that has already come, and the window would follow the pointer.
    if (button == Qt::LeftButton && Pointer::leftButtonHeld())
        startWindowMove();
}

void TAForm1::mousePressEvent(QMouseEvent *event)
{
    // Presses that a control let through (the date label, the days panel, the calendar's
    // navigation bar) reach the window too; only the bare window surface drags it.
    const QPoint p = event->position().toPoint();
    if (QWidget *control = childAt(p); control && control != m_image1)
        return;
    FormMouseDown(this, event->button(), event->modifiers(), p.x(), p.y());
}

void TAForm1::ButtonXClick(QObject *)
{
    close();
}

void TAForm1::ButtonMinClick(QObject *)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            window->showMinimized();
    }
}

void TAForm1::ButtonOnTopClick(QObject *)
{
    m_onTop = !m_onTop;
    if (windowHandle())
        windowHandle()->setFlag(Qt::WindowStaysOnTopHint, m_onTop);
    // The glyph under the pointer is drawn with the hover caption colour: both change, so the
    // new colour shows at once.
    const ColorValue glyph = m_onTop ? Palette::Yellow : Palette::White;
    m_buttonOnTop->setFontColor(glyph);
    m_buttonOnTop->setColorOverCaption(glyph);
}

void TAForm1::ButtonTrayClick(QObject *sender)
{
    // Without a notification area nothing could bring a hidden window back.
    if (NotificationArea::available())
        hide();
    else
        ButtonMinClick(sender);
}

void TAForm1::TrayIcon1Click(QObject *, Qt::MouseButton, TrayShiftState, int, int)
{
    restoreAndShow();
}

void TAForm1::restoreAndShow()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible() && window->isMinimized())
            window->showNormal();
    }
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    requestSync();
}

void TAForm1::notificationAreaChanged()
{
    // While the print dialog is open the window is hidden on purpose, and comes back with it.
    const bool printing = m_printDialog && m_printDialog->isVisible();
    if (!m_closed && !printing && isHidden() && !NotificationArea::available())
        restoreAndShow();
}

void TAForm1::printDialogClosedByFrame()
{
    if (!NotificationArea::available())
        restoreAndShow();
}

void TAForm1::SpeedButton17Click(QObject *)
{
    // The help lies beside the program in its build folder and under share/ when installed.
    // When no program shows it, the box names the file so that the user can open it by hand.
    const QDir folder(QApplication::applicationDirPath());
    QString path = folder.filePath(QStringLiteral("Help/Help.hta"));
    const QString installed = folder.filePath(QStringLiteral("../share/pantrova/Help/Help.hta"));
    if (!QFileInfo::exists(path) && QFileInfo::exists(installed))
        path = QDir::cleanPath(installed);
    Shell::openHtml(path, [window = QPointer<TAForm1>(this)](const QString &opened) {
        MessageBox::information(window, QStringLiteral("No program could be found to show the help.\n\n"
                                                       "The help is the file %1")
                                            .arg(QDir::toNativeSeparators(opened)));
    });
}
