#include "notessandbox.h"

#include "crontab.h"
#include "textnote.h"

#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

// The crontab steps of loading and saving a note, against the fake crontab.
class TestReminders : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_sandbox.isSafe()); }
    void init() { m_sandbox.reset(); }

    void loadExpiresPassedOnce();
    void loadKeepsFutureAndRepeating_data();
    void loadKeepsFutureAndRepeating();
    void saveWithoutReminderLeavesCrontabAlone();
    void saveSwitchedOffRemovesOnce();
    void saveWeeklyReplacesLine();
    void savePassedOnceDropsReminder();
    void saveFutureOnceInstallsLine();
    void saveSkipsCrontabAfterFailedRead();

private:
    std::unique_ptr<TextNote> note(const QString &file)
    {
        auto n = std::make_unique<TextNote>();
        n->setFile(file);
        return n;
    }
    int storedType(const QString &file) const
    {
        return QSettings(m_sandbox.notesDir() + QLatin1Char('/') + file, QSettings::IniFormat)
            .value(QStringLiteral("notify-type"), -1)
            .toInt();
    }
    QByteArray lineOf(const AbstractNote &n) const { return cronLine(n).toLocal8Bit(); }

    const QByteArray userJob = "*/5 * * * * echo 'it''s' \"$HOME\" `date` \\n % ! >/dev/null";
    NotesSandbox m_sandbox;
};

void TestReminders::loadExpiresPassedOnce()
{
    auto writer = note(QStringLiteral("1.note"));
    writer->setNotifyType(AbstractNote::RepeatOnce);
    writer->setNotifyDate(QDateTime::currentDateTime().addSecs(3600));
    writer->save();
    QCOMPARE(m_sandbox.crontab(), lineOf(*writer) + '\n');

    // Its moment passes while the application is closed.
    auto other = note(QStringLiteral("11.note"));
    other->setNotifyType(AbstractNote::RepeatEveryDay);
    m_sandbox.setCrontab(userJob + '\n' + lineOf(*other) + '\n' + lineOf(*writer) + '\n');
    {
        QSettings raw(writer->fullPath(), QSettings::IniFormat);
        raw.setValue(QStringLiteral("notify-date"), QDateTime::currentDateTime().addSecs(-60));
    }
    m_sandbox.clearLog();

    auto loaded = note(QStringLiteral("1.note"));
    SignalRecorder recorder(loaded.get());
    loaded->load();
    QCOMPARE(loaded->notifyType(), AbstractNote::RepeatNever);
    QCOMPARE(storedType(QStringLiteral("1.note")), 0);
    QCOMPARE(m_sandbox.crontab(), userJob + '\n' + lineOf(*other) + '\n');
    QCOMPARE(m_sandbox.crontabCalls(), QStringLiteral("lw"));
    QCOMPARE(recorder.names.count(QStringLiteral("notifyTypeChanged")), 2);
    QCOMPARE(recorder.names.last(), QStringLiteral("loadedChanged"));
}

void TestReminders::loadKeepsFutureAndRepeating_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("seconds");
    QTest::newRow("future once") << 1 << 3600;
    QTest::newRow("passed daily") << 2 << -3600;
    QTest::newRow("passed yearly") << 5 << -3600;
    QTest::newRow("out of range") << 9 << -3600;
}

void TestReminders::loadKeepsFutureAndRepeating()
{
    QFETCH(int, type);
    QFETCH(int, seconds);
    auto writer = note(QStringLiteral("2.note"));
    writer->setNotifyType(AbstractNote::NotifyType(type));
    writer->setNotifyDate(QDateTime::currentDateTime().addSecs(seconds));
    writer->save();
    const QByteArray bytes = NotesSandbox::readBytes(writer->fullPath());
    m_sandbox.clearLog();

    auto loaded = note(QStringLiteral("2.note"));
    loaded->load();
    QCOMPARE(int(loaded->notifyType()), type);
    QCOMPARE(m_sandbox.crontabCalls(), QString());
    QCOMPARE(NotesSandbox::readBytes(writer->fullPath()), bytes);
}

