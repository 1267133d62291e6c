// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A non-visual component that keeps an icon in the desktop's notification area and turns the
// button reports on it into mouse events: down, up, click, double click and move. It shows
// its icon once the window holding it has finished loading (while Active) until it is destroyed.

#include "platform/NotificationArea.h"
#include "widgets/Events.h"

#include <QIcon>
#include <QMenu>
#include <QPointer>

class QTimer;

// The state of the keyboard modifiers and of the mouse buttons that a tray report carries.
struct TrayShiftState
{
    Qt::KeyboardModifiers keys;
    Qt::MouseButtons buttons;
    bool doubleClick = false;
    bool operator==(const TrayShiftState &) const = default;
};

using TrayMouseEvent = std::function<void(QObject *sender, Qt::MouseButton button, TrayShiftState shift, int x, int y)>;
using TrayMouseMoveEvent = std::function<void(QObject *sender, TrayShiftState shift, int x, int y)>;

class TTrayIcon : public QObject
{
    Q_OBJECT

public:
    static constexpr int MaxTipLength = 63;

    explicit TTrayIcon(QObject *parent = nullptr);
    ~TTrayIcon() override;

    // The window calls this when its layout is complete; until then setters only store.
    void loaded();

    bool active() const { return m_active; }
    void setActive(bool active);
    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }
    QString hint() const { return m_hint; }
    void setHint(const QString &hint);
    // The tool tip: the hint up to its first "|", at most MaxTipLength characters.
    QString shortHint() const;
    QIcon icon() const { return m_icon; }
    void setIcon(const QIcon &icon);
    QList<QIcon> icons() const { return m_icons; }
    void setIcons(const QList<QIcon> &icons);
    // Animation runs only while Icons holds at least one icon.
    bool animated() const { return m_animated; }
    void setAnimated(bool animated);
    quint16 interval() const { return m_interval; }
    void setInterval(quint16 milliseconds) { m_interval = milliseconds; }
    QMenu *popupMenu() const { return m_popupMenu; }
    // The menu opens on a right click while its "AutoPopup" property is not false.
    void setPopupMenu(QMenu *menu);

    void ShowIcon();
    void HideIcon();
    void UpdateIcon();

    bool added() const { return m_area->isAdded(); }
    int frameIndex() const { return m_frame; }
    NotificationArea &notificationArea() { return *m_area; }

    // One report of the notification area about this icon, as if the shell had sent it. An
    // event handler that throws ends the report; its error is shown and goes no further.
    void handleReport(NotificationArea::Report report);
    // A message beside the icon; OnMessageClick runs when the user clicks it.
    void showMessage(const QString &title, const QString &text);

    TrayMouseEvent OnClick;
    NotifyEvent OnDblClick;
    TrayMouseMoveEvent OnMouseMove;
    TrayMouseEvent OnMouseDown;
    TrayMouseEvent OnMouseUp;
    NotifyEvent OnMessageClick;

    // Where the popup menu opens; tests replace it.
    std::function<void(QMenu *menu, QPoint screenPos)> openMenu;

private:
    QIcon currentIcon() const;
    void dispatch(NotificationArea::Report report);
    void clickStep(Qt::MouseButton button, TrayShiftState shift, QPoint pos);
    void doubleClickStep();
    bool menuUsable() const;
    void advanceFrame();
    void runAnimation();
    // Runs an event handler; whatever it throws is reported and goes no further.
    void runHandler(const std::function<void()> &handler);

    NotificationArea *m_area = nullptr;
    QTimer *m_animation = nullptr;
    bool m_loading = true;
    bool m_active = true;
    bool m_enabled = true;
    QString m_hint;
    QIcon m_icon;
    QList<QIcon> m_icons;
    bool m_animated = false;
    quint16 m_interval = 150;
    QPointer<QMenu> m_popupMenu;
    bool m_leftPending = false;
    bool m_rightPending = false;
    int m_frame = -1;
};
