#include "notessandbox.h"

#include "cronprocess.h"
#include "crontab.h"
#include "crontablock.h"
#include "textnote.h"

#include <QProcess>
#include <QSharedPointer>
#include <QTextCodec>
#include <QtTest>

namespace {

const QString command = QStringLiteral(" export QT_QPA_PLATFORMTHEME=zib && export XDG_CURRENT_DESKTOP=zib"
                                       " && export DISPLAY=:0 && zib-notes-notify ");

NotePtr makeNote(const QString &file, int type, const QDateTime &date)
{
    NotePtr note(new TextNote);
    note->setFile(file);
    note->setNotifyType(AbstractNote::NotifyType(type));
    note->setNotifyDate(date);
    return note;
}

// A user's own jobs with everything a shell would like to interpret.
const QByteArray hostileJobs = "# m h dom mon dow command\n"
                               "*/5 * * * * echo 'it'\\''s' \"$HOME\" $(id) `date +%s` \\n \\c \\\\ ! !! * ?\n"
                               "0 3 * * 1 printf 'a\\tb\\n' > \"/tmp/x y\" 2>&1 # ' \" $ ` \\\n"
                               "\n"
                               "-n\n"
                               "-e \\x41 -E\n"
                               "@reboot   tabs\there  and   spaces  \n"
                               "MAILTO=\"\"";

} // namespace

class TestCrontab : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_sandbox.isSafe()); }
    void init() { m_sandbox.reset(); }

    void commandLiteral();
    void lockGoesToCrontabChildrenOnly();
    void childEndsAreToldApart_data();
    void childEndsAreToldApart();
    void cronLineFields_data();
    void cronLineFields();
    void cronLineForNullAndInvalid();

    void readTable();
    void readTellsFailureApart_data();
    void readTellsFailureApart();
    void readViewStopsAtNulEditsKeepIt();

    void writeReachesCrontabUnchanged_data();
    void writeReachesCrontabUnchanged();
    void writeIgnoresShellEnvironment();
    void writeReportsCrontabError();

    void addOnEmptyTable();
    void replaceOnEmptyTable();
    void removeOnEmptyTableWritesNothing();
    void editsKeepHostileJobs();
    void replaceLeavesExactlyOne();
    void markerDoesNotMatchLongerName();
    void removeTakesEveryLineOfTheNote();
    void replaceRefusesEmptyArguments();
    void removeRefusesEmptyName();
    void editsRefuseMultiLineLines();
    void editsWriteNothingAfterFailedRead_data();
    void editsWriteNothingAfterFailedRead();
    void editsWriteNothingAfterTimeOut();
    void undecodableTableIsKeptByteForByte();

private:
    NotesSandbox m_sandbox;
};

void TestCrontab::commandLiteral()
{
    QCOMPARE(command.size(), 108);
    QCOMPARE(reminderMarker(QStringLiteral("1a.note")), QStringLiteral("zib-notes-notify 1a.note"));
}

void TestCrontab::cronLineFields_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QDateTime>("date");
    QTest::addColumn<QString>("fields");
    const QDateTime friday(QDate(2021, 3, 12), QTime(9, 5));
    QTest::newRow("never") << 0 << friday << QString();
    QTest::newRow("once") << 1 << friday << "5 9 12 3 *";
    QTest::newRow("daily") << 2 << friday << "5 9 * * *";
    QTest::newRow("weekly") << 3 << friday << "5 9 * * 5";
    QTest::newRow("monthly") << 4 << friday << "5 9 12 * *";
    QTest::newRow("yearly") << 5 << friday << "5 9 12 3 *";
    QTest::newRow("out of range") << 17 << friday << "5 9 12 3 *";
    QTest::newRow("negative") << -1 << friday << "5 9 12 3 *";
    QTest::newRow("new year midnight") << 5 << QDateTime(QDate(2022, 1, 1), QTime(0, 0)) << "0 0 1 1 *";
    QTest::newRow("sunday") << 3 << QDateTime(QDate(2021, 3, 14), QTime(23, 59)) << "59 23 * * 7";
    QTest::newRow("monday") << 3 << QDateTime(QDate(2021, 3, 15), QTime(7, 3)) << "3 7 * * 1";
    QTest::newRow("utc date taken as held")
        << 1 << QDateTime(QDate(2021, 12, 31), QTime(22, 30), Qt::UTC) << "30 22 31 12 *";
}

