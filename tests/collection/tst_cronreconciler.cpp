#include "collectionsandbox.h"
#include "cronreconciler.h"
#include "crontab.h"
#include "crontablock.h"
#include "notesmodel.h"

#include <QDeadlineTimer>
#include <QSignalSpy>
#include <QtTest>

#include <utility>

// The crontab is brought back in step with the notes, touching only lines of
// our own form, and a reminder is announced only when it is truly due.
class TestCronReconciler : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(sandbox.isSafe()); }
    void init() { sandbox.reset(); }

    void startPutsLinesRight();
    void failedRemovalIsRepairedLater();
    void requestsDuringARunMakeOneMore();
    void saveAfterTheLookIsNotWrittenOver();
    void editsElsewhereAfterTheLookAreKept();
    void reminderDue_data();
    void reminderDue();
    void reminderDueThroughTheModel();

private:
    void writeReminder(const QString &file, int type, const QDateTime &date)
    {
        sandbox.writeNote(file, AbstractNote::TextType, QDateTime::currentDateTime(), [&](AbstractNote *note) {
            note->setNotifyType(AbstractNote::NotifyType(type));
            note->setNotifyDate(date);
        });
        // Saving a passed one-time reminder switches it off; put it back.
        QSettings(sandbox.notePath(file), QSettings::IniFormat).setValue(QStringLiteral("notify-type"), type);
    }
    static QByteArray line(int type, const QDateTime &date, const QString &file)
    {
        return cronLine(type, date, file).toLatin1();
    }
    bool waitForTable(const QByteArray &table)
    {
        QDeadlineTimer deadline(15000);
        while (sandbox.readBytes(sandbox.crontabFile()) != table && !deadline.hasExpired())
            QTest::qWait(50);
        return sandbox.readBytes(sandbox.crontabFile()) == table;
    }

    CollectionSandbox sandbox;
};

void TestCronReconciler::startPutsLinesRight()
{
    const QDateTime tomorrow = QDateTime::currentDateTime().addDays(1);
    writeReminder(QStringLiteral("1.note"), AbstractNote::RepeatEveryDay, tomorrow);
    sandbox.writeNote(QStringLiteral("2.note"), AbstractNote::TextType, tomorrow, [](AbstractNote *) {});
    writeReminder(QStringLiteral("4.note"), AbstractNote::RepeatOnce, tomorrow.addDays(-3));
    const QByteArray good = line(AbstractNote::RepeatEveryDay, tomorrow, QStringLiteral("1.note"));
    const QList<QByteArray> user
        = { "  # r\xe9union  ", "# " + good, "0 9 * * * echo zib-notes-notify 2.note 100% 'q' \"d\" \\",
            QByteArray("# nul\0byte", 10), "\t  " };
    // Stale: a note without a reminder, a note that is gone, an older time,
    // a duplicate, a passed one-time reminder.
    const QList<QByteArray> ours = { line(2, tomorrow, QStringLiteral("2.note")),
                                     line(2, tomorrow, QStringLiteral("3.note")),
                                     line(2, tomorrow.addSecs(3600), QStringLiteral("1.note")),
                                     good,
                                     good,
                                     line(1, tomorrow.addDays(-3), QStringLiteral("4.note")) };
    QByteArray table, expected;
    for (int i = 0; i < ours.size(); ++i) {
        table += ours.at(i) + '\n' + (i < user.size() ? user.at(i) + '\n' : QByteArray());
        expected += (i == 3 ? good + '\n' : QByteArray()) + (i < user.size() ? user.at(i) + '\n' : QByteArray());
    }
    sandbox.setCrontab(table);
    sandbox.clearLog();
    NotesModel model;
    // Deferred: nothing happens while the window shows its first frame.
    QCOMPARE(sandbox.crontabCalls(), QString());
    QVERIFY(waitForTable(expected));
    QCOMPARE(sandbox.crontabCalls(), QStringLiteral("lw"));
    // Notes are read from their files; none was made for it.
    QVERIFY(!model.getNoteData(QStringLiteral("1.note")).value<AbstractNote *>()->loaded());
}

