// The window's own commands: dragging, close, minimise, stay on top, hide, help.

#include "ui/main/TAForm1.h"

#include "platform/Shell.h"
#include "widgets/THoverButton.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QWindow>

void TAForm1::FormMouseDown(QObject *, Qt::MouseButton button, Qt::KeyboardModifiers, int, int)
{
    // The windowing system moves the window with the pointer until the button is released,
    // as if its title bar had been dragged.
    if (button == Qt::LeftButton && windowHandle())
        windowHandle()->startSystemMove();
}

void TAForm1::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
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
    m_buttonOnTop->setFontColor(m_onTop ? 0x0000FFFF : 0x00FFFFFF);
}

void TAForm1::ButtonTrayClick(QObject *)
{
    hide();
}

void TAForm1::SpeedButton17Click(QObject *)
{
    // The help lies beside the program in its build folder and under share/ when installed.
    // The result is ignored: a missing help file gives no message.
    const QDir folder(QApplication::applicationDirPath());
    QString path = folder.filePath(QStringLiteral("Help/Help.hta"));
    const QString installed = folder.filePath(QStringLiteral("../share/pantrova/Help/Help.hta"));
    if (!QFileInfo::exists(path) && QFileInfo::exists(installed))
        path = QDir::cleanPath(installed);
    Shell::openHtml(path);
}