void TestCrontab::cronLineFields()
{
    QFETCH(int, type);
    QFETCH(QDateTime, date);
    QFETCH(QString, fields);
    const NotePtr note = makeNote(QStringLiteral("1a.note"), type, date);
    const QString expected = fields.isEmpty() ? QString() : fields + command + QStringLiteral("1a.note");
    QCOMPARE(cronLine(note), expected);
    QCOMPARE(cronLine(*note), expected);
    QVERIFY(!cronLine(note).contains(QLatin1Char('\n')));
}

void TestCrontab::cronLineForNullAndInvalid()
{
    QCOMPARE(cronLine(NotePtr()), QString());
    QCOMPARE(cronLine(makeNote(QStringLiteral("1.note"), 2, QDateTime())), QString());
}

void TestCrontab::readTable()
{
    m_sandbox.setCrontab("\n\n  1 2 3 4 5 job  \n\n");
    QString table = QStringLiteral("stale");
    QVERIFY(readCrontab(&table));
    QCOMPARE(table, QStringLiteral("1 2 3 4 5 job"));
    QCOMPARE(readCrontab(), QStringLiteral("1 2 3 4 5 job"));
}

void TestCrontab::readTellsFailureApart_data()
{
    QTest::addColumn<QByteArray>("fail");
    QTest::addColumn<bool>("hasTable");
    QTest::addColumn<bool>("ok");
    QTest::newRow("no crontab") << QByteArray() << false << true;
    QTest::newRow("other error") << QByteArray("read") << true << false;
}

void TestCrontab::readTellsFailureApart()
{
    QFETCH(QByteArray, fail);
    QFETCH(bool, hasTable);
    QFETCH(bool, ok);
    if (hasTable)
        m_sandbox.setCrontab("1 2 3 4 5 job\n");
    qputenv("FAKE_CRONTAB_FAIL", fail);
    QString table = QStringLiteral("stale");
    QCOMPARE(readCrontab(&table), ok);
    if (ok)
        QCOMPARE(table, QString());
    QCOMPARE(readCrontab(), QString());
}

void TestCrontab::readViewStopsAtNulEditsKeepIt()
{
    const QByteArray table = QByteArray("1 2 3 4 5 a\n# b\0c\n", 18);
    m_sandbox.setCrontab(table);
    QCOMPARE(readCrontab(), QStringLiteral("1 2 3 4 5 a\n# b"));
    // Edits work on the bytes: everything after the NUL stays.
    const NotePtr note = makeNote(QStringLiteral("1.note"), 2, QDateTime(QDate(2021, 1, 1), QTime(6, 0)));
    addCronLine(note);
    QCOMPARE(m_sandbox.crontab(), table + cronLine(note).toLatin1() + '\n');
    removeCronLine(note->file());
    QCOMPARE(m_sandbox.crontab(), table);
}

void TestCrontab::writeReachesCrontabUnchanged_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("hostile jobs") << QString::fromLatin1(hostileJobs);
    QTest::newRow("only quotes") << "'''";
    QTest::newRow("quote at ends") << "'a'";
    QTest::newRow("backslash escapes") << "\\n\\t\\c\\0101\\x41\\e\\\\";
    QTest::newRow("leading -n line") << "-n\n1 2 3 4 5 job";
    QTest::newRow("leading -e word") << "-e \\n";
    QTest::newRow("dash only") << "-";
    QTest::newRow("double dash") << "--";
    QTest::newRow("history and globs") << "!$ !! !-1 ^a^b * ? [a] {a,b} ~ ~root";
    QTest::newRow("expansions") << "${HOME} $((1+1)) $'\\n' $\"x\" <(ls) >(ls) ; & | && ||";
    QTest::newRow("percent") << "0 0 * * * date +%Y-%m-%d % end";
    QTest::newRow("trailing spaces and newlines") << "a  \n\n\n";
    QTest::newRow("carriage return and tab") << "a\r\nb\tc";
    QTest::newRow("non-ascii") << QStringLiteral("# \u00e9t\u00e9 \u20ac \u4e2d");
    // Standard input takes what echo would have swallowed.
    QTest::newRow("-n") << "-n";
    QTest::newRow("-e") << "-e";
    QTest::newRow("-nEe") << "-nEe";
    QTest::newRow("nul") << QStringLiteral("a") + QChar(0) + QStringLiteral("b");
    // Several times a pipe's buffer, both ways.
    QTest::newRow("larger than a pipe") << QStringLiteral("0 0 * * * true\n").repeated(20000).trimmed();
}

