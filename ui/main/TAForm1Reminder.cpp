// The reminder when the date changes while the program runs, usually hidden in the tray.

#include "ui/main/TAForm1.h"

#include "core/AppError.h"
#include "core/Dates.h"
#include "platform/Clock.h"
#include "platform/DayWatch.h"
#include "widgets/TEdit.h"

#include <QShowEvent>

namespace {
constexpr int ListLength = 60;

// "3 items to buy: Milk, Bread, ..." with the names cut after about ListLength characters.
QString reminderText(const QStringList &names)
{
    QString list;
    for (const QString &name : names) {
        if (!list.isEmpty() && list.size() + 2 + name.size() > ListLength) {
            list += QStringLiteral(", ...");
            break;
        }
        list += (list.isEmpty() ? QString() : QStringLiteral(", ")) + name.left(ListLength);
    }
    const QString count = names.size() == 1 ? QStringLiteral("1 item") : QStringLiteral("%1 items").arg(names.size());
    return QStringLiteral("%1 to buy: %2").arg(count, list);
}
} // namespace

void TAForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_dayWatch)
        m_dayWatch->check();
}

void TAForm1::remindOfNewDay()
{
    showDate(Dates::longText(Clock::today()));
    std::array<ColorValue, Slots> before{};
    for (int slot = 1; slot <= Slots; ++slot)
        before[slot - 1] = edit(slot)->color();
    try {
        CheckDates();
    } catch (const AppError &) {
        // Nobody may be watching at midnight: the same error shows at the next "ReCheck" or
        // start, and the items checked before the bad line are still reported.
    }
    QStringList names;
    for (int slot = 1; slot <= Slots; ++slot) {
        const ColorValue now = edit(slot)->color();
        if (!isDueOrPrewarn(now) || now == before[slot - 1])
            continue;
        // An item without a name is named by its slot, as the command line's reports do.
        const QString name = edit(slot)->text().trimmed();
        names.append(name.isEmpty() ? QStringLiteral("(item %1)").arg(slot) : name);
    }
    if (!names.isEmpty())
        m_trayIcon1->showMessage(QStringLiteral("Pantrova"), reminderText(names));
    saveNow();
}
