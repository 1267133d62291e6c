// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls, created in the order of the layout so that controls created
// later lie above earlier ones where they overlap.

#include "ui/main/TAForm1.h"
#include "ui/main/WindowGeometry.h"

#include "core/Dates.h"
#include "core/FieldColors.h"
#include "platform/GdiFont.h"
#include "platform/RunLengthImage.h"
#include "platform/SystemColors.h"
#include "ui/look/DaysPanelEdit.h"
#include "ui/look/HoverButtonStyles.h"
#include "widgets/ColumnMenuAction.h"
#include "widgets/TEdit.h"
#include "widgets/THoverButton.h"
#include "widgets/TImage.h"
#include "widgets/TIntegerEdit.h"
#include "widgets/TMemo.h"
#include "widgets/TPanel.h"
#include "widgets/TSpeedButton.h"
#include "widgets/TStatusBarPro.h"
#include "widgets/TStatusPanelPro.h"
#include "widgets/TStatusPanelsPro.h"
#include "widgets/TZekButton.h"

#include <QCalendarWidget>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QResource>
#include <QTimer>

namespace {
constexpr ColorValue PanelColor = Palette::Sand;

// The window's pictures are stored as runs, read in place from the program's resources: a few
// kilobytes, nothing decoded, and no image reader, which would look through every image
// plug-in installed.
RunLengthImage resourceRuns(const QString &path)
{
    return RunLengthImage::fromBytes(QResource(path).uncompressedData());
}

// A small picture with the pixels and the format its PNG gives.
QImage resourcePicture(const QString &path)
{
    return resourceRuns(path).toImage().convertToFormat(QImage::Format_ARGB32);
}

// The program's icon in the sizes the build packs as plain pixels: the desktop picks the one
// that fits its title bar, task bar or window switcher.
QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        const QByteArray pixels = QResource(QStringLiteral(":/pantrova/icon-%1.argb").arg(size)).uncompressedData();
        if (pixels.size() != size * size * 4)
            continue;
        // The copy detaches the picture from the bytes, which this function gives back.
        icon.addPixmap(QPixmap::fromImage(
            QImage(reinterpret_cast<const uchar *>(pixels.constData()), size, size, QImage::Format_ARGB32).copy()));
    }
    return icon;
}

constexpr auto hoverButton = &createHoverButton;

// Gives a control made after the window the window's colour and font, which it shows.
void takeWindowLook(QWidget *control)
{
    QPalette p = control->palette();
    p.setColor(QPalette::Window, toQColor(Palette::WindowBackground));
    control->setPalette(p);
    control->setFont(toQFont(GdiFont{QStringLiteral("MS Sans Serif"), -11, SystemColor::WindowText, false}));
}

QLabel *label(QWidget *parent, const QString &name, const GdiFont &font)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setFont(toQFont(font));
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, toQColor(font.color));
    l->setPalette(p);
    return l;
}
} // namespace