void TestCrontab::writeReachesCrontabUnchanged()
{
    QFETCH(QString, text);
    if (text.toLocal8Bit() != text.toUtf8() && QTextCodec::codecForLocale()->mibEnum() != 106)
        QSKIP("text not representable in the local encoding");
    const QString error = writeCrontab(text);
    QCOMPARE(error, QString());
    QCOMPARE(m_sandbox.crontab(), text.toLocal8Bit() + '\n');
    if (text.size() > 65536)
        QCOMPARE(readCrontab(), text);
}

void TestCrontab::writeIgnoresShellEnvironment()
{
    // Start-up files, exported functions and options from the caller's
    // environment must not change what echo passes on.
    const QString bashEnv = m_sandbox.path() + QStringLiteral("/bashenv");
    NotesSandbox::writeBytes(bashEnv, "shopt -s xpg_echo\necho() { builtin echo hijacked; }\n");
    qputenv("BASH_ENV", QFile::encodeName(bashEnv));
    qputenv("BASHOPTS", "xpg_echo");
    qputenv("SHELLOPTS", "posix");
    qputenv("BASH_FUNC_echo%%", "() { builtin echo hijacked; }");
    const QString text = QStringLiteral("a\\nb\\c d\n1 2 3 4 5 x");
    writeCrontab(text);
    qunsetenv("BASH_ENV");
    qunsetenv("BASHOPTS");
    qunsetenv("SHELLOPTS");
    qunsetenv("BASH_FUNC_echo%%");
    QCOMPARE(m_sandbox.crontab(), text.toLocal8Bit() + '\n');
}

void TestCrontab::writeReportsCrontabError()
{
    m_sandbox.setCrontab("keep\n");
    qputenv("FAKE_CRONTAB_FAIL", "write");
    const QString error = writeCrontab(QStringLiteral("new"));
    QVERIFY(error.contains(QStringLiteral("installing new crontab failed")));
    QCOMPARE(m_sandbox.crontab(), QByteArray("keep\n"));
}

void TestCrontab::addOnEmptyTable()
{
    const NotePtr note = makeNote(QStringLiteral("2.note"), 2, QDateTime(QDate(2021, 1, 1), QTime(6, 0)));
    QCOMPARE(addCronLine(note), QString());
    QCOMPARE(m_sandbox.crontab(), '\n' + cronLine(note).toLocal8Bit() + '\n');
}

void TestCrontab::replaceOnEmptyTable()
{
    const NotePtr note = makeNote(QStringLiteral("2.note"), 2, QDateTime(QDate(2021, 1, 1), QTime(6, 0)));
    replaceCronLine(note->file(), cronLine(note));
    QCOMPARE(m_sandbox.crontab(), cronLine(note).toLocal8Bit() + '\n');
}

void TestCrontab::removeOnEmptyTableWritesNothing()
{
    QCOMPARE(removeCronLine(QStringLiteral("2.note")), QString());
    QCOMPARE(m_sandbox.crontabCalls(), QStringLiteral("l"));
    m_sandbox.setCrontab("1 2 3 4 5 job\n");
    m_sandbox.clearLog();
    removeCronLine(QStringLiteral("2.note"));
    QCOMPARE(m_sandbox.crontabCalls(), QStringLiteral("l"));
    QCOMPARE(m_sandbox.crontab(), QByteArray("1 2 3 4 5 job\n"));
}

void TestCrontab::editsKeepHostileJobs()
{
    m_sandbox.setCrontab(hostileJobs + '\n');
    const NotePtr note = makeNote(QStringLiteral("3.note"), 3, QDateTime(QDate(2021, 3, 12), QTime(9, 5)));
    const QByteArray line = cronLine(note).toLocal8Bit();

    addCronLine(note);
    QCOMPARE(m_sandbox.crontab(), hostileJobs + '\n' + line + '\n');
    note->setNotifyType(AbstractNote::RepeatEveryDay);
    const QByteArray newLine = cronLine(note).toLocal8Bit();
    replaceCronLine(note->file(), cronLine(note));
    QCOMPARE(m_sandbox.crontab(), hostileJobs + '\n' + newLine + '\n');
    removeCronLine(note->file());
    QCOMPARE(m_sandbox.crontab(), hostileJobs + '\n');
}