void TestCronReconciler::failedRemovalIsRepairedLater()
{
    const QDateTime tomorrow = QDateTime::currentDateTime().addDays(1);
    writeReminder(QStringLiteral("1.note"), AbstractNote::RepeatEveryDay, tomorrow);
    const QByteArray orphan = line(AbstractNote::RepeatEveryDay, tomorrow, QStringLiteral("1.note"));
    QCOMPARE(sandbox.cronLinesOf(QStringLiteral("1.note")), 1);
    NotesModel model;
    qputenv("FAKE_CRONTAB_FAIL", "read");
    model.removeItems({ QStringLiteral("1.note") });
    qunsetenv("FAKE_CRONTAB_FAIL");
    QCOMPARE(sandbox.readBytes(sandbox.crontabFile()), orphan + '\n');

    // The counter starts at 1 again: the new note has the old name and no
    // reminder, and must not inherit the orphaned line.
    auto *note = AbstractNote::createNote(AbstractNote::TextType);
    model.addItem(note);
    QCOMPARE(note->file(), QStringLiteral("1.note"));
    QVERIFY(waitForTable(QByteArray()));
}

void TestCronReconciler::requestsDuringARunMakeOneMore()
{
    const QDateTime tomorrow = QDateTime::currentDateTime().addDays(1);
    writeReminder(QStringLiteral("1.note"), AbstractNote::RepeatEveryDay, tomorrow);
    sandbox.setCrontab(QByteArray());
    sandbox.clearLog();
    CronReconciler reconciler(nullptr);
    QSignalSpy done(&reconciler, &CronReconciler::reconciled);
    for (int i = 0; i < 3; ++i)
        reconciler.reconcileInBackground();
    QTRY_COMPARE_WITH_TIMEOUT(done.count(), 2, 15000);
    QVERIFY(done.at(0).at(0).toBool() && done.at(1).at(0).toBool());
    QCOMPARE(sandbox.readBytes(sandbox.crontabFile()), line(2, tomorrow, QStringLiteral("1.note")) + '\n');
    // The second run finds the table right and writes nothing.
    QCOMPARE(sandbox.crontabCalls(), QStringLiteral("lwl"));
}

void TestCronReconciler::saveAfterTheLookIsNotWrittenOver()
{
    const QDateTime before = QDateTime::currentDateTime().addDays(1);
    const QDateTime saved = before.addSecs(3600);
    writeReminder(QStringLiteral("1.note"), AbstractNote::RepeatEveryDay, saved);
    sandbox.setCrontab(QByteArray());
    sandbox.clearLog();
    bool first = true;
    CronReconciler reconciler([&] {
        // The first look sees the loaded note just before a save, which
        // writes its new line before the run gets the lock.
        const bool stale = std::exchange(first, false);
        if (stale)
            replaceCronLine(QStringLiteral("1.note"), QString::fromLatin1(line(2, saved, QStringLiteral("1.note"))));
        return QHash<QString, CronReconciler::Reminder> { { QStringLiteral("1.note"), { 2, stale ? before : saved } } };
    });
    QSignalSpy done(&reconciler, &CronReconciler::reconciled);
    reconciler.reconcileInBackground();
    QTRY_COMPARE_WITH_TIMEOUT(done.count(), 2, 15000);
    QCOMPARE(sandbox.readBytes(sandbox.crontabFile()), line(2, saved, QStringLiteral("1.note")) + '\n');
    // The older line was never written, not even for a moment.
    QCOMPARE(sandbox.crontabCalls(), QStringLiteral("lwll"));
}

// The run looks at the notes before it takes the crontab lock. Another
// process that changes notes meanwhile edits their lines before the run gets
// the lock; what it wrote stays.
void TestCronReconciler::editsElsewhereAfterTheLookAreKept()
{
    const QDateTime before = QDateTime::currentDateTime().addDays(1);
    const QDateTime moved = before.addSecs(3600);
    writeReminder(QStringLiteral("1.note"), AbstractNote::RepeatEveryDay, before);
    writeReminder(QStringLiteral("2.note"), AbstractNote::RepeatEveryDay, before);
    sandbox.setCrontab(line(2, before, QStringLiteral("1.note")) + '\n');
    CronReconciler reconciler(nullptr);
    QSignalSpy done(&reconciler, &CronReconciler::reconciled);
    {
        const CrontabLock held(QDeadlineTimer(2000));
        QVERIFY(held.isLocked());
        reconciler.reconcileInBackground();
        QTest::qWait(300);
        // The other process moves 1.note's reminder and removes 2.note.
        QSettings(sandbox.notePath(QStringLiteral("1.note")), QSettings::IniFormat)
            .setValue(QStringLiteral("notify-date"), moved);
        QSettings(sandbox.confPath(), QSettings::IniFormat).remove(QStringLiteral("Notes/2.note"));
        QFile::remove(sandbox.notePath(QStringLiteral("2.note")));
        sandbox.setCrontab(line(2, moved, QStringLiteral("1.note")) + '\n');
    }
    QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 15000);
    QVERIFY(done.at(0).at(0).toBool());
    QCOMPARE(sandbox.readBytes(sandbox.crontabFile()), line(2, moved, QStringLiteral("1.note")) + '\n');
}

