#include "appinstance.h"
#include "notelauncher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QTest>

#include <csignal>

class TestNotifier : public QObject
{
    Q_OBJECT

private slots:
    void acceptsOnlyPlainNoteFileNames_data();
    void acceptsOnlyPlainNoteFileNames();
    void prefersTheProgramBesideItself();

    void rejectsBadArgumentsWithoutStartingAnything_data();
    void rejectsBadArgumentsWithoutStartingAnything();
    void handsTheNoteToTheRunningInstance();
    void startsAFirstInstanceThatOutlivesIt();
    void findsTheProgramOnPath();

private:
    int runNotifier(const QString &program, const QStringList &args, QByteArray *output = nullptr,
                    const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment());
};

int TestNotifier::runNotifier(const QString &program, const QStringList &args, QByteArray *output,
                              const QProcessEnvironment &env)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    if (!process.waitForFinished(30000))
        return -1;
    if (output)
        *output = process.readAll();
    return process.exitCode();
}

void TestNotifier::acceptsOnlyPlainNoteFileNames_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("valid");

    QTest::newRow("hex name") << "1a.note" << true;
    QTest::newRow("long hex name") << "ffff0001.note" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("suffix only") << ".note" << false;
    QTest::newRow("no suffix") << "1a" << false;
    QTest::newRow("other suffix") << "1a.note.png" << false;
    QTest::newRow("absolute path") << "/home/u/1a.note" << false;
    QTest::newRow("parent dir") << "../1a.note" << false;
    QTest::newRow("sub dir") << "x/1a.note" << false;
    QTest::newRow("option") << "-c.note" << false;
    QTest::newRow("long option") << "--help" << false;
    QTest::newRow("hidden") << ".1a.note" << false;
    QTest::newRow("space") << "1 a.note" << false;
    QTest::newRow("newline") << "1a\n.note" << false;
    QTest::newRow("tab") << "1a\t.note" << false;
    QTest::newRow("backslash") << "..\\1a.note" << false;
    QTest::newRow("overlong") << QString(300, QLatin1Char('a')) + ".note" << false;
}

void TestNotifier::acceptsOnlyPlainNoteFileNames()
{
    QFETCH(QString, file);
    QFETCH(bool, valid);
    QCOMPARE(NoteLauncher::isValidNoteFile(file), valid);
}

void TestNotifier::prefersTheProgramBesideItself()
{
    AppInstance app;
    QVERIFY(app.isValid());
    QCOMPARE(NoteLauncher::findProgram(QFileInfo(app.program()).absolutePath()), app.program());
    // Not beside it: whatever PATH has (the build tree's bin/ in the tests).
    const QString onPath = NoteLauncher::findProgram(QDir::tempPath() + "/no-such-dir");
    QCOMPARE(onPath, QStandardPaths::findExecutable("zib-notes"));
}

void TestNotifier::rejectsBadArgumentsWithoutStartingAnything_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("help") << QStringList { "--help" } << 0;
    QTest::newRow("nothing") << QStringList {} << 1;
    QTest::newRow("two notes") << QStringList { "1.note", "2.note" } << 1;
    QTest::newRow("path") << QStringList { "/etc/passwd" } << 1;
    QTest::newRow("option-like after --") << QStringList { "--", "-c" } << 1;
    QTest::newRow("unknown option") << QStringList { "-x" } << 1;
}

void TestNotifier::rejectsBadArgumentsWithoutStartingAnything()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);

    AppInstance app;
    QVERIFY(app.isValid());
    QByteArray output;
    QCOMPARE(runNotifier(app.notifier(), args, &output, app.environment()), exitCode);
    QVERIFY(!output.isEmpty());
    if (exitCode == 0)
        QVERIFY2(output.contains("note"), output.constData());
    // Nothing was started: no lock, no message.
    QVERIFY(!QFile::exists(app.lockPath()));
    QVERIFY(app.loggedMessages().isEmpty());
}

void TestNotifier::handsTheNoteToTheRunningInstance()
{
    AppInstance app;
    QVERIFY(app.isValid());
    QVERIFY(app.startFirst());
    QCOMPARE(runNotifier(app.notifier(), { "1a.note" }, nullptr, app.environment()), 0);
    QVERIFY(app.waitForMessages(1));
    QCOMPARE(app.loggedMessages(), QStringList { "noteId 1a.note" });
    QCOMPARE(app.first().state(), QProcess::Running);
}

void TestNotifier::startsAFirstInstanceThatOutlivesIt()
{
    AppInstance app;
    QVERIFY(app.isValid());
    QCOMPARE(runNotifier(app.notifier(), { "2b.note" }, nullptr, app.environment()), 0);
    QVERIFY(app.waitForMessages(1));
    QCOMPARE(app.loggedMessages(), QStringList { "noteId 2b.note onStart" });

    qint64 pid = 0;
    QString host, name;
    QVERIFY(QLockFile(app.lockPath()).getLockInfo(&pid, &host, &name));
    QVERIFY(pid > 0);
    QCOMPARE(::kill(pid_t(pid), 0), 0);

    // The detached instance serves later starts.
    QCOMPARE(app.run({ "-s", "2b.note" }), 255);
    QVERIFY(app.waitForMessages(2));
    QCOMPARE(app.loggedMessages().constLast(), QString("showId 2b.note"));

    ::kill(pid_t(pid), SIGTERM);
    QVERIFY(QTest::qWaitFor([pid] { return ::kill(pid_t(pid), 0) != 0; }, 20000));
}

void TestNotifier::findsTheProgramOnPath()
{
    AppInstance app;
    QVERIFY(app.isValid());
    QTemporaryDir alone;
    const QString notifier = alone.filePath("zib-notes-notify");
    QVERIFY(QFile::copy(app.notifier(), notifier));
    QVERIFY(QFile::setPermissions(notifier, QFile::permissions(app.notifier())));

    QProcessEnvironment env = app.environment();
    env.insert("PATH", "/usr/bin:/bin");
    QByteArray output;
    QCOMPARE(runNotifier(notifier, { "3c.note" }, &output, env), 1);
    QVERIFY2(output.contains("zib-notes"), output.constData());

    QVERIFY(app.startFirst());
    env.insert("PATH", QFileInfo(app.program()).absolutePath() + ":/usr/bin:/bin");
    QCOMPARE(runNotifier(notifier, { "3c.note" }, nullptr, env), 0);
    QVERIFY(app.waitForMessages(1));
    QCOMPARE(app.loggedMessages(), QStringList { "noteId 3c.note" });
}

QTEST_GUILESS_MAIN(TestNotifier)
#include "tst_notifier.moc"
