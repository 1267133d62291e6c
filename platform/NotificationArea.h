// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One icon in the desktop's notification area, reached through QSystemTrayIcon. Qt reports
// activations rather than button presses; each activation is turned here into the button
// reports a tray icon component works with. Tests run it without a real icon and read what
// would have been shown.
//
// Making the real icon asks the desktop for its notification area over the session bus and
// waits for the answer, so an added icon is made from the event loop, and after the first
// paint of a widget named by holdUntilPainted() if one is: a starting program shows its
// window first.

#include <QIcon>
#include <QObject>

class QSystemTrayIcon;
class QWidget;

class NotificationArea : public QObject
{
    Q_OBJECT

public:
    enum class Report {
        MouseMove,
        LeftDown,
        LeftUp,
        LeftDouble,
        RightDown,
        RightUp,
        RightDouble,
        MiddleDown,
        MiddleUp,
        MiddleDouble
    };

    explicit NotificationArea(QObject *parent = nullptr);
    ~NotificationArea() override;

    // Whether a notification area exists on the desktop now.
    static bool available();

    // Puts the icon into the notification area, or replaces the one there. Qt keeps an added
    // icon and shows it as soon as a notification area appears, so adding succeeds without one.
    void add(const QIcon &icon, const QString &tip);
    // Changes the icon shown; nothing while none is added.
    void modify(const QIcon &icon, const QString &tip);
    void remove();
    bool isAdded() const { return m_added; }
    // Whether the real icon has been made (never in test mode).
    bool iconMade() const { return m_tray != nullptr; }
    QString tip() const { return m_tip; }
    QIcon icon() const { return m_icon; }

    // A message shown beside the icon; clicking it emits messageClicked.
    void showMessage(const QString &title, const QString &text);
    QString lastMessage() const { return m_lastMessage; }

    // The button reports of one activation of the icon, in the order the icon gets them.
    static QList<Report> reportsFor(int activationReason);

    // Real icons are made only after the widget's first paint, or a second after this call
    // if the widget has not been painted by then.
    static void holdUntilPainted(QWidget *widget);

    // Test hooks: no real icon is made, and available() says what the test set.
    static void setTestMode(bool on, bool available = true);

signals:
    void reported(NotificationArea::Report report);
    void messageClicked();
    // The desktop's notification area went away or came (a panel ended or started); ask
    // available() which. Only reported once the real icon has been made.
    void hostChanged();

private:
    // Makes the real icon once it is due, unless icons are held back.
    void makeIcon();
    // Makes the real icon now, held back or not.
    void makeIconNow();
    // Shows the added icon and tip on the real icon.
    void showIcon();
    void watchHost();

    QSystemTrayIcon *m_tray = nullptr;
    bool m_iconDue = false;
    bool m_added = false;
    QString m_tip;
    QIcon m_icon;
    QString m_lastMessage;
};
