#include "abstractnote.h"
#include "missedreminders.h"
#include "reminderhistory.h"
#include "reminderschedule.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// When a reminder last fired, and which ones the program must still announce
// because nothing did at the time.
class TestMissedReminders : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void latestOccurrence_data();
    void latestOccurrence();
    void eachMissedReminderIsFoundOnce();
    void announcedSavedOrOlderRemindersAreNotMissed();
    void expiredOneTimeReminderIsStillAnnounced();

private:
    QScopedPointer<QTemporaryDir> m_state;
};

using Note = MissedReminders::Note;
static const QDateTime now(QDate(2026, 12, 7), QTime(10, 30)); // a Monday

void TestMissedReminders::init()
{
    m_state.reset(new QTemporaryDir);
    qputenv("XDG_STATE_HOME", m_state->path().toUtf8());
    QSettings history(ReminderHistory::filePath(), QSettings::IniFormat);
    history.setValue("since", now.addDays(-30));
}

void TestMissedReminders::latestOccurrence_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QDateTime>("date");
    QTest::addColumn<QDateTime>("expected");

    const QTime nine(9, 0);
    const QTime noon(12, 0);
    QTest::newRow("never") << int(AbstractNote::RepeatNever) << now.addDays(-1) << QDateTime();
    QTest::newRow("once, passed") << int(AbstractNote::RepeatOnce) << QDateTime(QDate(2026, 12, 1), nine)
                                  << QDateTime(QDate(2026, 12, 1), nine);
    QTest::newRow("once, a year on is still ahead")
        << int(AbstractNote::RepeatOnce) << QDateTime(QDate(2027, 12, 1), nine) << QDateTime();
    QTest::newRow("daily, today's passed")
        << int(AbstractNote::RepeatEveryDay) << QDateTime(QDate(2027, 1, 3), nine) << QDateTime(now.date(), nine);
    QTest::newRow("daily, today's ahead") << int(AbstractNote::RepeatEveryDay) << QDateTime(QDate(2020, 1, 3), noon)
                                          << QDateTime(now.date().addDays(-1), noon);
    QTest::newRow("weekly on Friday") << int(AbstractNote::RepeatEveryWeek) << QDateTime(QDate(2026, 1, 2), nine)
                                      << QDateTime(QDate(2026, 12, 4), nine);
    QTest::newRow("weekly on Monday, later today")
        << int(AbstractNote::RepeatEveryWeek) << QDateTime(QDate(2026, 1, 5), noon)
        << QDateTime(QDate(2026, 11, 30), noon);
    QTest::newRow("monthly on the 31st skips November")
        << int(AbstractNote::RepeatEveryMonth) << QDateTime(QDate(2026, 1, 31), nine)
        << QDateTime(QDate(2026, 10, 31), nine);
    QTest::newRow("yearly on 29 February") << int(AbstractNote::RepeatEveryYear) << QDateTime(QDate(2024, 2, 29), nine)
                                           << QDateTime(QDate(2024, 2, 29), nine);
    QTest::newRow("seconds do not count")
        << int(AbstractNote::RepeatEveryDay) << QDateTime(QDate(2026, 1, 1), QTime(10, 30, 59))
        << QDateTime(now.date(), QTime(10, 30));
}

void TestMissedReminders::latestOccurrence()
{
    QFETCH(int, type);
    QFETCH(QDateTime, date);
    QFETCH(QDateTime, expected);
    QCOMPARE(ReminderSchedule::latestOccurrence(type, date, now), expected);
}

void TestMissedReminders::eachMissedReminderIsFoundOnce()
{
    const QVector<Note> notes { { "1.note", AbstractNote::RepeatEveryDay, QDateTime(now.date(), QTime(9, 0)),
                                  now.addDays(-3) },
                                { "2.note", AbstractNote::RepeatOnce, now.addDays(-1), now.addDays(-2) },
                                { "3.note", AbstractNote::RepeatNever, now.addDays(-1), now.addDays(-2) } };
    const QList<MissedReminders::Missed> missed = MissedReminders::take(notes, now);
    QCOMPARE(missed.size(), 2);
    QCOMPARE(missed.at(0).file, QString("1.note"));
    QCOMPARE(missed.at(0).dueDate, QDateTime(now.date(), QTime(9, 0)));
    QCOMPARE(missed.at(1).file, QString("2.note"));
    QVERIFY(MissedReminders::take(notes, now).isEmpty());
    // Tomorrow the daily one is missed again, the one-time one is not.
    const QList<MissedReminders::Missed> tomorrow = MissedReminders::take(notes, now.addDays(1));
    QCOMPARE(tomorrow.size(), 1);
    QCOMPARE(tomorrow.at(0).file, QString("1.note"));
}

void TestMissedReminders::announcedSavedOrOlderRemindersAreNotMissed()
{
    const QDateTime nine(now.date(), QTime(9, 0));
    const Note announced { "1.note", AbstractNote::RepeatEveryDay, nine, now.addDays(-3) };
    MissedReminders::announced(announced, nine.addSecs(20));
    // Saved after the moment: the user has seen the note since.
    const Note saved { "2.note", AbstractNote::RepeatEveryDay, nine, nine.addSecs(60) };
    // Fell due before the history began (the first start of this version).
    const Note older { "3.note", AbstractNote::RepeatOnce, now.addDays(-40), now.addDays(-50) };
    QVERIFY(MissedReminders::take({ announced, saved, older }, now).isEmpty());
}

void TestMissedReminders::expiredOneTimeReminderIsStillAnnounced()
{
    // Loading turns a passed one-time reminder off before anybody saw it.
    const QDateTime due = now.addSecs(-3600);
    ReminderHistory::recordExpired("4.note", due);
    ReminderHistory::recordExpired("gone.note", due);
    const Note off { "4.note", AbstractNote::RepeatNever, due, now.addDays(-1) };
    const QList<MissedReminders::Missed> missed = MissedReminders::take({ off }, now);
    QCOMPARE(missed.size(), 1);
    QCOMPARE(missed.at(0).file, QString("4.note"));
    QCOMPARE(missed.at(0).dueDate, due);
    QVERIFY(MissedReminders::take({ off }, now).isEmpty());
    // Once announced, a later expiry of the same moment is not kept.
    ReminderHistory::recordExpired("4.note", due);
    QVERIFY(MissedReminders::take({ off }, now).isEmpty());
}

QTEST_GUILESS_MAIN(TestMissedReminders)
#include "tst_missedreminders.moc"
