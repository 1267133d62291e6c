// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/NotificationArea.h"

#include "platform/FirstPaint.h"

#include <QGuiApplication>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <utility>

namespace {
struct TestState
{
    bool testMode = false;
    bool available = true;
};

// How long real icons wait for the first paint at the most.
constexpr int HoldAtMostMs = 1000;

// Whether real icons wait for a first paint, and the areas waiting with them.
struct Hold
{
    bool held = false;
    QList<QPointer<NotificationArea>> waiting;
};

Hold &hold()
{
    static Hold h;
    return h;
}

TestState &state()
{
    static TestState s;
    return s;
}
} // namespace

NotificationArea::NotificationArea(QObject *parent)
    : QObject(parent)
{}

void NotificationArea::holdUntilPainted(QWidget *widget)
{
    hold().held = true;
    const auto release = [] {
        if (!std::exchange(hold().held, false))
            return;
        const QList<QPointer<NotificationArea>> waiting = std::exchange(hold().waiting, {});
        for (const QPointer<NotificationArea> &area : waiting) {
            if (area)
                area->makeIcon();
        }
    };
    runAfterFirstPaint(widget, release);
    // A window that is not painted soon (started minimised, on another desktop) must not keep
    // the icon, the way back to it, away.
    QTimer::singleShot(HoldAtMostMs, widget, release);
}

void NotificationArea::makeIcon()
{
    if (m_tray || !m_iconDue)
        return;
    if (!m_added) {
        m_iconDue = false;
        return;
    }
    if (hold().held) {
        if (!hold().waiting.contains(this))
            hold().waiting.append(this);
        return;
    }
    makeIconNow();
}

void NotificationArea::makeIconNow()
{
    m_iconDue = false;
    if (m_tray || state().testMode)
        return;
    m_tray = new QSystemTrayIcon(this);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        for (Report report : reportsFor(reason))
            emit reported(report);
    });
    connect(m_tray, &QSystemTrayIcon::messageClicked, this, &NotificationArea::messageClicked);
    watchHost();
    showIcon();
}

void NotificationArea::showIcon()
{
    if (!m_tray || !m_added)
        return;
    m_tray->setIcon(m_icon);
    m_tray->setToolTip(m_tip);
    m_tray->show();
}

void NotificationArea::watchHost()
{
    // The X11 platform tells of a notification area that ends or starts with a signal of its
    // native interface, which has no public class: it is connected by the signal's name. Other
    // platforms have no such signal and the connection is simply not made.
    auto *native = reinterpret_cast<QObject *>(QGuiApplication::platformNativeInterface());
    if (native && native->metaObject()->indexOfSignal("systemTrayWindowChanged(QScreen*)") >= 0)
        connect(native, SIGNAL(systemTrayWindowChanged(QScreen *)), this, SIGNAL(hostChanged()));
}

NotificationArea::~NotificationArea()
{
    remove();
}

bool NotificationArea::available()
{
    if (state().testMode)
        return state().available;
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void NotificationArea::add(const QIcon &icon, const QString &tip)
{
    m_added = true;
    modify(icon, tip);
}

void NotificationArea::modify(const QIcon &icon, const QString &tip)
{
    if (!m_added)
        return;
    m_icon = icon;
    m_tip = tip;
    if (m_tray) {
        showIcon();
    } else if (!m_iconDue) {
        m_iconDue = true;
        QTimer::singleShot(0, this, &NotificationArea::makeIcon);
    }
}

void NotificationArea::remove()
{
    m_added = false;
    if (m_tray)
        m_tray->hide();
}

void NotificationArea::showMessage(const QString &title, const QString &text)
{
    m_lastMessage = text;
    // A message cannot wait: the icon it is shown beside is made now.
    if (m_added)
        makeIconNow();
    if (m_tray && m_added)
        m_tray->showMessage(title, text, m_icon);
}

QList<NotificationArea::Report> NotificationArea::reportsFor(int activationReason)
{
    switch (activationReason) {
    case QSystemTrayIcon::Trigger:
        return {Report::LeftDown, Report::LeftUp};
    case QSystemTrayIcon::Context:
        return {Report::RightDown, Report::RightUp};
    case QSystemTrayIcon::DoubleClick:
        return {Report::LeftDouble};
    case QSystemTrayIcon::MiddleClick:
        return {Report::MiddleDown, Report::MiddleUp};
    default:
        return {};
    }
}

void NotificationArea::setTestMode(bool on, bool available)
{
    state().testMode = on;
    state().available = available;
}
