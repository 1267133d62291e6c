// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: a borderless 854 x 590 window over its background picture with the grid
// of 100 name fields and purchase buttons, the command and title-bar buttons, the days panel,
// the calendar, the status line and the two popup menus. It owns the whole model: the records
// list in Memo1, the names in the name fields and each item's state in its field's colours.
// Its handlers carry the names the layout gives them and tell their senders apart by name.

#include "core/DataFolder.h"
#include "core/FieldColorAccess.h"
#include "core/PurchaseHistory.h"
#include "platform/SyncModule.h"
#include "widgets/Events.h"
#include "widgets/TTrayIcon.h"

#include <QDate>
#include <QHash>
#include <QWidget>
#include <array>

class QCalendarWidget;
class QFont;
class QLabel;
class QMenu;
class QAction;
class QTimer;
class DayWatch;
class TEdit;
class THoverButton;
class TImage;
class TIntegerEdit;
class TForm2;
class TMemo;
class TPanel;
class TSpeedButton;
class TStatusBarPro;
class TZekButton;

class TAForm1 : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Slots = DataFolder::Slots;

    // Builds the window from its layout and runs the start-up on the data folder.
    explicit TAForm1(const QString &dataFolderPath, QWidget *parent = nullptr);
    ~TAForm1() override;

    TEdit *edit(int slot) const;
    THoverButton *purchaseButton(int slot) const;
    TextLines &records();
    const TextLines &records() const;
    DataFolder &dataFolder() { return m_data; }
    QString statusLine() const;
    // The two popup menus and their entries by component name. The menus are made on first
    // use; asking for one of them or for an entry makes them.
    QMenu *itemMenu();
    QMenu *colorMenu();
    QAction *action(const QString &name);
    bool itemMenuAutoPopup() const { return m_itemMenuAutoPopup; }
    int currentSlot() const { return m_currentSlot; }
    TEdit *currentField() const { return m_currentField; }
    bool onTop() const { return m_onTop; }
    // A control of the layout by its component name. The month calendar and its Cancel button,
    // and the days panel with its controls, are made on first use; asking for one of them by
    // name makes them.
    QWidget *control(const QString &name);
    TTrayIcon *trayIcon() const { return m_trayIcon1; }
    DayWatch *dayWatch() const { return m_dayWatch; }

    // Start-up and shut-down.
    void FormCreate();
    // Puts a date text into Label2, centred where WindowGeometry::dateLabelRect says.
    void showDate(const QString &text);
    void setVisible(bool visible) override;
    void FormActivate();
    // Writes the data files; false when a file could not be written (the message is shown).
    bool FormCloseQuery();
    // Closes for a signal or the end of the desktop session, when nobody can answer a box:
    // writes what it can, reports failures on standard error and ends in any case.
    void closeUnattended();
    // An unattended close went ahead with something unsaved (the program ends with a failure).
    bool endedUnsaved() const { return m_endedUnsaved; }
    // Writes every change to the data files at once, then the purchases they record to the
    // history. The first failure of a streak is told in a box and the status line; the ones
    // after it are not, and the next command tries again. False while something is unsaved.
    bool saveNow();
    // The names of the 100 fields, and the lines past them as they were read.
    QStringList currentNames() const;

    // Inventory rules.
    void CheckDates();
    void HoverButton102Click(QObject *sender);
    void PurchaseButtonsClick(QObject *sender);
    void ResetAllReds1Click(QObject *sender);

    // Name fields.
    void Edit1MouseDown(QObject *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void AllEditClick(QObject *sender);
    void AllEditMouseUp(QObject *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void ClearFocusedClick(QObject *sender);
    void Copy1Click(QObject *sender);
    void Timer1Timer();

    // Item menu commands, days panel and calendar.
    void AllMenuClicks(QObject *sender);
    void BumpDateClick(QObject *sender);
    void SetDaysClick(QObject *sender);
    void SetDaysManClick(QObject *sender);
    void DaysOKClick(QObject *sender);
    void IntegerEdit1KeyUp(QObject *sender, int &key, Qt::KeyboardModifiers shift);
    void Days1Thru20Click(QObject *sender);
    void MonthCalendar1Click();
    void ZekButton1Click(QObject *sender);
    void PreDays1Thru9Click(QObject *sender);
    void PreDays1Thru9AllClick(QObject *sender);
    void Beige1Click(QObject *sender);

    // Window commands.
    void FormMouseDown(QObject *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void ButtonXClick(QObject *sender);
    void ButtonMinClick(QObject *sender);
    void ButtonOnTopClick(QObject *sender);
    void ButtonTrayClick(QObject *sender);
    void SpeedButton17Click(QObject *sender);
    void TrayIcon1Click(QObject *sender, Qt::MouseButton button, TrayShiftState shift, int x, int y);
    // Undoes a minimise of the program and shows the window in front, as the tray icon does.
    void restoreAndShow();
    // The notification area went away or came: a window hidden to one that has gone is shown,
    // so that it is never stranded.
    void notificationAreaChanged();
    // The print dialog was closed by its frame: with a notification area the window stays
    // hidden (the tray icon brings it back); without one nothing could, so it is shown.
    void printDialogClosedByFrame();

    // The local date has moved on: the due check runs on the records in memory, and the items
    // that fell due or entered their prewarn days are named in one tray notification.
    void remindOfNewDay();

    // The phone sync, when the data folder has it set up: started once the window is on the
    // screen, asked for at "ReCheck", a new day and the window shown from the tray, and told of
    // every save.
    void startSync();
    void requestSync();

    // Starts the windowing system's move loop; tests replace it.
    std::function<void()> startWindowMove;

    // Printing: "Print" hides this window and shows the print dialog modally. The dialog is made
    // on the first "Print", not at start, and kept, so its page side lasts for the program's
    // life; tests may hand in a dialog of their own instead.
    void setPrintDialog(TForm2 *dialog);
    void HoverButton104Click(QObject *sender);

    // Where a right-button release opens the item menu; tests replace it.
    std::function<void(QMenu *menu, QPoint screenPos)> openMenu;

signals:
    // The close was allowed: the data files are written and the program may end.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    class Fields;
    class SyncLink;

    // One entry of the two popup menus: every place that builds, binds, shows or dispatches an
    // entry reads it from menuEntries(), by the entry's component name.
    struct MenuEntry
    {
        // Which entries a right-button release on a name field shows, by the item's flag;
        // entries it does not mention keep their visibility.
        struct Shown
        {
            bool byFlag = false;
            bool notTracked = false;
            bool tracked = false;
            bool learning = false;
            // Hidden before the flag is looked at (so an empty field leaves them hidden).
            bool hiddenFirst = false;
        };
        using Handler = void (TAForm1::*)(QObject *);

        QString name;
        QString caption;
        // The menu the entry stands in: the item menu (empty), a submenu's name, or ColorMenu.
        QString menu;
        bool submenu = false;
        // What a click runs, as a command; none for a submenu.
        Handler handler = nullptr;
        // What AllMenuClicks does for the entries it handles.
        void (*command)(TAForm1 &form, QObject *sender) = nullptr;
        // The entry is remembered as the one that asked for the days panel or a date change.
        bool remembered = false;
        // In a menu laid out in columns (ColumnMenuAction): the column, else -1.
        int column = -1;
        bool visible = true;
        bool enabled = true;
        Shown shown;
        // What a colour-menu entry gives the current field.
        FieldColors colors;
    };
    static inline const QString ColorMenu = QStringLiteral("PopupMenu2");
    static const QList<MenuEntry> &menuEntries();
    static MenuEntry makeMenuEntry(const QString &name, const QString &caption, const QString &menu,
                                   MenuEntry::Handler handler);
    static void addItemMenuEntries(QList<MenuEntry> &list);
    static void addColorMenuEntries(QList<MenuEntry> &list);
    // The entry of that name; an unknown name ends the program, in every build.
    static const MenuEntry &menuEntry(const QString &name);

    void buildLayout();
    void setUpWindow();
    void buildButtons();
    void buildDateAndHelp();
    void buildNameField(int slot, const QFont &font);
    void buildStatusBar();
    void buildLists();
    void buildDaysPanel();
    void sizeDateLabel();
    void showWindowBeforeControls();
    void buildCalendar();
    void buildMenus();
    // Both popup menus, from menuEntries().
    void buildItemMenu();
    void connectMenus();
    void connectHandlers();
    void setStatusLine(const QString &text);
    void showError(const QString &message);
    void showWarning(const QString &message);
    // Saves the three files; with stopAtFirstError the first failure ends the save. The
    // messages of the failures.
    QStringList saveAll(bool stopAtFirstError);
    // Appends the purchases waiting for their records to reach the disk.
    void appendUnrecordedPurchases(QStringList &errors);
    // Runs a handler bound to a control or a menu entry: an error it raises is shown, and what
    // it changed is saved.
    void runCommand(const std::function<void()> &handler);
    // A name is being typed: it is kept for an exit that cannot wait, and saved once typing
    // pauses.
    void nameTyped();
    // Where the damaged files written over since the last call were kept; each is told once.
    QString backupNotice();
    enum class AfterFailedSave { Retry, Quit, StayOpen };
    AfterFailedSave askAfterFailedSave();
    void loadStartupColors();
    void startTracking();
    // "Set hard date": the calendar and its Cancel button, in front.
    void showCalendar();
    void stopTracking();
    void refuseCycle(const QString &message);
    // Notes a purchase for the history; every command that records a purchase calls it.
    void recordPurchase(int slot, QDate date);
    void syncItemsChanged();
    bool openSync();
    void stopSync();

    DataFolder m_data;
    std::unique_ptr<FieldColorAccess> m_fields;

    TImage *m_image1 = nullptr;
    std::array<TEdit *, Slots> m_edits{};
    std::array<THoverButton *, Slots> m_purchaseButtons{};
    THoverButton *m_hoverButton101 = nullptr; // "Reset All Red"
    THoverButton *m_hoverButton102 = nullptr; // "ReCheck"
    THoverButton *m_hoverButton103 = nullptr; // "Close"
    THoverButton *m_hoverButton104 = nullptr; // "Print"
    THoverButton *m_buttonTray = nullptr;
    THoverButton *m_buttonOnTop = nullptr;
    THoverButton *m_buttonMin = nullptr;
    THoverButton *m_buttonX = nullptr;
    QLabel *m_label2 = nullptr;
    TSpeedButton *m_speedButton17 = nullptr;
    TPanel *m_panel1 = nullptr; // with its label, edit and buttons, made by buildDaysPanel()
    QLabel *m_label1 = nullptr;
    TIntegerEdit *m_integerEdit1 = nullptr;
    THoverButton *m_daysOK = nullptr;
    THoverButton *m_daysCancel = nullptr;
    TStatusBarPro *m_statusBarPro1 = nullptr;
    QCalendarWidget *m_monthCalendar1 = nullptr; // with m_zekButton1, made by buildCalendar()
    TZekButton *m_zekButton1 = nullptr;
    TMemo *m_memo1 = nullptr;
    TMemo *m_memo2 = nullptr;
    QMenu *m_popupMenu1 = nullptr;
    QMenu *m_popupMenu2 = nullptr;
    QTimer *m_timer1 = nullptr;
    TTrayIcon *m_trayIcon1 = nullptr;
    DayWatch *m_dayWatch = nullptr;
    // The menu entries by name.
    QHash<QString, QAction *> m_actions;

    QDate m_startDate;

    // Selection and copy state.
    int m_currentSlot = 0;
    TEdit *m_currentField = nullptr;
    QString m_invokingEntry;
    QString m_heldLine;
    QString m_heldName;
    FieldColors m_heldColors;
    bool m_itemMenuAutoPopup = false;
    bool m_onTop = false;
    bool m_unattended = false;
    // The close went ahead: nothing is saved any more.
    bool m_closed = false;
    bool m_endedUnsaved = false;
    // The last save failed and the user has been told.
    bool m_saveFailing = false;
    QTimer *m_nameSaveTimer = nullptr;
    // Purchases whose records are not on disk yet; they reach the history after them.
    QList<Purchase> m_unrecordedPurchases;
    // The date label's text waits to be measured until the window has been shown.
    bool m_dateLabelUnsized = false;
    // False until the window first shows: its controls are shown after it (setVisible).
    bool m_controlsShown = false;
    QString m_dateText;
    TForm2 *m_printDialog = nullptr;
    std::unique_ptr<TForm2> m_ownPrintDialog;
    // Declared after everything the sync reads, so that it ends first.
    std::unique_ptr<SyncHost> m_syncLink;
    std::unique_ptr<SyncSession> m_sync;
    bool m_syncStarted = false;
    bool m_syncModuleMissingTold = false;
};
