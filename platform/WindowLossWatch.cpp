// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowLossWatch.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <xcb/xproto.h>

WindowLossWatch::WindowLossWatch(QWidget *window, QObject *parent)
    : QObject(parent)
    , m_window(window)
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

WindowLossWatch::~WindowLossWatch()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeNativeEventFilter(this);
}

bool WindowLossWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (m_lost || !m_window || eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & ~0x80) != XCB_DESTROY_NOTIFY)
        return false;
    // Qt makes a window anew now and then (when its flags change); the old one is destroyed
    // under an id the window no longer has when the news arrives. Only the one it has is lost.
    const QWindow *window = m_window->windowHandle();
    const auto *destroyed = reinterpret_cast<const xcb_destroy_notify_event_t *>(event);
    if (!window || !window->handle() || destroyed->window != xcb_window_t(window->winId()))
        return false;
    m_lost = true;
    QTimer::singleShot(0, this, &WindowLossWatch::lost);
    return false;
}
