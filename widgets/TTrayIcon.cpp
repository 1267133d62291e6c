// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TTrayIcon.h"

#include "core/AppError.h"
#include "platform/Pointer.h"
#include "widgets/Notice.h"

#include <QGuiApplication>
#include <QMenu>
#include <QTimer>

TTrayIcon::TTrayIcon(QObject *parent)
    : QObject(parent)
    , m_area(new NotificationArea(this))
    , m_animation(new QTimer(this))
{
    openMenu = [](QMenu *menu, QPoint screenPos) { menu->popup(screenPos); };
    connect(m_area, &NotificationArea::reported, this, &TTrayIcon::handleReport);
    connect(m_area, &NotificationArea::messageClicked, this, [this] {
        if (OnMessageClick)
            runHandler([this] { OnMessageClick(this); });
    });
    connect(m_animation, &QTimer::timeout, this, &TTrayIcon::advanceFrame);
}

TTrayIcon::~TTrayIcon()
{
    m_enabled = false;
    HideIcon();
}

void TTrayIcon::loaded()
{
    m_loading = false;
    if (m_active)
        ShowIcon();
}

void TTrayIcon::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    if (m_loading)
        return;
    if (active)
        ShowIcon();
    else
        HideIcon();
}

void TTrayIcon::setHint(const QString &hint)
{
    if (hint == m_hint)
        return;
    m_hint = hint;
    UpdateIcon();
}

QString TTrayIcon::shortHint() const
{
    return m_hint.section(QLatin1Char('|'), 0, 0).left(MaxTipLength);
}

void TTrayIcon::setIcon(const QIcon &icon)
{
    m_icon = icon;
    UpdateIcon();
}

void TTrayIcon::setIcons(const QList<QIcon> &icons)
{
    m_icons = icons;
    UpdateIcon();
}

void TTrayIcon::setAnimated(bool animated)
{
    animated = animated && !m_icons.isEmpty();
    if (animated == m_animated)
        return;
    m_animated = animated;
    m_frame = 0;
    runAnimation();
    UpdateIcon();
}

void TTrayIcon::runAnimation()
{
    // The animation only runs while the icon is in the notification area.
    if (m_animated && added())
        m_animation->start(m_interval);
    else
        m_animation->stop();
}

void TTrayIcon::setPopupMenu(QMenu *menu)
{
    m_popupMenu = menu;
}

QIcon TTrayIcon::currentIcon() const
{
    if (m_animated && !m_icons.isEmpty())
        return m_icons.at(qBound(0, m_frame, int(m_icons.size()) - 1));
    return m_icon;
}

void TTrayIcon::ShowIcon()
{
    // Hiding first forgets a press whose release may never come.
    HideIcon();
    const QIcon icon = currentIcon();
    if (icon.isNull())
        return;
    m_area->add(icon, shortHint());
    runAnimation();
}

void TTrayIcon::HideIcon()
{
    m_area->remove();
    m_leftPending = false;
    m_rightPending = false;
    m_animation->stop();
}

void TTrayIcon::UpdateIcon()
{
    // No frames left: the animation ends, which updates the icon again.
    if (m_icons.isEmpty() && m_animated) {
        setAnimated(false);
        return;
    }
    if (m_loading)
        return;
    if (added()) {
        const QIcon icon = currentIcon();
        if (icon.isNull())
            HideIcon();
        else
            m_area->modify(icon, shortHint());
    } else if (m_active) {
        ShowIcon();
    }
}

void TTrayIcon::advanceFrame()
{
    if (QCoreApplication::closingDown() || m_icons.isEmpty())
        return;
    m_frame = (m_frame + 1) % int(m_icons.size());
    UpdateIcon();
}

void TTrayIcon::showMessage(const QString &title, const QString &text)
{
    m_area->showMessage(title, text);
}

void TTrayIcon::runHandler(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const AppError &error) {
        Notice::tell(nullptr, Notice::Kind::Error, error.message());
    } catch (const std::exception &error) {
        Notice::tell(nullptr, Notice::Kind::Error, QString::fromLocal8Bit(error.what()));
    } catch (...) {
        Notice::tell(nullptr, Notice::Kind::Error, QStringLiteral("Unknown error"));
    }
}

void TTrayIcon::handleReport(NotificationArea::Report report)
{
    // A disabled icon ignores what happens to it, but stays in the notification area.
    if (m_enabled)
        runHandler([this, report] { dispatch(report); });
}

void TTrayIcon::dispatch(NotificationArea::Report report)
{
    using Report = NotificationArea::Report;
    // The keyboard and the pointer as they are now, not as they were at the click.
    const Qt::KeyboardModifiers keys = QGuiApplication::queryKeyboardModifiers();
    const QPoint pos = Pointer::position();
    auto shift = [keys](Qt::MouseButtons buttons, bool doubleClick = false) {
        return TrayShiftState{keys, buttons, doubleClick};
    };
    auto down = [&](Qt::MouseButton button, TrayShiftState state) {
        if (OnMouseDown)
            OnMouseDown(this, button, state, pos.x(), pos.y());
    };
    auto up = [&](Qt::MouseButton button, bool *pending) {
        const TrayShiftState state = shift(button);
        if (pending && *pending) {
            *pending = false;
            clickStep(button, state, pos);
        }
        if (OnMouseUp)
            OnMouseUp(this, button, state, pos.x(), pos.y());
    };

    switch (report) {
    case Report::MouseMove:
        if (OnMouseMove)
            OnMouseMove(this, shift(Qt::NoButton), pos.x(), pos.y());
        break;
    case Report::LeftDown:
        down(Qt::LeftButton, shift(Qt::LeftButton));
        m_leftPending = true;
        break;
    case Report::LeftUp:
        up(Qt::LeftButton, &m_leftPending);
        break;
    case Report::LeftDouble:
        // The first press and release of a double click have already given the click.
        doubleClickStep();
        down(Qt::LeftButton, shift(Qt::NoButton, true));
        break;
    case Report::RightDown:
        down(Qt::RightButton, shift(Qt::RightButton));
        m_rightPending = true;
        break;
    case Report::RightUp:
        up(Qt::RightButton, &m_rightPending);
        break;
    case Report::RightDouble:
        down(Qt::RightButton, shift(Qt::NoButton, true));
        break;
    case Report::MiddleDown:
        down(Qt::MiddleButton, shift(Qt::MiddleButton));
        break;
    case Report::MiddleUp:
        up(Qt::MiddleButton, nullptr);
        break;
    case Report::MiddleDouble:
        down(Qt::MiddleButton, shift(Qt::NoButton, true));
        break;
    }
}

bool TTrayIcon::menuUsable() const
{
    return m_active && m_popupMenu;
}

void TTrayIcon::clickStep(Qt::MouseButton button, TrayShiftState shift, QPoint pos)
{
    if (button == Qt::RightButton && menuUsable()) {
        const QVariant autoPopup = m_popupMenu->property("AutoPopup");
        if (!autoPopup.isValid() || autoPopup.toBool()) {
            openMenu(m_popupMenu, Pointer::position());
            return;
        }
    }
    if (OnClick)
        OnClick(this, button, shift, pos.x(), pos.y());
}

void TTrayIcon::doubleClickStep()
{
    if (menuUsable()) {
        QAction *entry = m_popupMenu->defaultAction();
        if (entry && entry->isEnabled()) {
            entry->trigger();
            return;
        }
    }
    if (OnDblClick)
        OnDblClick(this);
}