void TestCrontab::replaceLeavesExactlyOne()
{
    const NotePtr note = makeNote(QStringLiteral("4.note"), 2, QDateTime(QDate(2021, 1, 1), QTime(6, 0)));
    const QByteArray old = cronLine(note).toLocal8Bit();
    m_sandbox.setCrontab(old + "\nuser job\n" + old + "\nother\n");
    note->setNotifyDate(QDateTime(QDate(2021, 1, 1), QTime(7, 30)));
    replaceCronLine(note->file(), cronLine(note));
    QCOMPARE(m_sandbox.crontab(), "user job\nother\n" + cronLine(note).toLocal8Bit() + '\n');
}

void TestCrontab::markerDoesNotMatchLongerName()
{
    const QDateTime date(QDate(2021, 1, 1), QTime(6, 0));
    const NotePtr one = makeNote(QStringLiteral("1.note"), 2, date);
    const NotePtr eleven = makeNote(QStringLiteral("11.note"), 2, date);
    const QByteArray elevenLine = cronLine(eleven).toLocal8Bit();
    m_sandbox.setCrontab(elevenLine + '\n');
    removeCronLine(one->file());
    QCOMPARE(m_sandbox.crontab(), elevenLine + '\n');
    replaceCronLine(one->file(), cronLine(one));
    QCOMPARE(m_sandbox.crontab(), elevenLine + '\n' + cronLine(one).toLocal8Bit() + '\n');
}

void TestCrontab::removeTakesEveryLineOfTheNote()
{
    // A second line would keep firing for a reminder that was switched off.
    const NotePtr note = makeNote(QStringLiteral("5.note"), 2, QDateTime(QDate(2021, 1, 1), QTime(6, 0)));
    const QByteArray line = cronLine(note).toLocal8Bit();
    m_sandbox.setCrontab("a\n" + line + "\nb\n" + line + "\nc\n");
    removeCronLine(note->file());
    QCOMPARE(m_sandbox.crontab(), QByteArray("a\nb\nc\n"));
}

void TestCrontab::replaceRefusesEmptyArguments()
{
    m_sandbox.setCrontab("keep\n");
    QCOMPARE(replaceCronLine(QString(), QStringLiteral("1 2 3 4 5 x")), QString());
    QCOMPARE(replaceCronLine(QStringLiteral("1.note"), QString()), QString());
    QCOMPARE(m_sandbox.crontabCalls(), QString());
}

void TestCrontab::removeRefusesEmptyName()
{
    // The bare marker would match the line of any note.
    const NotePtr note = makeNote(QStringLiteral("6.note"), 2, QDateTime(QDate(2021, 1, 1), QTime(6, 0)));
    m_sandbox.setCrontab(cronLine(note).toLocal8Bit() + '\n');
    removeCronLine(QString());
    QCOMPARE(m_sandbox.crontab(), cronLine(note).toLocal8Bit() + '\n');
}

void TestCrontab::editsRefuseMultiLineLines()
{
    m_sandbox.setCrontab("keep\n");
    const NotePtr note
        = makeNote(QStringLiteral("7.note\n* * * * * evil"), 2, QDateTime(QDate(2021, 1, 1), QTime(6, 0)));
    addCronLine(note);
    replaceCronLine(note->file(), cronLine(note));
    QCOMPARE(m_sandbox.crontab(), QByteArray("keep\n"));
}

void TestCrontab::editsWriteNothingAfterFailedRead_data()
{
    QTest::addColumn<QByteArray>("fail");
    QTest::addColumn<bool>("emptyPath");
    QTest::newRow("crontab error") << QByteArray("read") << false;
    QTest::newRow("crontab missing") << QByteArray() << true;
}

void TestCrontab::editsWriteNothingAfterFailedRead()
{
    QFETCH(QByteArray, fail);
    QFETCH(bool, emptyPath);
    const NotePtr note = makeNote(QStringLiteral("8.note"), 2, QDateTime(QDate(2021, 1, 1), QTime(6, 0)));
    const QByteArray table = hostileJobs + '\n' + cronLine(note).toLocal8Bit() + '\n';
    m_sandbox.setCrontab(table);
    const QByteArray path = qgetenv("PATH");
    if (!fail.isEmpty())
        qputenv("FAKE_CRONTAB_FAIL", fail);
    if (emptyPath)
        qputenv("PATH", QFile::encodeName(m_sandbox.path() + QStringLiteral("/no-programs-here")));

    QString read = QStringLiteral("stale");
    const bool ok = readCrontab(&read);
    addCronLine(note);
    replaceCronLine(note->file(), QStringLiteral("1 2 3 4 5 replaced"));
    removeCronLine(note->file());

    qputenv("PATH", path);
    qunsetenv("FAKE_CRONTAB_FAIL");
    QVERIFY(!ok);
    QCOMPARE(m_sandbox.crontab(), table);
    QVERIFY(!m_sandbox.crontabCalls().contains(QLatin1Char('w')));
}

