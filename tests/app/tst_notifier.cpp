#include "appinstance.h"
#include "notelauncher.h"
#include "notifylog.h"
#include "sessionenvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLockFile>
#include <QStandardPaths>
#include <QTest>

#include <csignal>
#include <sys/stat.h>

namespace {
// What cron gives a job, with the crontab line's own exports.
QProcessEnvironment cronEnvironment(const QString &home)
{
    QProcessEnvironment env;
    env.insert("PATH", "/usr/bin:/bin");
    env.insert("SHELL", "/bin/sh");
    env.insert("HOME", home);
    env.insert("LOGNAME", "someone");
    env.insert("QT_QPA_PLATFORMTHEME", "zib");
    env.insert("XDG_CURRENT_DESKTOP", "zib");
    env.insert("DISPLAY", ":0");
    return env;
}

int fileMode(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

bool lockHolderRuns(const QString &lockPath)
{
    qint64 pid = 0;
    QString host, name;
    return QLockFile(lockPath).getLockInfo(&pid, &host, &name) && ::kill(pid_t(pid), 0) == 0;
}

// A session that looks alive to the notifier without a display server: a
// runtime dir with a listening "Wayland" socket. The program itself runs
// offscreen in it.
struct FakeSession
{
    QTemporaryDir dir;
    QLocalServer wayland;
    QString runtime() const { return dir.filePath("runtime"); }
    QString home() const { return dir.filePath("home"); }
    bool open()
    {
        return QDir().mkpath(runtime()) && QDir().mkpath(home()) && wayland.listen(runtime() + "/wayland-test");
    }
    QProcessEnvironment environment(const QString &messageLog) const
    {
        QProcessEnvironment env;
        env.insert("XDG_RUNTIME_DIR", runtime());
        env.insert("WAYLAND_DISPLAY", "wayland-test");
        env.insert("XDG_CURRENT_DESKTOP", "Test");
        env.insert("PATH", qEnvironmentVariable("PATH"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QT_QUICK_BACKEND", "software");
        env.insert("ZIB_NOTES_MESSAGE_LOG", messageLog);
        return env;
    }
};
} // namespace

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
    void startsAFirstInstanceInTheRecordedSession();
    void findsTheProgramOnPath();

    void keepsTheSessionInAPrivateFile();
    void tellsALiveSessionFromAGoneOne_data();
    void tellsALiveSessionFromAGoneOne();
    void readsTheServiceManagersEnvironment();
    void handOverOptionNeverStartsAnInstance();
    void failsVisiblyWhenTheReminderCannotBeShown_data();
    void failsVisiblyWhenTheReminderCannotBeShown();

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

void TestNotifier::startsAFirstInstanceInTheRecordedSession()
{
    AppInstance app;
    QVERIFY(app.isValid());
    FakeSession session;
    QVERIFY(session.open());
    QVERIFY(
        SessionEnvironment::save(SessionEnvironment::filePath(session.home()), session.environment(app.logPath()), 1));

    QCOMPARE(runNotifier(app.notifier(), { "2b.note" }, nullptr, cronEnvironment(session.home())), 0);
    QVERIFY(app.waitForMessages(1));
    QCOMPARE(app.loggedMessages(), QStringList { "noteId 2b.note onStart" });

    qint64 pid = 0;
    QString host, name;
    QVERIFY(QLockFile(app.lockPath()).getLockInfo(&pid, &host, &name));
    QVERIFY(pid > 0);
    QCOMPARE(::kill(pid_t(pid), 0), 0);
    // The session's environment, nothing of cron's.
    QFile environ(QStringLiteral("/proc/%1/environ").arg(pid));
    QVERIFY(environ.open(QIODevice::ReadOnly));
    const QList<QByteArray> variables = environ.readAll().split('\0');
    QVERIFY(variables.contains("XDG_CURRENT_DESKTOP=Test"));
    QVERIFY(variables.contains("WAYLAND_DISPLAY=wayland-test"));
    QVERIFY(!variables.contains("DISPLAY=:0"));
    QVERIFY(!variables.contains("QT_QPA_PLATFORMTHEME=zib"));
    QVERIFY(variables.contains("HOME=" + QFile::encodeName(session.home())));

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

void TestNotifier::keepsTheSessionInAPrivateFile()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString path = SessionEnvironment::filePath(home.path());
    QProcessEnvironment env;
    for (const char *variable : { "DISPLAY=:7", "XAUTHORITY=/x/auth", "DBUS_SESSION_BUS_ADDRESS=unix:path=/b",
                                  "LC_TIME=de_DE.UTF-8", "QT_SCALE_FACTOR=2", "ZIB_NOTES_TRAY_LOG=/t",
                                  "HOME=/elsewhere", "SECRET_TOKEN=x", "ZIB_NOTES_EXIT_AFTER_FIRST_FRAME=1" }) {
        const QStringList pair = QString::fromLatin1(variable).split('=');
        env.insert(pair.at(0), pair.at(1));
    }
    QVERIFY(SessionEnvironment::save(path, env, 4242));
    QCOMPARE(fileMode(path), 0600);
    QCOMPARE(fileMode(SessionEnvironment::directory(home.path())), 0700);

    QProcessEnvironment loaded;
    qint64 pid = 0;
    QVERIFY(SessionEnvironment::load(path, &loaded, &pid));
    QCOMPARE(pid, 4242);
    QStringList keys = loaded.keys();
    keys.sort();
    QCOMPARE(keys,
             QStringList({ "DBUS_SESSION_BUS_ADDRESS", "DISPLAY", "LC_TIME", "QT_SCALE_FACTOR", "XAUTHORITY",
                           "ZIB_NOTES_TRAY_LOG" }));
    QCOMPARE(loaded.value("DISPLAY"), QString(":7"));

    // A file others may write could start programs of theirs in our name.
    QVERIFY(QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteGroup));
    QVERIFY(!SessionEnvironment::load(path, &loaded));
    QFile garbage(path);
    QVERIFY(garbage.open(QIODevice::WriteOnly | QIODevice::Truncate));
    garbage.write("DISPLAY=:7\n");
    garbage.close();
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    QVERIFY(!SessionEnvironment::load(path, &loaded));
    QVERIFY(!SessionEnvironment::load(home.filePath("missing"), &loaded));
}

void TestNotifier::tellsALiveSessionFromAGoneOne_data()
{
    QTest::addColumn<QStringList>("variables");
    QTest::addColumn<bool>("alive");

    // RUNTIME stands for a runtime dir with the socket "wayland-test" in it.
    QTest::newRow("wayland socket") << QStringList { "XDG_RUNTIME_DIR=RUNTIME", "WAYLAND_DISPLAY=wayland-test" }
                                    << true;
    QTest::newRow("wayland socket gone") << QStringList { "XDG_RUNTIME_DIR=RUNTIME", "WAYLAND_DISPLAY=wayland-1" }
                                         << false;
    QTest::newRow("runtime dir gone") << QStringList { "XDG_RUNTIME_DIR=/nonexistent/run",
                                                       "WAYLAND_DISPLAY=wayland-test" }
                                      << false;
    QTest::newRow("authority gone") << QStringList { "XDG_RUNTIME_DIR=RUNTIME", "WAYLAND_DISPLAY=wayland-test",
                                                     "XAUTHORITY=/nonexistent/auth" }
                                    << false;
    QTest::newRow("no X socket") << QStringList { "DISPLAY=:987" } << false;
    QTest::newRow("no display at all") << QStringList { "XDG_RUNTIME_DIR=RUNTIME" } << false;
    QTest::newRow("display on another host") << QStringList { "DISPLAY=otherhost:10.0" } << true;
    QTest::newRow("nonsense display") << QStringList { "DISPLAY=:x/../../etc" } << false;
}

void TestNotifier::tellsALiveSessionFromAGoneOne()
{
    QFETCH(QStringList, variables);
    QFETCH(bool, alive);
    FakeSession session;
    QVERIFY(session.open());
    QProcessEnvironment env;
    for (const QString &variable : variables) {
        const int eq = variable.indexOf('=');
        env.insert(variable.left(eq), QString(variable.mid(eq + 1)).replace("RUNTIME", session.runtime()));
    }
    QCOMPARE(SessionEnvironment::isAlive(env), alive);
}

void TestNotifier::readsTheServiceManagersEnvironment()
{
    const QProcessEnvironment env = SessionEnvironment::parseShowEnvironment(
        "DISPLAY=:1\nXAUTHORITY=/run/user/1000/gdm/Xauthority\nWAYLAND_DISPLAY=wayland-0\n"
        "PS1=$'\\\\u@\\\\h '\n=novalue\nbad key=1\nnoequals\nLANG=de_DE.UTF-8\n");
    QStringList keys = env.keys();
    keys.sort();
    QCOMPARE(keys, QStringList({ "DISPLAY", "LANG", "WAYLAND_DISPLAY", "XAUTHORITY" }));
    QCOMPARE(env.value("XAUTHORITY"), QString("/run/user/1000/gdm/Xauthority"));
}

void TestNotifier::handOverOptionNeverStartsAnInstance()
{
    AppInstance app;
    QVERIFY(app.isValid());
    QCOMPARE(app.run({ "--hand-over", "-t", "1a.note" }), NoteLauncher::noInstanceStatus);
    QVERIFY(!lockHolderRuns(app.lockPath()));
    QVERIFY(app.loggedMessages().isEmpty());

    QByteArray help;
    QCOMPARE(app.run({ "--help" }, &help), 0);
    QVERIFY2(help.contains("--background") && !help.contains("hand-over"), help.constData());

    QVERIFY(app.startFirst({ "--background" }));
    QCOMPARE(app.run({ "--hand-over", "-t", "1a.note" }), NoteLauncher::handedOverStatus);
    QVERIFY(app.waitForMessages(1));
    // A second background start (the autostart entry again) is quiet.
    QCOMPARE(app.run({ "--background" }), 0);
    QTest::qWait(300);
    QCOMPARE(app.loggedMessages(), QStringList { "noteId 1a.note" });
    QCOMPARE(app.first().state(), QProcess::Running);
}

void TestNotifier::failsVisiblyWhenTheReminderCannotBeShown_data()
{
    QTest::addColumn<QString>("recorded");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("logged");

    QTest::newRow("nothing recorded") << "" << 2 << "no graphical session";
    QTest::newRow("session ended") << "gone" << 2 << "no graphical session";
    QTest::newRow("program ends at once") << "broken" << 3 << "ended at once";
}

void TestNotifier::failsVisiblyWhenTheReminderCannotBeShown()
{
    QFETCH(QString, recorded);
    QFETCH(int, exitCode);
    QFETCH(QString, logged);
    if (SessionEnvironment::isAlive(SessionEnvironment::fromSessionManager()))
        QSKIP("the user's service manager knows a live graphical session here");

    AppInstance app;
    QVERIFY(app.isValid());
    FakeSession session;
    QVERIFY(session.open());
    QProcessEnvironment env = session.environment(app.logPath());
    if (recorded == "gone")
        session.wayland.close();
    if (recorded == "broken")
        env.insert("QT_QPA_PLATFORM", "no-such-platform");
    if (!recorded.isEmpty())
        QVERIFY(SessionEnvironment::save(SessionEnvironment::filePath(session.home()), env, 1));

    QByteArray output;
    QCOMPARE(runNotifier(app.notifier(), { "4d.note" }, &output, cronEnvironment(session.home())), exitCode);
    QVERIFY2(output.contains(logged.toUtf8()), output.constData());
    QVERIFY(!lockHolderRuns(app.lockPath()));
    QVERIFY(app.loggedMessages().isEmpty());
    QFile log(NotifyLog::filePath(session.home()));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QByteArray line = log.readAll();
    QVERIFY2(line.contains("4d.note: ") && line.contains(logged.toUtf8()), line.constData());
}

QTEST_GUILESS_MAIN(TestNotifier)
#include "tst_notifier.moc"
