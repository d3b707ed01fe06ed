#include "appinstance.h"
#include "singleapplication.h"

#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocalSocket>
#include <QLockFile>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// zib-notes as a black box: real processes, one private copy of the program.
class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void helpAndErrorsComeBeforeTheInstanceTest_data();
    void helpAndErrorsComeBeforeTheInstanceTest();
    void laterStartHandsOverOneMessage_data();
    void laterStartHandsOverOneMessage();
    void unsafeNoteIdsAreRefused_data();
    void unsafeNoteIdsAreRefused();
    void simultaneousLaterStartsEachDeliver();
    void bareEnvironmentFindsTheRunningInstance();
    void hostileClientsAreDropped_data();
    void hostileClientsAreDropped();
    void runtimeFilesArePrivate();

    void firstInstanceDeliversItsOwnMessage_data();
    void firstInstanceDeliversItsOwnMessage();
    void killedInstanceDoesNotBlockTheNextStart();
    void heldLockMakesNoSecondInstance();
    void mainWindowLoadsAndDrawsAFrame();
    void pluginsAreLinkedOnce();
    void reminderRoadOpensTheNote();

private:
    AppInstance *m_app = nullptr;
};

void TestCommandLine::initTestCase()
{
    m_app = new AppInstance;
    QVERIFY(m_app->isValid());
    QVERIFY(m_app->startFirst());
}

void TestCommandLine::cleanupTestCase()
{
    delete m_app;
}

void TestCommandLine::helpAndErrorsComeBeforeTheInstanceTest_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("expected");

    QTest::newRow("--help") << QStringList { "--help" } << 0 << "Zib Notes";
    QTest::newRow("-h") << QStringList { "-h" } << 0 << "Notify task <noteId>.";
    QTest::newRow("unknown option") << QStringList { "--bogus" } << 1 << "bogus";
    QTest::newRow("unknown short option") << QStringList { "-x" } << 1 << "x";
    QTest::newRow("-t without value") << QStringList { "-t" } << 1 << "t";
    QTest::newRow("--show without value") << QStringList { "--show" } << 1 << "show";
    QTest::newRow("value for the create flag") << QStringList { "--create=1" } << 1 << "create";
    QTest::newRow("no version option") << QStringList { "--version" } << 1 << "version";
}

void TestCommandLine::helpAndErrorsComeBeforeTheInstanceTest()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, expected);

    const int before = m_app->loggedMessages().size();
    QByteArray out, err;
    QCOMPARE(m_app->run(args, &out, &err), exitCode);
    QVERIFY2(QString::fromLocal8Bit(out + err).contains(expected), (out + err).constData());
    if (exitCode == 0) {
        for (const char *text : { "-t, --task <noteId>", "Notify task <noteId>.", "-s, --show <noteId>",
                                  "Show task <noteId>.", "-c, --create", "Create task." })
            QVERIFY2(out.contains(text), text);
        QVERIFY(!out.contains("--version"));
    }
    // Neither help nor an error reaches the running instance.
    QCOMPARE(m_app->loggedMessages().size(), before);
}

void TestCommandLine::laterStartHandsOverOneMessage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");

    QTest::newRow("task") << QStringList { "-t", "12" } << "noteId 12";
    QTest::newRow("long task") << QStringList { "--task", "1a.note" } << "noteId 1a.note";
    QTest::newRow("show") << QStringList { "-s", "7" } << "showId 7";
    QTest::newRow("create") << QStringList { "-c" } << "createNote";
    QTest::newRow("nothing") << QStringList {} << "raise";
    QTest::newRow("create wins over show and task") << QStringList { "-c", "-s", "7", "-t", "3" } << "createNote";
    QTest::newRow("show wins over task") << QStringList { "-s", "7", "-t", "3" } << "showId 7";
    QTest::newRow("show wins whatever the order") << QStringList { "-t", "3", "-s", "7" } << "showId 7";
    QTest::newRow("empty task is ignored") << QStringList { "-t", "" } << "raise";
    QTest::newRow("empty show leaves the task") << QStringList { "-t", "3", "-s", "" } << "noteId 3";
    QTest::newRow("empty show with create") << QStringList { "-s", "", "-c" } << "createNote";
    QTest::newRow("value with = form") << QStringList { "--show=9" } << "showId 9";
}