void TestCronReconciler::reminderDue_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("type");
    QTest::addColumn<QDateTime>("date");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<bool>("due");
    QTest::addColumn<bool>("lineStays");

    const QDateTime march5(QDate(2027, 3, 5), QTime(9, 0));
    QTest::newRow("once, now") << "1.note" << 1 << march5 << true << march5.addSecs(20) << true << true;
    QTest::newRow("once, a few minutes late") << "1.note" << 1 << march5 << true << march5.addSecs(300) << true << true;
    QTest::newRow("once, next year's date") << "1.note" << 1 << march5.addYears(1) << true << march5 << false << true;
    QTest::newRow("once, long past") << "1.note" << 1 << march5.addDays(-2) << true << march5 << false << false;
    QTest::newRow("daily") << "1.note" << 2 << march5.addDays(-30) << true << march5 << true << true;
    QTest::newRow("daily, moved") << "1.note" << 2 << march5.addSecs(3600) << true << march5 << false << true;
    QTest::newRow("weekly, other day") << "1.note" << 3 << march5.addDays(1) << true << march5 << false << true;
    QTest::newRow("yearly") << "1.note" << 5 << march5.addYears(-3) << true << march5 << true << true;
    QTest::newRow("no reminder") << "1.note" << 0 << march5 << true << march5 << false << false;
    QTest::newRow("not in the collection") << "1.note" << 2 << march5 << false << march5 << false << false;
    QTest::newRow("no such note") << "7.note" << 2 << march5 << true << march5 << false << false;
}

void TestCronReconciler::reminderDue()
{
    QFETCH(QString, file);
    QFETCH(int, type);
    QFETCH(QDateTime, date);
    QFETCH(bool, listed);
    QFETCH(QDateTime, now);
    QFETCH(bool, due);
    QFETCH(bool, lineStays);

    writeReminder(QStringLiteral("1.note"), type, date);
    if (!listed)
        QSettings(sandbox.confPath(), QSettings::IniFormat).remove(QStringLiteral("Notes/1.note"));
    // The line that fired, as cron holds it (the time of day of now).
    const QByteArray fired = line(2, now, file);
    const QByteArray trueLine = line(type, date, file);
    const QByteArray other = line(2, now, QStringLiteral("2.note"));
    const QByteArray user = "# " + fired + "\n0 1 * * * job";
    sandbox.setCrontab(user + '\n' + fired + '\n' + other + '\n');

    QCOMPARE(CronReconciler::reminderDue(file, now), due);
    QByteArray expected = user + '\n' + other + '\n';
    if (due)
        expected = user + '\n' + fired + '\n' + other + '\n';
    else if (lineStays)
        expected += trueLine + '\n';
    QCOMPARE(sandbox.readBytes(sandbox.crontabFile()), expected);
}

void TestCronReconciler::reminderDueThroughTheModel()
{
    writeReminder(QStringLiteral("1.note"), AbstractNote::RepeatEveryDay, QDateTime::currentDateTime());
    NotesModel model;
    QVERIFY(model.reminderDue(QStringLiteral("1.note")));
    QVERIFY(model.reminderDue(QStringLiteral("1")));
    QVERIFY(!model.reminderDue(QStringLiteral("../1.note")));
    model.removeItems({ QStringLiteral("1.note") });
    QVERIFY(!model.reminderDue(QStringLiteral("1.note")));
}

QTEST_GUILESS_MAIN(TestCronReconciler)
#include "tst_cronreconciler.moc"
