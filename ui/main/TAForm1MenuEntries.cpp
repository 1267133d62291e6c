// SPDX-License-Identifier: GPL-3.0-or-later
// The entries of the item menu and of the colour menu, in the order the menus show them: name,
// caption, the menu they stand in, what a click runs and when a right-button release shows them.

#include "ui/main/TAForm1.h"

#include <QtGlobal>

const QList<TAForm1::MenuEntry> &TAForm1::menuEntries()
{
    static const QList<MenuEntry> entries = [] {
        QList<MenuEntry> list;
        addItemMenuEntries(list);
        addColorMenuEntries(list);
        return list;
    }();
    return entries;
}

TAForm1::MenuEntry TAForm1::makeMenuEntry(const QString &name, const QString &caption, const QString &menu,
                                          MenuEntry::Handler handler)
{
    MenuEntry e;
    e.name = name;
    e.caption = caption;
    e.menu = menu;
    e.handler = handler;
    return e;
}

void TAForm1::addItemMenuEntries(QList<MenuEntry> &list)
{
    using Shown = MenuEntry::Shown;
    // Shown by the item's flag: not tracked, tracked, learning.
    constexpr Shown TrackedOnly{true, false, true, false, true};
    constexpr Shown AnyFlag{true, true, true, true, true};
    // Left as it was until a field with a flag is right-clicked.
    constexpr Shown LearningOnly{true, false, false, true, false};

    auto add = [&list](MenuEntry entry) { list.append(std::move(entry)); };
    const auto make = &makeMenuEntry;
    auto allMenuClicks = [&add, make](const QString &name, const QString &caption,
                                      void (*command)(TAForm1 &, QObject *), bool remembered, Shown shown,
                                      bool visible = true) {
        MenuEntry e = make(name, caption, QString(), &TAForm1::AllMenuClicks);
        e.command = command;
        e.remembered = remembered;
        e.visible = visible;
        e.shown = shown;
        add(e);
    };
    auto submenu = [&add, make](const QString &name, const QString &caption, Shown shown) {
        MenuEntry e = make(name, caption, QString(), nullptr);
        e.submenu = true;
        e.shown = shown;
        add(e);
    };
    auto numbered = [&add, make](const QString &menu, const QString &prefix, int first, int last,
                                 MenuEntry::Handler handler, int columnSize = 0) {
        for (int n = first; n <= last; ++n) {
            MenuEntry e = make(prefix + QString::number(n), QString::number(n), menu, handler);
            if (columnSize > 0)
                e.column = (n - first) / columnSize;
            add(e);
        }
    };

    allMenuClicks(
        QStringLiteral("BumpDate1"), QStringLiteral("0 product used - foward buy date"),
        [](TAForm1 &f, QObject *s) { f.BumpDateClick(s); }, true, TrackedOnly, false);
    allMenuClicks(
        QStringLiteral("BackDate1"), QStringLiteral("2 products used - back up buy date"),
        [](TAForm1 &f, QObject *s) { f.BumpDateClick(s); }, true, TrackedOnly);
    allMenuClicks(
        QStringLiteral("PlusMinusCycle1"), QStringLiteral("Inc/Dec cycle days..."),
        [](TAForm1 &f, QObject *s) { f.SetDaysClick(s); }, true, AnyFlag);
    allMenuClicks(
        QStringLiteral("SetHardDate1"), QStringLiteral("Set hard date"),
        [](TAForm1 &f, QObject *) { f.showCalendar(); }, false, TrackedOnly, false);

    // "1" to "10" in the first column, "11" to "20" and "> 20..." in the second.
    submenu(QStringLiteral("SetDays"), QStringLiteral("Set Days..."), AnyFlag);
    numbered(QStringLiteral("SetDays"), QStringLiteral("Days"), 1, 20, &TAForm1::Days1Thru20Click, 10);
    MenuEntry more = make(QStringLiteral("SetDaysMan"), QStringLiteral("> 20..."), QStringLiteral("SetDays"),
                          &TAForm1::SetDaysManClick);
    more.column = 1;
    add(more);

    submenu(QStringLiteral("SetWarning1"), QStringLiteral("Set prewarn days..."), TrackedOnly);
    numbered(QStringLiteral("SetWarning1"), QStringLiteral("PreWarn"), 0, 9, &TAForm1::PreDays1Thru9Click);
    submenu(QStringLiteral("SetWarning2"), QStringLiteral("Set prewarn days all..."), Shown{});
    numbered(QStringLiteral("SetWarning2"), QStringLiteral("PreWarnAll"), 0, 9, &TAForm1::PreDays1Thru9AllClick);

    // The caption of StartTracking1 follows the flag too (see AllEditMouseUp).
    allMenuClicks(
        QStringLiteral("StartTracking1"), QStringLiteral("Start tracking"),
        [](TAForm1 &f, QObject *) { f.startTracking(); }, true, Shown{});
    allMenuClicks(
        QStringLiteral("StopTracking1"), QStringLiteral("Stop tracking"),
        [](TAForm1 &f, QObject *) { f.stopTracking(); }, false, LearningOnly);
    add(make(QStringLiteral("ClearFocused"), QStringLiteral("Clear focused"), QString(), &TAForm1::ClearFocusedClick));
    allMenuClicks(
        QStringLiteral("Copy1"), QStringLiteral("Copy"), [](TAForm1 &f, QObject *s) { f.Copy1Click(s); }, false,
        Shown{});
    allMenuClicks(
        QStringLiteral("Paste1"), QStringLiteral("Paste"), [](TAForm1 &f, QObject *s) { f.Copy1Click(s); }, false,
        Shown{});
    list.last().enabled = false;
}

void TAForm1::addColorMenuEntries(QList<MenuEntry> &list)
{
    const std::pair<QString, FieldColors> colors[] = {
        {QStringLiteral("Red"), FieldState::Due},
        {QStringLiteral("Yellow"), {FieldColor::Yellow, FieldColor::Black}},
        {QStringLiteral("Gray"), {FieldColor::LightGray, FieldColor::Black}},
        {QStringLiteral("Dark Gray"), {FieldColor::DarkGray, FieldColor::White}},
        {QStringLiteral("Beige"), {FieldColor::Cream, FieldColor::Black}}};
    for (const auto &[caption, fieldColors] : colors) {
        MenuEntry e = makeMenuEntry(QString(caption).remove(QLatin1Char(' ')) + QLatin1Char('1'), caption, ColorMenu,
                                    &TAForm1::Beige1Click);
        e.colors = fieldColors;
        list.append(e);
    }
}

const TAForm1::MenuEntry &TAForm1::menuEntry(const QString &name)
{
    for (const MenuEntry &entry : menuEntries()) {
        if (entry.name == name)
            return entry;
    }
    qFatal("The menus have no entry named \"%s\"", qPrintable(name));
}