void TestCommandLine::laterStartHandsOverOneMessage()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);

    const int before = m_app->loggedMessages().size();
    QByteArray out, err;
    QCOMPARE(m_app->run(args, &out, &err), 255);
    QVERIFY2(out.isEmpty(), out.constData());
    QVERIFY(m_app->waitForMessages(before + 1));
    const QStringList messages = m_app->loggedMessages();
    QCOMPARE(messages.size(), before + 1);
    QCOMPARE(messages.constLast(), message);
    QCOMPARE(m_app->first().state(), QProcess::Running);
}

void TestCommandLine::unsafeNoteIdsAreRefused_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("path up") << QStringList { "--task", "../../some/file" };
    QTest::newRow("absolute path") << QStringList { "-t", "/etc/passwd" };
    QTest::newRow("hidden file") << QStringList { "-s", ".notes.conf" };
    QTest::newRow("space inside") << QStringList { "-s", "4 5" };
    QTest::newRow("non-ASCII") << QStringList { "-s", QString::fromUtf8("n\u00f6te") };
    QTest::newRow("refused with create") << QStringList { "-c", "-t", "a/b" };
}

void TestCommandLine::unsafeNoteIdsAreRefused()
{
    QFETCH(QStringList, args);
    const int before = m_app->loggedMessages().size();
    QByteArray out, err;
    QCOMPARE(m_app->run(args, &out, &err), 1);
    QVERIFY2(err.contains("Not a note file name: "), err.constData());
    // Nothing reached the running instance, which serves the next start.
    QCOMPARE(m_app->run({ "-s", "1a.note" }), 255);
    QVERIFY(m_app->waitForMessages(before + 1));
    QCOMPARE(m_app->loggedMessages().mid(before), QStringList { "showId 1a.note" });

    // A first instance refuses as well, before it shows anything.
    AppInstance alone;
    QVERIFY(alone.isValid());
    QCOMPARE(alone.run(args, &out, &err), 1);
}

void TestCommandLine::simultaneousLaterStartsEachDeliver()
{
    const int before = m_app->loggedMessages().size();
    QList<QProcess *> starts;
    for (int i = 0; i < 4; ++i) {
        auto *process = new QProcess(this);
        process->setProcessEnvironment(m_app->environment());
        process->start(m_app->program(), { "-s", QString::number(100 + i) });
        starts << process;
    }
    for (QProcess *process : starts) {
        QVERIFY(process->waitForFinished(30000));
        QCOMPARE(process->exitCode(), 255);
        delete process;
    }
    QVERIFY(m_app->waitForMessages(before + 4));
    QStringList received = m_app->loggedMessages().mid(before);
    received.sort();
    QCOMPARE(received, QStringList({ "showId 100", "showId 101", "showId 102", "showId 103" }));
}

void TestCommandLine::bareEnvironmentFindsTheRunningInstance()
{
    // What cron or `env -i` leaves: no TMPDIR, XDG_RUNTIME_DIR, DISPLAY or
    // platform choice.
    QProcessEnvironment bare;
    bare.insert("PATH", qEnvironmentVariable("PATH"));
    bare.insert("HOME", qEnvironmentVariable("HOME"));
    const int before = m_app->loggedMessages().size();
    QCOMPARE(m_app->run({ "-t", "9.note" }, nullptr, nullptr, bare), 255);
    QVERIFY(m_app->waitForMessages(before + 1));
    QCOMPARE(m_app->loggedMessages().constLast(), QString("noteId 9.note"));

    bare.insert("TMPDIR", QDir::currentPath());
    bare.insert("XDG_RUNTIME_DIR", QDir::currentPath());
    bare.insert("DISPLAY", ":97");
    QCOMPARE(m_app->run({}, nullptr, nullptr, bare), 255);
    QVERIFY(m_app->waitForMessages(before + 2));
    QCOMPARE(m_app->loggedMessages().constLast(), QString("raise"));
}

void TestCommandLine::hostileClientsAreDropped_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("huge length") << QByteArray("\x7f\xff\xff\xff", 4) + QByteArray(100, 'x');
    QTest::newRow("length beyond the data") << QByteArray("\x00\x00\x01\x00", 4) + QByteArray("raise");
    QTest::newRow("half a length") << QByteArray("\x00\x00", 2);
    QTest::newRow("nothing") << QByteArray();
    // Well framed, but naming no note file: a receiver must not pass it on.
    for (const QByteArray &message : { QByteArray("noteId ../../etc/passwd"), QByteArray("showId a b"),
                                       QByteArray("noteId "), QByteArray("raise now") }) {
        QByteArray frame;
        QDataStream out(&frame, QIODevice::WriteOnly);
        out << message;
        QTest::newRow(message.constData()) << frame;
    }
}

