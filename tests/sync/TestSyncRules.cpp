// SPDX-License-Identifier: GPL-3.0-or-later
// The sync's decisions without a network: which items call for tasks, and what becomes of the
// tasks already made when the items change.

#include "core/Palette.h"
#include "sync/SyncRules.h"

#include <QTest>

Q_DECLARE_METATYPE(SyncRules::Action)

namespace {
const QString Folder = QStringLiteral("f00d");
const QDate CycleStart(2026, 12, 1);

SyncItem item(const QString &name, const QString &record, ColorValue background)
{
    return {7, name, record, background};
}

// The task made for "Milk" in slot 7 for the cycle that began on CycleStart, 7 days long.
KnownTask milkTask(bool gone = false)
{
    return {SyncRules::taskUid(Folder, 7, CycleStart, QStringLiteral("Milk")),
            QStringLiteral("/list/milk.ics"),
            QStringLiteral("\"e1\""),
            7,
            QStringLiteral("Milk"),
            CycleStart,
            CycleStart.addDays(7),
            7,
            gone};
}
} // namespace

class TestSyncRules : public QObject
{
    Q_OBJECT

private slots:
    void wantedTasks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("record");
        QTest::addColumn<ColorValue>("background");
        QTest::addColumn<QDate>("due"); // invalid: no task