// The controls are made in the order of the layout, which is their stacking order.
void TAForm1::buildLayout()
{
    setUpWindow();

    m_image1 = new TImage(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    buildButtons();
    buildDateAndHelp();

    const QFont fieldFont = toQFont(GdiFont{QStringLiteral("Verdana"), -12, FieldColor::Navy, false});
    for (int slot = 2; slot <= Slots; ++slot)
        buildNameField(slot, fieldFont);

    // The days panel comes next in the layout; it stays hidden until a command asks for a number
    // of days and is made on first use (buildDaysPanel), in this place of the order.
    buildStatusBar();
    // The month calendar and its Cancel button come next in the layout; they stay hidden until
    // "Set hard date" and are made on first use (buildCalendar), in this place of the order.
    buildLists();
    buildNameField(1, fieldFont);

    // The popup menus come next in the layout; they are made on first use (buildMenus).

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setSingleShot(true);

    // The program's icon, no hint: the icon stays in the notification area while the program runs.
    m_trayIcon1 = new TTrayIcon(this);
    m_trayIcon1->setObjectName(QStringLiteral("TrayIcon1"));
    m_trayIcon1->setIcon(windowIcon());

    // The picture sizes the image to itself; the image covers the window whatever its size.
    m_image1->setPicture(resourceRuns(QStringLiteral(":/pantrova/background.runs")));
    m_image1->setGeometry(WindowGeometry::PictureRect);
}

void TAForm1::setUpWindow()
{
    setObjectName(QStringLiteral("AForm1"));
    // Every control asks for the screen it is on while it is made (for the resolution of its
    // font). Until the window exists, Qt finds that screen by the window's position, one search
    // a control; the window opens on the primary screen, so it is named here once.
    setScreen(QGuiApplication::primaryScreen());
    setWindowTitle(QStringLiteral("Pantrova"));
    setWindowIcon(programIcon());
    // No frame of the windowing system: the picture draws the title bar and the frame.
    // The layout defines a stay-on-top window; activation settles it (see FormActivate).
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    resize(WindowGeometry::WindowSize);
    // The window's colour and font are not set on the window: Qt would merge them into each of
    // its two hundred controls while they are made, and none of them shows either. The window
    // paints its colour itself where the picture does not cover it, and the controls made later
    // that show them (calendar, days panel) are given both.
}

// The purchase buttons, the command buttons and the title-bar buttons.
void TAForm1::buildButtons()
{
    for (int slot = 1; slot <= Slots; ++slot)
        m_purchaseButtons[slot - 1] =
            hoverButton(this, QLatin1String("HoverButton") + QString::number(slot), QStringLiteral("P"),
                        HoverButtonStyle::Purchase, WindowGeometry::purchaseButtonPos(slot));

    m_hoverButton102 = hoverButton(this, QStringLiteral("HoverButton102"), QStringLiteral("ReCheck"),
                                   HoverButtonStyle::ReCheck, QPoint(16, 34));
    m_hoverButton101 = hoverButton(this, QStringLiteral("HoverButton101"), QStringLiteral("Reset All Red"),
                                   HoverButtonStyle::ResetAllRed, QPoint(106, 34));
    m_hoverButton104 = hoverButton(this, QStringLiteral("HoverButton104"), QStringLiteral("Print"),
                                   HoverButtonStyle::PrintMain, QPoint(196, 34));
    m_hoverButton103 = hoverButton(this, QStringLiteral("HoverButton103"), QStringLiteral("Close"),
                                   HoverButtonStyle::Close, QPoint(286, 34));

    m_buttonTray = hoverButton(this, QStringLiteral("ButtonTray"), QStringLiteral("T"), HoverButtonStyle::TitleTray,
                               QPoint(754, 6));
    m_buttonOnTop = hoverButton(this, QStringLiteral("ButtonOnTop"), QString(QChar(0xCA)), HoverButtonStyle::TitleOnTop,
                                QPoint(778, 6));
    m_buttonMin =
        hoverButton(this, QStringLiteral("ButtonMin"), QStringLiteral("-"), HoverButtonStyle::TitleMin, QPoint(802, 6));
    m_buttonX =
        hoverButton(this, QStringLiteral("ButtonX"), QString(QChar(0xD7)), HoverButtonStyle::TitleX, QPoint(826, 6));
}

void TAForm1::buildDateAndHelp()
{
    m_label2 = label(this, QStringLiteral("Label2"), GdiFont{QStringLiteral("Verdana"), -16, FieldColor::Navy, true});
    m_label2->setGeometry(WindowGeometry::dateLabelRect(WindowGeometry::DateMinWidth));

    m_speedButton17 = new TSpeedButton(this);
    m_speedButton17->setObjectName(QStringLiteral("SpeedButton17"));
    m_speedButton17->setGeometry(834, 33, 14, 26);
    m_speedButton17->setGlyph(resourcePicture(QStringLiteral(":/pantrova/help-glyph.runs")));
    m_speedButton17->setToolTip(QString()); // "Program help" is its hint, but hints are off.
}

void TAForm1::buildNameField(int slot, const QFont &font)
{
    auto *e = new TEdit(this);
    e->setObjectName(QLatin1String("Edit") + QString::number(slot));
    e->setGeometry(WindowGeometry::fieldRect(slot));
    e->setFont(font);
    m_edits[slot - 1] = e;
}

void TAForm1::buildStatusBar()
{
    m_statusBarPro1 = new TStatusBarPro(this);
    m_statusBarPro1->setObjectName(QStringLiteral("StatusBarPro1"));
    m_statusBarPro1->setGeometry(6, 566, 842, 19);
    TStatusPanelPro *panel = m_statusBarPro1->panels()->add();
    panel->setFont(GdiFont{QStringLiteral("Tahoma"), -11, FieldColor::Navy, false});
    panel->setWidth(100);
}

// The hidden lists that hold the records (Memo1) and the names as read (Memo2).
void TAForm1::buildLists()
{
    m_memo1 = new TMemo(this);
    m_memo1->setObjectName(QStringLiteral("Memo1"));
    m_memo1->setGeometry(600, 32, 49, 33);
    m_memo2 = new TMemo(this);
    m_memo2->setObjectName(QStringLiteral("Memo2"));
    m_memo2->setGeometry(544, 32, 49, 33);
}

void TAForm1::paintEvent(QPaintEvent *event)
{
    QPainter(this).fillRect(event->rect(), toQColor(Palette::WindowBackground));
}

void TAForm1::buildDaysPanel()
{
    if (m_panel1)
        return;
    m_panel1 = new TPanel(this);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    takeWindowLook(m_panel1);
    m_panel1->setGeometry(375, 32, 113, 51);
    m_panel1->setColor(PanelColor);
    m_label1 = label(m_panel1, QStringLiteral("Label1"),
                     GdiFont{QStringLiteral("MS Sans Serif"), -11, FieldColor::Navy, false});
    m_label1->setText(QStringLiteral("Days:"));
    // The label sizes itself to its text; the installed face may be wider than the layout's.
    m_label1->setGeometry(17, 8, qMax(27, m_label1->fontMetrics().horizontalAdvance(m_label1->text())), 13);
    m_integerEdit1 = new TIntegerEdit(m_panel1);
    m_integerEdit1->setObjectName(QStringLiteral("IntegerEdit1"));
    applyDaysPanelSettings(m_integerEdit1);
    m_integerEdit1->move(48, 5);
    m_daysOK = hoverButton(m_panel1, QStringLiteral("DaysOK"), QStringLiteral("OK"), HoverButtonStyle::DaysPanel,
                           QPoint(8, 30));
    m_daysCancel = hoverButton(m_panel1, QStringLiteral("DaysCancel"), QStringLiteral("Cancel"),
                               HoverButtonStyle::DaysPanel, QPoint(58, 30));
    m_panel1->hide();

    // Its place in the stacking order: above the name fields 2 to 100, below the status bar.
    m_panel1->stackUnder(m_statusBarPro1);

    m_daysOK->OnClick = [this](QObject *sender) { runCommand([=, this] { DaysOKClick(sender); }); };
    m_daysCancel->OnClick = [this](QObject *sender) { runCommand([=, this] { DaysOKClick(sender); }); };
    m_integerEdit1->OnKeyUp = [this](QObject *sender, int &key, Qt::KeyboardModifiers shift) {
        runCommand([&, this] { IntegerEdit1KeyUp(sender, key, shift); });
    };
}

void TAForm1::buildCalendar()
{
    if (m_monthCalendar1)
        return;
    m_monthCalendar1 = new QCalendarWidget(this);
    m_monthCalendar1->setObjectName(QStringLiteral("MonthCalendar1"));
    takeWindowLook(m_monthCalendar1);
    m_monthCalendar1->setGeometry(328, 247, 197, 153);
    m_monthCalendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_monthCalendar1->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    m_monthCalendar1->setFirstDayOfWeek(Qt::Sunday);
    // Only dates that fit the buy-date columns can be picked.
    m_monthCalendar1->setDateRange(Dates::FirstStorable, Dates::LastStorable);
    m_monthCalendar1->setSelectedDate(m_startDate);
    m_monthCalendar1->hide();

    m_zekButton1 = new TZekButton(this);
    m_zekButton1->setObjectName(QStringLiteral("ZekButton1"));
    m_zekButton1->setGeometry(478, 382, 45, 16);
    m_zekButton1->setText(QStringLiteral("Cancel"));
    m_zekButton1->setButtonFont(GdiFont{QStringLiteral("MS Sans Serif"), -11, SystemColor::ButtonText, false});
    m_zekButton1->setColor(Palette::WindowBackground);
    m_zekButton1->setHotColor(Palette::WindowBackground);
    m_zekButton1->setHotTextColor(SystemColor::ButtonText);
    m_zekButton1->parentColorChanged(Palette::WindowBackground);
    m_zekButton1->setParentColor(true);
    m_zekButton1->setFocusPolicy(Qt::NoFocus);
    m_zekButton1->hide();

    // The place in the stacking order that the layout gives them: above the status bar, below
    // the hidden lists and name field 1.
    m_monthCalendar1->stackUnder(m_memo1);
    m_zekButton1->stackUnder(m_memo1);

    connect(m_monthCalendar1, &QCalendarWidget::clicked, this,
            [this] { runCommand([this] { MonthCalendar1Click(); }); });
    m_zekButton1->OnClick = [this](QObject *sender) { runCommand([=, this] { ZekButton1Click(sender); }); };
}

void TAForm1::buildMenus()
{
    if (m_popupMenu1)
        return;
    buildItemMenu();
    for (const QMenu *menu : {m_popupMenu1, m_popupMenu2}) {
        for (QAction *a : menu->findChildren<QAction *>())
            m_actions.insert(a->objectName(), a);
    }
    connectMenus();
}

void TAForm1::buildItemMenu()
{
    m_popupMenu1 = new QMenu(this);
    m_popupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    m_popupMenu2 = new QMenu(this);
    m_popupMenu2->setObjectName(ColorMenu);

    QHash<QString, QMenu *> menus{{QString(), m_popupMenu1}, {ColorMenu, m_popupMenu2}};
    // The entries of a menu laid out in columns wait until the menu's last entry is made.
    QHash<QString, QList<QList<QAction *>>> columns;
    for (const MenuEntry &e : menuEntries()) {
        QMenu *menu = menus.value(e.menu);
        if (e.submenu) {
            auto *sub = new QMenu(e.caption, menu);
            sub->setObjectName(e.name + QStringLiteral("Menu"));
            QAction *a = menu->addMenu(sub);
            a->setObjectName(e.name);
            a->setVisible(e.visible);
            menus.insert(e.name, sub);
            continue;
        }
        auto *a = new QAction(e.caption, menu);
        a->setObjectName(e.name);
        if (e.column < 0) {
            menu->addAction(a);
        } else {
            QList<QList<QAction *>> &lists = columns[e.menu];
            lists.resize(qMax(lists.size(), e.column + 1));
            lists[e.column].append(a);
        }
        a->setVisible(e.visible);
        a->setEnabled(e.enabled);
    }
    for (auto it = columns.cbegin(); it != columns.cend(); ++it) {
        QMenu *menu = menus.value(it.key());
        menu->addAction(new ColumnMenuAction(it.value(), menu));
    }
}