void TestCommandLine::hostileClientsAreDropped()
{
    QFETCH(QByteArray, bytes);

    const int before = m_app->loggedMessages().size();
    {
        QLocalSocket socket;
        socket.connectToServer(m_app->socketPath());
        QVERIFY(socket.waitForConnected(10000));
        socket.write(bytes);
        QVERIFY(socket.waitForBytesWritten(10000) || bytes.isEmpty());
        // Either dropped at once or left waiting for the rest; then we go.
        socket.waitForDisconnected(500);
    }
    // The instance is still there and still serves later starts.
    QCOMPARE(m_app->run({ "-s", "after" }), 255);
    QVERIFY(m_app->waitForMessages(before + 1));
    QCOMPARE(m_app->loggedMessages().mid(before), QStringList { "showId after" });
}

void TestCommandLine::runtimeFilesArePrivate()
{
    const QFileInfo dir(QFileInfo(m_app->socketPath()).absolutePath());
    QCOMPARE(dir.absoluteFilePath(), SingleApplication::runtimeDirectory());
    QVERIFY(dir.isDir() && !dir.isSymLink());
    QCOMPARE(dir.permissions()
                 & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther
                    | QFile::ExeOther),
             QFile::Permissions());
    QCOMPARE(dir.ownerId(), uint(::getuid()));
    // Independent of TMPDIR and XDG_RUNTIME_DIR.
    QVERIFY(dir.absoluteFilePath().startsWith("/tmp/"));
}

void TestCommandLine::firstInstanceDeliversItsOwnMessage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("ownMessage");

    QTest::newRow("show") << QStringList { "-s", "7" } << "showId 7 onStart";
    QTest::newRow("task") << QStringList { "-t", "3" } << "noteId 3 onStart";
    QTest::newRow("create") << QStringList { "-c" } << "createNote onStart";
    QTest::newRow("nothing") << QStringList {} << QString();
    QTest::newRow("empty task") << QStringList { "-t", "" } << QString();
}

void TestCommandLine::firstInstanceDeliversItsOwnMessage()
{
    QFETCH(QStringList, args);
    QFETCH(QString, ownMessage);

    AppInstance app;
    QVERIFY(app.isValid());
    QVERIFY(app.startFirst(args));
    // A later start marks the end of whatever the first one delivered itself.
    QCOMPARE(app.run({ "-s", "end" }), 255);
    QVERIFY(app.waitForMessages(ownMessage.isEmpty() ? 1 : 2));
    QStringList expected;
    if (!ownMessage.isEmpty())
        expected << ownMessage;
    expected << "showId end";
    QCOMPARE(app.loggedMessages(), expected);
}

void TestCommandLine::killedInstanceDoesNotBlockTheNextStart()
{
    AppInstance app;
    QVERIFY(app.isValid());
    QVERIFY(app.startFirst());
    ::kill(pid_t(app.first().processId()), SIGKILL);
    QVERIFY(app.first().waitForFinished());
    QVERIFY(QFile::exists(app.lockPath()));
    QVERIFY(QFile::exists(app.socketPath()));

    // The next start takes over: it delivers its own message and keeps running.
    QVERIFY(app.startFirst({ "-s", "8" }));
    QVERIFY(app.waitForMessages(1));
    QCOMPARE(app.loggedMessages(), QStringList { "showId 8 onStart" });
    qint64 pid = 0;
    QString host, name;
    QVERIFY(QLockFile(app.lockPath()).getLockInfo(&pid, &host, &name));
    QCOMPARE(pid, app.first().processId());

    QCOMPARE(app.run({}), 255);
    QVERIFY(app.waitForMessages(2));
    QCOMPARE(app.loggedMessages().constLast(), QString("raise"));
}