void TestCrontab::editsWriteNothingAfterTimeOut()
{
    const QByteArray table = "keep me\n";
    m_sandbox.setCrontab(table);
    qputenv("FAKE_CRONTAB_FAIL", "hang");
    QString read;
    const bool ok = readCrontab(&read);
    qunsetenv("FAKE_CRONTAB_FAIL");
    QVERIFY(!ok);
    QCOMPARE(m_sandbox.crontabCalls(), QStringLiteral("l"));
    QCOMPARE(m_sandbox.crontab(), table);
}

void TestCrontab::undecodableTableIsKeptByteForByte()
{
    // Bytes that the local encoding cannot decode go back as they came.
    const QByteArray table = "  # caf\xe9 \xff\xfe  \n1 2 3 4 5 job  ";
    m_sandbox.setCrontab(table);
    const NotePtr note = makeNote(QStringLiteral("9.note"), 2, QDateTime(QDate(2021, 1, 1), QTime(6, 0)));
    addCronLine(note);
    QCOMPARE(m_sandbox.crontab(), table + '\n' + cronLine(note).toLatin1() + '\n');
    removeCronLine(note->file());
    QCOMPARE(m_sandbox.crontab(), table + '\n');
}

// A crontab child keeps the lock when it outlives its edit; any other child
// (a search's grep, started meanwhile by another thread) must not.
void TestCrontab::lockGoesToCrontabChildrenOnly()
{
    const CrontabLock lock(QDeadlineTimer(2000));
    QVERIFY(lock.isLocked());
    const QStringList listFds { QStringLiteral("-c"), QStringLiteral("ls -l /proc/$$/fd") };
    CronProcess cron;
    QVERIFY(cron.run(QStringLiteral("sh"), listFds, QByteArray(), QDeadlineTimer(10000)));
    QVERIFY(cron.standardOutput().contains(".crontab.lock"));
    QProcess other;
    other.start(QStringLiteral("sh"), listFds);
    QVERIFY(other.waitForFinished(10000));
    const QByteArray fds = other.readAllStandardOutput();
    QVERIFY(fds.contains("->"));
    QVERIFY(!fds.contains(".crontab.lock"));
}

void TestCrontab::childEndsAreToldApart_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("deadlineMs");
    QTest::addColumn<bool>("ran");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("output");
    QTest::newRow("input passed through") << "cat" << QByteArray("abc") << 10000 << true << 0 << QByteArray("abc");
    QTest::newRow("exit code") << "exit 3" << QByteArray() << 10000 << true << 3 << QByteArray();
    QTest::newRow("killed by a signal") << "kill -9 $$" << QByteArray() << 10000 << false << -1 << QByteArray();
    QTest::newRow("past the deadline") << "sleep 5" << QByteArray() << 300 << false << -1 << QByteArray();
    // The broken pipe must not end this process.
    QTest::newRow("input not read") << "exit 0" << QByteArray(4 << 20, 'x') << 10000 << true << 0 << QByteArray();
    // The child's end counts, not the end of its output.
    QTest::newRow("output held by its own child")
        << "(exec sleep 3) & echo done" << QByteArray() << 2000 << true << 0 << QByteArray("done\n");
}

void TestCrontab::childEndsAreToldApart()
{
    QFETCH(QString, command);
    QFETCH(QByteArray, input);
    QFETCH(int, deadlineMs);
    QFETCH(bool, ran);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, output);
    CronProcess child;
    QCOMPARE(child.run(QStringLiteral("sh"), { QStringLiteral("-c"), command }, input, QDeadlineTimer(deadlineMs)),
             ran);
    if (ran) {
        QCOMPARE(child.exitCode(), exitCode);
        QCOMPARE(child.succeeded(), exitCode == 0);
        QCOMPARE(child.standardOutput(), output);
    }
    QVERIFY(!child.run(QStringLiteral("/nonexistent/program"), {}, QByteArray(), QDeadlineTimer(1000)));
}

QTEST_GUILESS_MAIN(TestCrontab)
#include "tst_crontab.moc"
