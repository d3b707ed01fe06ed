#include "crontab.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// Real processes editing reminders in one notes directory and one crontab
// (the fake), with a crontab that hangs or fails now and then.
class TestCronProcesses : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void processesAtOnce();
    void hangingCrontabWritesNothingLate();
    void failingCrontabLosesNothing();

private:
    QProcess *start(const QStringList &args, const QProcessEnvironment &env = QProcessEnvironment());
    QString run(const QStringList &args, const QProcessEnvironment &env = QProcessEnvironment());
    QProcessEnvironment failing(const QByteArray &mode) const;
    QByteArray table() const;
    void setTable(const QByteArray &bytes) const;
    QString check() { return run({ QStringLiteral("check"), m_dir->filePath(QStringLiteral("user")) }); }

    QScopedPointer<QTemporaryDir> m_dir;
    QProcessEnvironment m_env;
};

namespace {

// Everything a user's table may hold that a text-minded edit would mangle,
// and more than fits into one command-line argument.
QByteArray userTable()
{
    QByteArray table = "  0 5 * * * echo 'lead'  \n"
                       "# r\xe9union \xff\xfe\n"
        + QByteArray("# nul\0here\n", 11)
        + "0 6 * * * printf '%s\\n' \"100%\" \\\\ `id` $(date) it's\n"
          "# "
        + cronLine(2, QDateTime(QDate(2030, 1, 1), QTime(7, 30)), QStringLiteral("1.note")).toLatin1()
        + "\n"
          "MAILTO=\"\"\n\n";
    while (table.size() < 140 * 1024)
        table += "# filler " + QByteArray::number(table.size()) + ' ' + QByteArray(60, 'x') + '\n';
    return table + "59 23 * * * echo last \t  \n";
}

} // namespace

void TestCronProcesses::initTestCase()
{
    QVERIFY2(QStandardPaths::findExecutable(QStringLiteral("crontab")).endsWith(QLatin1String("fakes/crontab")),
             "the fake crontab must come first on PATH");
}

void TestCronProcesses::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    m_env = QProcessEnvironment::systemEnvironment();
    m_env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir->filePath(QStringLiteral("data")));
    m_env.insert(QStringLiteral("FAKE_CRONTAB_FILE"), m_dir->filePath(QStringLiteral("crontab")));
    m_env.remove(QStringLiteral("FAKE_CRONTAB_LOG"));
    m_env.remove(QStringLiteral("FAKE_CRONTAB_FAIL"));
    QFile user(m_dir->filePath(QStringLiteral("user")));
    QVERIFY(user.open(QIODevice::WriteOnly));
    user.write(userTable());
    user.close();
    setTable(userTable());
}

QProcess *TestCronProcesses::start(const QStringList &args, const QProcessEnvironment &env)
{
    auto *process = new QProcess(this);
    process->setProcessEnvironment(env.isEmpty() ? m_env : env);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QStringLiteral(CRONSTRESS), args);
    return process;
}

QString TestCronProcesses::run(const QStringList &args, const QProcessEnvironment &env)
{
    QScopedPointer<QProcess> process(start(args, env));
    if (!process->waitForFinished(60000) || process->exitCode() != 0)
        return QStringLiteral("failed");
    return QString::fromLatin1(process->readAllStandardOutput()).trimmed();
}

QProcessEnvironment TestCronProcesses::failing(const QByteArray &mode) const
{
    QProcessEnvironment env = m_env;
    env.insert(QStringLiteral("FAKE_CRONTAB_FAIL"), QString::fromLatin1(mode));
    // Would land 7 s after it began, were it not ended at its deadline.
    env.insert(QStringLiteral("FAKE_CRONTAB_HANG_SECONDS"), QStringLiteral("7"));
    return env;
}