// Whoever holds the kernel lock on the file is the instance, even while it
// does not listen yet: a start then hands over instead of becoming a second
// instance beside it.
void TestCommandLine::heldLockMakesNoSecondInstance()
{
    AppInstance app;
    QVERIFY(app.isValid());
    QVERIFY(QDir().mkpath(QFileInfo(app.lockPath()).absolutePath()));
    const int fd = ::open(QFile::encodeName(app.lockPath()).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    QVERIFY(fd >= 0);
    QCOMPARE(::flock(fd, LOCK_EX | LOCK_NB), 0);
    QCOMPARE(app.run({ "-s", "9" }), 255);
    ::close(fd);
    QVERIFY(!QFile::exists(app.socketPath()));
    QVERIFY(app.loggedMessages().isEmpty());
}

void TestCommandLine::mainWindowLoadsAndDrawsAFrame()
{
    AppInstance app;
    QVERIFY(app.isValid());
    QProcessEnvironment env = app.environment();
    env.insert("ZIB_NOTES_EXIT_AFTER_FIRST_FRAME", "1");
    QByteArray out, err;
    QCOMPARE(app.run({}, &out, &err, env), 0);
    QVERIFY2(out.startsWith("first-frame ms="), out.constData());
    // No warning from the program's own documents.
    QVERIFY2(!err.contains("qrc:/qml/main.qml") && !err.contains("qrc:/qml/pages/"), err.constData());
}

// The plugins linked ahead of the engine must be the very files the engine
// loads: a second copy of a plugin would bring its documents along twice.
void TestCommandLine::pluginsAreLinkedOnce()
{
    AppInstance app;
    QVERIFY(app.isValid());
    QProcessEnvironment env = app.environment();
    env.insert("ZIB_NOTES_EXIT_AFTER_FIRST_FRAME", "1");
    env.insert("ZIB_NOTES_EXIT_DELAY_MS", "5000");
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(app.program(), QStringList());
    QVERIFY(process.waitForStarted());
    QByteArray out;
    QTRY_VERIFY_WITH_TIMEOUT((out += process.readAllStandardOutput()).contains("first-frame"), 30000);

    QFile maps(QStringLiteral("/proc/%1/maps").arg(process.processId()));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    QHash<QString, QSet<QByteArray>> files; // file name: device and inode of each mapped copy
    for (const QByteArray &line : maps.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 6)
            files[QFileInfo(QString::fromLocal8Bit(fields.at(5))).fileName()] << fields.at(3) + ':' + fields.at(4);
    }
    process.kill();
    process.waitForFinished();
    for (const char *name :
         { "libnotesbase.so", "libzibcomponents.so", "libqtquick2plugin.so", "libqtquickcontrols2plugin.so" })
        QVERIFY2(files.value(QLatin1String(name)).size() == 1, name);
}

void TestCommandLine::reminderRoadOpensTheNote()
{
    // A collection of one text note in a private data directory.
    QTemporaryDir data;
    const QString notesDir = data.filePath("zib/zib-notes");
    QVERIFY(QDir().mkpath(notesDir));
    {
        QSettings note(notesDir + "/1a.note", QSettings::IniFormat);
        note.setValue("title", "Shopping");
        note.setValue("text", "milk");
        // The reminder fires now; one that is not due would not be announced.
        note.setValue("notify-type", 2);
        note.setValue("notify-date", QDateTime::currentDateTime());
        QSettings index(notesDir + "/notes.conf", QSettings::IniFormat);
        index.setValue("Notes/1a.note/modification-date", QDateTime::currentDateTime());
        index.setValue("Notes/1a.note/note-type", 0);
        index.setValue("next-filename", "1b");
    }

    AppInstance app;
    QVERIFY(app.isValid());
    QProcessEnvironment env = app.environment();
    env.insert("XDG_DATA_HOME", data.path());
    const QString trayLog = data.filePath("tray.log");
    const QString pageLog = data.filePath("page.log");
    env.insert("ZIB_NOTES_TRAY_LOG", trayLog);
    env.insert("ZIB_NOTES_TRAY_AUTOCLICK_MS", "0");
    env.insert("ZIB_NOTES_PAGE_LOG", pageLog);

    // The notifier's road: -t with the file name starts the first instance,
    // which announces the note; headless, with neither a tray nor a
    // notification service, that means opening the note's page.
    QProcess first;
    first.setProcessEnvironment(env);
    first.setProcessChannelMode(QProcess::ForwardedChannels);
    first.start(app.program(), { "-t", "1a.note" });
    auto lines = [](const QString &path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return QStringList();
        return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    };
    QVERIFY(QTest::qWaitFor([&] { return !lines(pageLog).isEmpty(); }, 20000));
    // The program of the build tree finds its sound module.
    const QStringList trayLines = lines(trayLog);
    QCOMPARE(trayLines.filter(QRegularExpression("^sound /")).size(), 1);
    QCOMPARE(trayLines.filter(QRegularExpression("^(?!sound )")),
             QStringList({ "show " + notesDir + "/1a.note Shopping", "route window", "task 1a.note" }));
    QCOMPARE(lines(pageLog), QStringList { "page qrc:/qml/TextNotePage.qml 1a.note" });
    first.terminate();
    QVERIFY(first.waitForFinished());
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
