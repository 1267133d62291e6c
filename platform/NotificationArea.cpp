#include "platform/NotificationArea.h"

#include <QSystemTrayIcon>

namespace {
struct TestState
{
    bool testMode = false;
    bool available = true;
};

TestState &state()
{
    static TestState s;
    return s;
}
} // namespace

NotificationArea::NotificationArea(QObject *parent)
    : QObject(parent)
{
    if (state().testMode)
        return;
    m_tray = new QSystemTrayIcon(this);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        for (Report report : reportsFor(reason))
            emit reported(report);
    });
    connect(m_tray, &QSystemTrayIcon::messageClicked, this, &NotificationArea::messageClicked);
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
        m_tray->setIcon(icon);
        m_tray->setToolTip(tip);
        m_tray->show();
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