QByteArray TestCronProcesses::table() const
{
    QFile file(m_dir->filePath(QStringLiteral("crontab")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestCronProcesses::setTable(const QByteArray &bytes) const
{
    QFile file(m_dir->filePath(QStringLiteral("crontab")));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

void TestCronProcesses::processesAtOnce()
{
    // Two, then three processes at once, each on notes of its own, on the
    // same table: hundreds of edits in all.
    const int notes = 24;
    QCOMPARE(run({ QStringLiteral("setup"), QString::number(notes) }), QString());
    int edits = 0;
    for (const int processes : { 2, 3 }) {
        const int rounds = 100 / processes;
        QElapsedTimer timer;
        timer.start();
        QList<QProcess *> editors;
        for (int i = 0; i < processes; ++i) {
            const int first = i * notes / processes + 1;
            const int last = (i + 1) * notes / processes;
            editors << start({ QStringLiteral("edit"), QString::number(first), QString::number(last),
                               QString::number(rounds), QString::number(processes * 10 + i) });
        }
        for (QProcess *editor : qAsConst(editors)) {
            QVERIFY(editor->waitForFinished(40000));
            QCOMPARE(editor->exitCode(), 0);
        }
        edits += processes * rounds;
        const QString result = check();
        qInfo("%d processes x %d edits in %lld ms: %s", processes, rounds, timer.elapsed(), qPrintable(result));
        QVERIFY2(result.startsWith(QLatin1String("user-lines=same missing=0 stray=0 ")), qPrintable(result));
    }
    qInfo("%d edits of a %d-byte table", edits, int(userTable().size()));
    QVERIFY(table().startsWith(userTable()));
}

void TestCronProcesses::hangingCrontabWritesNothingLate()
{
    QCOMPARE(run({ QStringLiteral("setup"), QStringLiteral("2") }), QString());
    const QByteArray before = table();
    QElapsedTimer since;
    since.start();
    // Two processes meet the hanging crontab: one waits past its deadline,
    // the other for the lock; neither is held longer than the time-out.
    QScopedPointer<QProcess> first(
        start({ QStringLiteral("timed-edit"), QStringLiteral("1.note") }, failing("hang-write")));
    QTest::qWait(300);
    QScopedPointer<QProcess> second(
        start({ QStringLiteral("timed-edit"), QStringLiteral("2.note") }, failing("hang-write")));
    QVERIFY(first->waitForFinished(20000));
    QVERIFY(second->waitForFinished(20000));
    const QString firstMs = QString::fromLatin1(first->readAllStandardOutput()).trimmed();
    const QString secondMs = QString::fromLatin1(second->readAllStandardOutput()).trimmed();
    qInfo("blocked: %s (hung write), %s (waited for the lock)", qPrintable(firstMs), qPrintable(secondMs));
    QVERIFY2(firstMs.mid(3).toInt() < 5600 && secondMs.mid(3).toInt() < 5600, qPrintable(firstMs + secondMs));
    QCOMPARE(table(), before);

    // A newer table, written once the crontab works again, stays.
    QVERIFY(run({ QStringLiteral("timed-edit"), QStringLiteral("2.note") }).startsWith(QLatin1String("ms=")));
    const QByteArray newer = table();
    QVERIFY(newer != before);
    QTest::qWait(int(qMax<qint64>(0, 8000 - since.elapsed())));
    QCOMPARE(table(), newer);

    // The reminder saved while the crontab hung gets its line at the next run.
    QCOMPARE(run({ QStringLiteral("reconcile") }), QStringLiteral("ok"));
    const QString result = check();
    QVERIFY2(result.startsWith(QLatin1String("user-lines=same missing=0 stray=0 ours=2")), qPrintable(result));
}

void TestCronProcesses::failingCrontabLosesNothing()
{
    QCOMPARE(run({ QStringLiteral("setup"), QStringLiteral("1") }), QString());
    const QByteArray before = table();
    for (const QByteArray &mode : { QByteArray("read"), QByteArray("write") }) {
        const QString ms = run({ QStringLiteral("timed-edit"), QStringLiteral("1.note") }, failing(mode));
        QVERIFY2(ms.startsWith(QLatin1String("ms=")) && ms.mid(3).toInt() < 5000, qPrintable(ms));
        QCOMPARE(table(), before);
        QCOMPARE(run({ QStringLiteral("reconcile") }, failing(mode)), QStringLiteral("failed"));
        QCOMPARE(table(), before);
    }
    QCOMPARE(run({ QStringLiteral("reconcile") }), QStringLiteral("ok"));
    const QString result = check();
    QVERIFY2(result.startsWith(QLatin1String("user-lines=same missing=0 stray=0 ours=1")), qPrintable(result));
}

QTEST_GUILESS_MAIN(TestCronProcesses)
#include "tst_cronprocesses.moc"