        QTest::newRow("due") << "Milk"
                             << "12/01/2026 1 007 3" << FieldColor::Red << QDate(2026, 12, 8);
        QTest::newRow("prewarn") << "Milk"
                                 << "12/01/2026 1 010 3" << FieldColor::Yellow << QDate(2026, 12, 11);
        QTest::newRow("bought") << "Milk"
                                << "12/01/2026 1 007 3" << FieldColor::Cream << QDate();
        QTest::newRow("plain") << "Milk"
                               << "12/01/2026 1 007 3" << FieldColor::Silver << QDate();
        QTest::newRow("red by hand, untracked") << "Milk"
                                                << "12/01/2026 0 007 3" << FieldColor::Red << QDate();
        QTest::newRow("learning") << "Milk"
                                  << "12/01/2026 2 000 3" << FieldColor::Red << QDate();
        QTest::newRow("no buy date") << "Milk"
                                     << "00/00/0000 1 007 3" << FieldColor::Red << QDate();
        QTest::newRow("no name") << "  "
                                 << "12/01/2026 1 007 3" << FieldColor::Red << QDate();
        QTest::newRow("unreadable cycle") << "Milk"
                                          << "12/01/2026 1 0x1 3" << FieldColor::Red << QDate();
        QTest::newRow("unreadable date") << "Milk"
                                         << "13/45/2026 1 007 3" << FieldColor::Red << QDate();
    }
    void wantedTasks()
    {
        QFETCH(QString, name);
        QFETCH(QString, record);
        QFETCH(ColorValue, background);
        QFETCH(QDate, due);
        const QList<SyncRules::Wanted> wanted = SyncRules::wanted({item(name, record, background)}, Folder);
        QCOMPARE(wanted.size(), due.isValid() ? 1 : 0);
        if (!due.isValid())
            return;
        QCOMPARE(wanted[0].due, due);
        QCOMPARE(wanted[0].name, name);
        QCOMPARE(wanted[0].uid, SyncRules::taskUid(Folder, 7, CycleStart, name));
    }

    void taskUidsTellCyclesApart()
    {
        const QString uid = SyncRules::taskUid(Folder, 7, CycleStart, QStringLiteral("Milk"));
        QCOMPARE(SyncRules::taskUid(Folder, 7, CycleStart, QStringLiteral("Milk")), uid);
        QVERIFY(SyncRules::taskUid(Folder, 8, CycleStart, QStringLiteral("Milk")) != uid);
        QVERIFY(SyncRules::taskUid(Folder, 7, CycleStart.addDays(1), QStringLiteral("Milk")) != uid);
        QVERIFY(SyncRules::taskUid(Folder, 7, CycleStart, QStringLiteral("Oat milk")) != uid);
        QVERIFY(SyncRules::taskUid(QStringLiteral("beef"), 7, CycleStart, QStringLiteral("Milk")) != uid);
    }

    // One item (slot 7) and at most one known task, the one made for "Milk" on CycleStart.
    void plan_data()
    {
        QTest::addColumn<bool>("known");
        QTest::addColumn<bool>("gone");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("record");
        QTest::addColumn<ColorValue>("background");
        QTest::addColumn<QList<SyncRules::Action>>("actions");
        using A = SyncRules::Action;

        QTest::newRow("new due item") << false << false << "Milk"
                                      << "12/01/2026 1 007 3" << FieldColor::Red << QList<A>{A::Create};
        QTest::newRow("unchanged") << true << false << "Milk"
                                   << "12/01/2026 1 007 3" << FieldColor::Red << QList<A>{};
        QTest::newRow("cycle changed") << true << false << "Milk"
                                       << "12/01/2026 1 009 3" << FieldColor::Yellow << QList<A>{A::Update};
        QTest::newRow("deleted on the server") << true << true << "Milk"
                                               << "12/01/2026 1 007 3" << FieldColor::Red << QList<A>{};
        QTest::newRow("bought later") << true << false << "Milk"
                                      << "12/09/2026 1 007 3" << FieldColor::Cream << QList<A>{A::Complete};
        QTest::newRow("bought, and due again")
            << true << false << "Milk"
            << "12/09/2026 1 000 3" << FieldColor::Red << QList<A>{A::Create, A::Complete};
        QTest::newRow("bought on the cycle's first day")
            << true << false << "Milk"
            << "12/01/2026 1 007 3" << FieldColor::Cream << QList<A>{A::Complete};
        QTest::newRow("renamed") << true << false << "Oat milk"
                                 << "12/01/2026 1 007 3" << FieldColor::Red << QList<A>{A::Create, A::Delete};
        QTest::newRow("cleared") << true << false << ""
                                 << "00/00/0000 0 000 3" << FieldColor::Silver << QList<A>{A::Delete};
        QTest::newRow("untracked") << true << false << "Milk"
                                   << "12/09/2026 0 007 3" << FieldColor::Silver << QList<A>{A::Delete};
        QTest::newRow("learning") << true << false << "Milk"
                                  << "12/09/2026 2 000 3" << FieldColor::Gray << QList<A>{A::Delete};
        QTest::newRow("coloured by hand") << true << false << "Milk"
                                          << "12/01/2026 1 007 3" << FieldColor::Silver << QList<A>{A::Delete};
        QTest::newRow("date moved back") << true << false << "Milk"
                                         << "11/30/2026 1 007 3" << FieldColor::Cream << QList<A>{A::Delete};
        QTest::newRow("gone and over") << true << true << "Milk"
                                       << "12/09/2026 1 007 3" << FieldColor::Cream << QList<A>{A::Forget};
    }
    void plan()
    {
        QFETCH(bool, known);
        QFETCH(bool, gone);
        QFETCH(QString, name);
        QFETCH(QString, record);
        QFETCH(ColorValue, background);
        QFETCH(QList<SyncRules::Action>, actions);
        const QList<SyncItem> items{item(name, record, background)};
        const QList<KnownTask> tasks = known ? QList<KnownTask>{milkTask(gone)} : QList<KnownTask>{};
        const QList<SyncRules::Step> steps = SyncRules::plan(tasks, SyncRules::wanted(items, Folder), items);
        QList<SyncRules::Action> got;
        for (const SyncRules::Step &step : steps) {
            got.append(step.action);
            // What is completed, deleted or forgotten is always the known task.
            if (step.action != SyncRules::Action::Create && step.action != SyncRules::Action::Update)
                QCOMPARE(step.uid, milkTask().uid);
        }
        QCOMPARE(got, actions);
    }

    void purchaseDate_data()
    {
        QTest::addColumn<QDate>("completed");
        QTest::addColumn<QDate>("expected");
        const QDate today(2026, 12, 9);
        QTest::newRow("ticked in the cycle") << QDate(2026, 12, 5) << QDate(2026, 12, 5);
        QTest::newRow("ticked today") << today << today;
        QTest::newRow("before the cycle (a phone's clock)") << QDate(2026, 11, 2) << CycleStart;
        QTest::newRow("in the future") << QDate(2026, 12, 24) << today;
        QTest::newRow("no completion time") << QDate() << today;
    }
    void purchaseDate()
    {
        QFETCH(QDate, completed);
        QFETCH(QDate, expected);
        QCOMPARE(SyncRules::purchaseDate(completed, CycleStart, QDate(2026, 12, 9)), expected);
    }
};

QTEST_GUILESS_MAIN(TestSyncRules)
#include "TestSyncRules.moc"
