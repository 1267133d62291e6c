// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tells when the windowing system has destroyed a window behind the program's back (a window
// manager's "destroy" or `xdotool windowclose`). Qt goes on as if the window were still there,
// so without this the program would run on with nothing left to close it by.

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QPointer>

class QWidget;

class WindowLossWatch : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    explicit WindowLossWatch(QWidget *window, QObject *parent = nullptr);
    ~WindowLossWatch() override;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

signals:
    // Emitted from the event loop, once, after the window was destroyed.
    void lost();

private:
    QPointer<QWidget> m_window;
    bool m_lost = false;
};
