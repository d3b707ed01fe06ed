#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

// Single instance against another local user: one who made the runtime
// directory's name first, and one who writes to the instance's socket. Runs
// the program as a throwaway user, so it needs root.
class TestOtherUser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void squattedDirectoryAndForeignClients();

private:
    bool runAs(const QStringList &args, int *exitCode, int timeoutMs = 30000);
    QProcess *startAs(const QStringList &args);
    QStringList messages() const;

    QTemporaryDir m_dir;
    QString m_user;
    uint m_uid = 0;
    QString m_squatted;
};

void TestOtherUser::initTestCase()
{
    if (::getuid() != 0)
        QSKIP("creating a throwaway user needs root");
    for (const char *tool : { "useradd", "userdel", "runuser" }) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QSKIP("useradd, userdel or runuser is not installed");
    }
    QVERIFY(m_dir.isValid());
    QVERIFY(QFile::setPermissions(m_dir.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                      | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup));
    m_user = QStringLiteral("zibsingle%1").arg(::getpid());
    const QString home = m_dir.filePath(QStringLiteral("home"));
    QCOMPARE(QProcess::execute(QStringLiteral("useradd"), { "--no-create-home", "--home-dir", home, m_user }), 0);
    QVERIFY(QDir().mkpath(home));
    QCOMPARE(QProcess::execute(QStringLiteral("chown"), { m_user, home }), 0);
    QProcess id;
    id.start(QStringLiteral("id"), { "-u", m_user });
    QVERIFY(id.waitForFinished());
    m_uid = id.readAllStandardOutput().trimmed().toUInt();
    QVERIFY(m_uid > 0);

    // Another user (root here) took the name first, open to all.
    m_squatted = QStringLiteral("/tmp/zib-notes-%1").arg(m_uid);
    QVERIFY(QDir().mkpath(m_squatted));
    // Root's, even if an earlier user of the same uid left it behind.
    QVERIFY(::chown(QFile::encodeName(m_squatted).constData(), 0, 0) == 0);
    QVERIFY(::chmod(QFile::encodeName(m_squatted).constData(), 0777) == 0);
}

void TestOtherUser::cleanupTestCase()
{
    if (!m_squatted.isEmpty())
        QDir(m_squatted).removeRecursively();
    if (!m_user.isEmpty()) {
        QProcess::execute(QStringLiteral("userdel"), { m_user });
        // Qt's own, made where the user's processes found no XDG_RUNTIME_DIR.
        QDir(QStringLiteral("/tmp/runtime-") + m_user).removeRecursively();
    }
}

QProcess *TestOtherUser::startAs(const QStringList &args)
{
    const QString home = m_dir.filePath(QStringLiteral("home"));
    const QString bin = qEnvironmentVariable("ZIB_BINARY_DIR") + QStringLiteral("/bin/zib-notes");
    auto *process = new QProcess(this);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QStringLiteral("runuser"),
                   QStringList { "-u", m_user, "--", "env", "-i", "PATH=/usr/bin:/bin", "HOME=" + home,
                                 "QT_QPA_PLATFORM=offscreen", "QT_QUICK_BACKEND=software",
                                 "XDG_DATA_HOME=" + home + "/data", "ZIB_NOTES_MESSAGE_LOG=" + home + "/messages.log",
                                 // Quits by itself should the test not get to end it.
                                 "ZIB_NOTES_EXIT_AFTER_FIRST_FRAME=1", "ZIB_NOTES_EXIT_DELAY_MS=40000", bin }
                       + args);
    return process;
}

bool TestOtherUser::runAs(const QStringList &args, int *exitCode, int timeoutMs)
{
    QScopedPointer<QProcess> process(startAs(args));
    if (!process->waitForFinished(timeoutMs))
        return false;
    *exitCode = process->exitCode();
    return true;
}

QStringList TestOtherUser::messages() const
{
    QFile log(m_dir.filePath(QStringLiteral("home/messages.log")));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void TestOtherUser::squattedDirectoryAndForeignClients()
{
    QScopedPointer<QProcess> first(startAs({}));
    // The instance moves to a private directory in the user's own home.
    const QDir runtime(m_dir.filePath(QStringLiteral("home/.cache/zib-notes-%1").arg(m_uid)));
    QString socket;
    QVERIFY(QTest::qWaitFor(
        [&] {
            const QStringList sockets = runtime.entryList({ "*.socket" }, QDir::System);
            socket = sockets.isEmpty() ? QString() : runtime.filePath(sockets.first());
            return !socket.isEmpty();
        },
        20000));
    struct stat st;
    QVERIFY(::lstat(QFile::encodeName(runtime.path()).constData(), &st) == 0);
    QCOMPARE(uint(st.st_uid), m_uid);
    QCOMPARE(st.st_mode & 0777, mode_t(0700));
    QVERIFY(QDir(m_squatted).isEmpty());

    // A later start of the same user finds it.
    int exitCode = -1;
    QVERIFY(runAs({ "-s", "7" }, &exitCode));
    QCOMPARE(exitCode, 255);
    QVERIFY(QTest::qWaitFor([&] { return messages().contains(QStringLiteral("showId 7")); }, 10000));

    // Another user's message, well formed, is dropped unread.
    {
        QLocalSocket client;
        client.connectToServer(socket);
        QVERIFY(client.waitForConnected(5000));
        QByteArray frame;
        QDataStream out(&frame, QIODevice::WriteOnly);
        out << QByteArray("showId 8");
        client.write(frame);
        client.waitForBytesWritten(1000);
        QVERIFY(!client.waitForReadyRead(1000) || client.bytesAvailable() == 0);
    }
    QVERIFY(runAs({ "-s", "9" }, &exitCode));
    QCOMPARE(exitCode, 255);
    QVERIFY(QTest::qWaitFor([&] { return messages().contains(QStringLiteral("showId 9")); }, 10000));
    QCOMPARE(messages(), QStringList({ "showId 7", "showId 9" }));

    // End the instance by the process id its lock records.
    const QStringList locks = runtime.entryList({ "*.lock" }, QDir::Files);
    QCOMPARE(locks.size(), 1);
    qint64 pid = 0;
    QString host, app;
    QVERIFY(QLockFile(runtime.filePath(locks.first())).getLockInfo(&pid, &host, &app));
    QVERIFY(pid > 0);
    ::kill(pid_t(pid), SIGTERM);
    QVERIFY(first->waitForFinished(20000));
}

QTEST_GUILESS_MAIN(TestOtherUser)
#include "tst_otheruser.moc"