void TestReminders::saveWithoutReminderLeavesCrontabAlone()
{
    auto n = note(QStringLiteral("3.note"));
    n->save();
    n->setTitle(QStringLiteral("again"));
    n->save();
    QCOMPARE(m_sandbox.crontabCalls(), QString());
    QVERIFY(!QFile::exists(m_sandbox.crontabFile()));
}

void TestReminders::saveSwitchedOffRemovesOnce()
{
    auto n = note(QStringLiteral("4.note"));
    n->setNotifyType(AbstractNote::RepeatEveryWeek);
    n->setNotifyDate(QDateTime(QDate(2024, 3, 10), QTime(8, 30)));
    m_sandbox.setCrontab(userJob + '\n');
    n->save();
    QCOMPARE(m_sandbox.crontab(), userJob + '\n' + lineOf(*n) + '\n');

    n->setNotifyType(AbstractNote::RepeatNever);
    m_sandbox.clearLog();
    n->save();
    QCOMPARE(storedType(QStringLiteral("4.note")), 0);
    QCOMPARE(m_sandbox.crontab(), userJob + '\n');
    QCOMPARE(m_sandbox.crontabCalls(), QStringLiteral("lw"));

    m_sandbox.clearLog();
    n->save();
    QCOMPARE(m_sandbox.crontabCalls(), QString());
}

void TestReminders::saveWeeklyReplacesLine()
{
    auto n = note(QStringLiteral("5.note"));
    n->setNotifyType(AbstractNote::RepeatEveryWeek);
    n->setNotifyDate(QDateTime(QDate(2024, 3, 10), QTime(8, 30)));
    n->save();
    n->setNotifyDate(QDateTime(QDate(2024, 3, 11), QTime(21, 7)));
    n->save();
    n->save();
    const QByteArray table = m_sandbox.crontab();
    QCOMPARE(table.count("zib-notes-notify 5.note"), 1);
    QVERIFY(table.startsWith("7 21 * * 1 export"));
    QVERIFY(table.endsWith("zib-notes-notify 5.note\n"));
}

void TestReminders::savePassedOnceDropsReminder()
{
    auto n = note(QStringLiteral("6.note"));
    n->setNotifyType(AbstractNote::RepeatOnce);
    n->setNotifyDate(QDateTime::currentDateTime().addSecs(3600));
    n->save();
    n->setNotifyDate(QDateTime::currentDateTime().addSecs(-1));
    QSignalSpy spy(n.get(), &AbstractNote::notifyTypeChanged);
    n->save();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(n->notifyType(), AbstractNote::RepeatNever);
    QCOMPARE(storedType(QStringLiteral("6.note")), 0);
    QVERIFY(!m_sandbox.crontab().contains("6.note"));
}

void TestReminders::saveFutureOnceInstallsLine()
{
    auto n = note(QStringLiteral("7.note"));
    n->setNotifyType(AbstractNote::RepeatOnce);
    n->setNotifyDate(QDateTime::currentDateTime().addDays(2));
    n->save();
    QCOMPARE(storedType(QStringLiteral("7.note")), 1);
    QCOMPARE(m_sandbox.crontab(), lineOf(*n) + '\n');
}

void TestReminders::saveSkipsCrontabAfterFailedRead()
{
    m_sandbox.setCrontab(userJob + '\n');
    qputenv("FAKE_CRONTAB_FAIL", "read");
    auto n = note(QStringLiteral("8.note"));
    n->setNotifyType(AbstractNote::RepeatEveryDay);
    QSignalSpy spy(n.get(), &AbstractNote::saved);
    n->save();
    qunsetenv("FAKE_CRONTAB_FAIL");
    QCOMPARE(spy.count(), 1);
    QCOMPARE(m_sandbox.crontabCalls(), QStringLiteral("l"));
    QCOMPARE(m_sandbox.crontab(), userJob + '\n');
}

QTEST_GUILESS_MAIN(TestReminders)
#include "tst_reminders.moc"
