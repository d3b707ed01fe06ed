// End-to-end tests with real processes: the program, its notifier, and a
// second program over the same notes directory.
#include "appinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString agentPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/notesagent");
}

QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// A notes agent process with a line protocol (see notesagent.cpp).
class Agent
{
public:
    Agent()
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(agentPath(), QStringList());
        m_process.waitForStarted();
    }
    ~Agent()
    {
        if (m_process.state() != QProcess::NotRunning) {
            send(QStringLiteral("quit"));
            if (!m_process.waitForFinished(5000))
                m_process.kill();
            m_process.waitForFinished();
        }
    }
    void send(const QString &line)
    {
        m_process.write((line + QLatin1Char('\n')).toUtf8());
        m_process.waitForBytesWritten();
    }
    // Waits for an output line starting with prefix; returns it, or empty.
    QString waitFor(const QString &prefix, int timeoutMs = 20000)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < timeoutMs) {
            while (m_process.canReadLine()) {
                const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
                m_lines << line;
                if (line.startsWith(prefix))
                    return line;
            }
            if (m_process.state() != QProcess::Running)
                return {};
            m_process.waitForReadyRead(100);
        }
        return {};
    }
    QStringList lines() const { return m_lines; }

private:
    QProcess m_process;
    QStringList m_lines;
};

QByteArray hashOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

QMap<QString, QByteArray> hashesOf(const QString &dir)
{
    QMap<QString, QByteArray> hashes;
    QDirIterator it(dir, QDir::Files);
    while (it.hasNext()) {
        const QString path = it.next();
        hashes.insert(QFileInfo(path).fileName(), hashOf(path));
    }
    return hashes;
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), qint64(content.size()));
}

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void reminderReachesTrayAndOpensNote();
    void savedNoteIsReloadedByAnotherProcess();
    void simultaneousAddsGetDistinctNames();
    void changesRightAfterOwnWritesAreFollowed();
    void notesAddedAndRemovedElsewhereAreFollowed();
    void concurrentEditsEndAlikeEverywhere();
    void programsChurningAtOnceLoseNothing();
    void corruptCollectionOpensUntouched_data();
    void corruptCollectionOpensUntouched();

private:
    QString notesDir() const;

    QScopedPointer<QTemporaryDir> m_sandbox;
};

void TestEndToEnd::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("zib"));
    QCoreApplication::setApplicationName(QStringLiteral("zib-notes"));
    QVERIFY2(QFileInfo(agentPath()).isExecutable(), "notesagent was not built");
    const QString crontab = QStandardPaths::findExecutable(QStringLiteral("crontab"));
    QVERIFY2(crontab.endsWith(QLatin1String("tests/fakes/crontab")), "the fake crontab must come first on PATH");
}

void TestEndToEnd::init()
{
    m_sandbox.reset(new QTemporaryDir);
    QVERIFY(m_sandbox->isValid());
    qputenv("XDG_DATA_HOME", m_sandbox->filePath(QStringLiteral("data")).toUtf8());
    qputenv("FAKE_CRONTAB_FILE", m_sandbox->filePath(QStringLiteral("crontab")).toUtf8());
    qputenv("ZIB_NOTES_TRAY_LOG", m_sandbox->filePath(QStringLiteral("tray.log")).toUtf8());
    qputenv("ZIB_NOTES_PAGE_LOG", m_sandbox->filePath(QStringLiteral("pages.log")).toUtf8());
    QVERIFY(QDir().mkpath(notesDir()));
}

void TestEndToEnd::cleanup()
{
    qunsetenv("ZIB_NOTES_TRAY_AUTOCLICK_MS");
    qunsetenv("ZIB_NOTES_EXIT_AFTER_FIRST_FRAME");
    qunsetenv("ZIB_NOTES_EXIT_DELAY_MS");
}

QString TestEndToEnd::notesDir() const
{
    return m_sandbox->filePath(QStringLiteral("data/zib/zib-notes"));
}

void TestEndToEnd::reminderReachesTrayAndOpensNote()
{
    {
        Agent agent;
        QVERIFY(!agent.waitFor(QStringLiteral("ready")).isEmpty());
        agent.send(QStringLiteral("add Water the plants"));
        QCOMPARE(agent.waitFor(QStringLiteral("added")), QStringLiteral("added 1.note"));
        // Due now: the command below runs it as cron would at that minute.
        agent.send(QStringLiteral("remind 1.note 2 ") + QTime::currentTime().toString(QStringLiteral("HH:mm")));
        QCOMPARE(agent.waitFor(QStringLiteral("saved")), QStringLiteral("saved 1.note"));
    }

    // The saved reminder left exactly one line in the crontab.
    const QStringList table = readLines(m_sandbox->filePath(QStringLiteral("crontab")));
    QStringList lines;
    for (const QString &line : table) {
        if (line.contains(QLatin1String("zib-notes-notify 1.note")))
            lines << line;
    }
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().contains(QLatin1String(" * * * ")), qPrintable(lines.first()));
    const QString command = lines.first().section(QLatin1Char(' '), 5);

    AppInstance app;
    QVERIFY(app.isValid());
    qputenv("ZIB_NOTES_TRAY_AUTOCLICK_MS", "300");
    QVERIFY(app.startFirst());

    // Run the line's command as cron would: /bin/sh, the notifier found on PATH.
    QProcess cron;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PATH"),
               QFileInfo(app.notifier()).absolutePath() + QLatin1Char(':') + env.value(QStringLiteral("PATH")));
    cron.setProcessEnvironment(env);
    cron.start(QStringLiteral("/bin/sh"), { QStringLiteral("-c"), command });
    QVERIFY(cron.waitForFinished(30000));
    QCOMPARE(cron.exitCode(), 0);

    const QString trayLog = m_sandbox->filePath(QStringLiteral("tray.log"));
    const QString shown = QStringLiteral("show ") + notesDir() + QStringLiteral("/1.note Water the plants");
    QTRY_VERIFY_WITH_TIMEOUT(readLines(trayLog).contains(shown), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(readLines(trayLog).contains(QStringLiteral("task 1.note")), 20000);
    const QString pageLog = m_sandbox->filePath(QStringLiteral("pages.log"));
    QTRY_VERIFY_WITH_TIMEOUT(readLines(pageLog).contains(QStringLiteral("page qrc:/qml/TextNotePage.qml 1.note")),
                             20000);
    QCOMPARE(app.loggedMessages(), QStringList { QStringLiteral("noteId 1.note") });
}

void TestEndToEnd::savedNoteIsReloadedByAnotherProcess()
{
    Agent first;
    QVERIFY(!first.waitFor(QStringLiteral("ready")).isEmpty());
    first.send(QStringLiteral("add Shopping"));
    QCOMPARE(first.waitFor(QStringLiteral("added")), QStringLiteral("added 1.note"));

    Agent second;
    QVERIFY(!second.waitFor(QStringLiteral("ready")).isEmpty());
    second.send(QStringLiteral("show 1.note"));
    QCOMPARE(second.waitFor(QStringLiteral("title")), QStringLiteral("title 1.note Shopping"));
    // Past the first process's own pause, so its next write is reported.
    QTest::qWait(1200);

    QElapsedTimer latency;
    latency.start();
    first.send(QStringLiteral("save 1.note Groceries"));
    QCOMPARE(second.waitFor(QStringLiteral("changed")), QStringLiteral("changed 1.note Groceries"));
    qInfo("reloaded by the other process after %lld ms", latency.elapsed());
    // A process records its own save and does not reload the note for it.
    QCOMPARE(first.waitFor(QStringLiteral("saved")), QStringLiteral("saved 1.note"));
    QVERIFY(first.lines().contains(QStringLiteral("ownsave 1.note")));
    QVERIFY(first.waitFor(QStringLiteral("changed"), 1500).isEmpty());
}

void TestEndToEnd::simultaneousAddsGetDistinctNames()
{
    Agent first;
    Agent second;
    QVERIFY(!first.waitFor(QStringLiteral("ready")).isEmpty());
    QVERIFY(!second.waitFor(QStringLiteral("ready")).isEmpty());
    first.send(QStringLiteral("addmany 20 first"));
    second.send(QStringLiteral("addmany 20 second"));
    QVERIFY(!first.waitFor(QStringLiteral("done"), 60000).isEmpty());
    QVERIFY(!second.waitFor(QStringLiteral("done"), 60000).isEmpty());

    QMap<QString, QString> titleOfFile;
    const QList<QPair<QString, QStringList>> outputs { { QStringLiteral("first"), first.lines() },
                                                       { QStringLiteral("second"), second.lines() } };
    for (const auto &output : outputs) {
        int index = 0;
        for (const QString &line : output.second) {
            if (!line.startsWith(QLatin1String("added ")))
                continue;
            const QString file = line.mid(6);
            QVERIFY2(!titleOfFile.contains(file), qPrintable(file + QStringLiteral(" was handed out twice")));
            titleOfFile.insert(file, output.first + QString::number(index++));
        }
    }
    QCOMPARE(titleOfFile.size(), 40);

    QSettings conf(notesDir() + QStringLiteral("/notes.conf"), QSettings::IniFormat);
    conf.beginGroup(QStringLiteral("Notes"));
    QCOMPARE(conf.childGroups().size(), 40);
    for (auto it = titleOfFile.cbegin(); it != titleOfFile.cend(); ++it) {
        QVERIFY2(conf.childGroups().contains(it.key()), qPrintable(it.key()));
        QSettings note(notesDir() + QLatin1Char('/') + it.key(), QSettings::IniFormat);
        QCOMPARE(note.value(QStringLiteral("title")).toString(), it.value());
    }
}

// What is on disk, in the form of the agents' "list": every listed note with
// the title its file holds.
static QString listOnDisk(const QString &dir)
{
    QSettings conf(dir + QStringLiteral("/notes.conf"), QSettings::IniFormat);
    conf.beginGroup(QStringLiteral("Notes"));
    QStringList rows;
    for (const QString &file : conf.childGroups())
        rows << file + QLatin1Char('=')
                + QSettings(dir + QLatin1Char('/') + file, QSettings::IniFormat)
                      .value(QStringLiteral("title"))
                      .toString();
    rows.sort();
    return QStringLiteral("list ") + rows.join(QLatin1Char(' '));
}

void TestEndToEnd::changesRightAfterOwnWritesAreFollowed()
{
    Agent first;
    Agent second;
    QVERIFY(!first.waitFor(QStringLiteral("ready")).isEmpty());
    QVERIFY(!second.waitFor(QStringLiteral("ready")).isEmpty());
    first.send(QStringLiteral("add one"));
    first.send(QStringLiteral("add two"));
    QVERIFY(!first.waitFor(QStringLiteral("added 2.note")).isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT((second.send(QStringLiteral("list")),
                              second.waitFor(QStringLiteral("list")) == QStringLiteral("list 1.note=one 2.note=two")),
                             10000);

    // The second process retitles both notes, one right after the other and
    // within the first process's own pause: both changes must reach it.
    first.send(QStringLiteral("save 1.note one-A"));
    QVERIFY(!first.waitFor(QStringLiteral("saved")).isEmpty());
    second.send(QStringLiteral("save 2.note two-B"));
    second.send(QStringLiteral("save 1.note one-B"));
    QVERIFY(!second.waitFor(QStringLiteral("saved 1.note")).isEmpty());
    QTest::qWait(2500);
    first.send(QStringLiteral("list"));
    QCOMPARE(first.waitFor(QStringLiteral("list")), QStringLiteral("list 1.note=one-B 2.note=two-B"));
    // Its next save of another note writes nothing stale back.
    first.send(QStringLiteral("save 2.note two-A"));
    QVERIFY(!first.waitFor(QStringLiteral("saved")).isEmpty());
    QCOMPARE(listOnDisk(notesDir()), QStringLiteral("list 1.note=one-B 2.note=two-A"));
}

void TestEndToEnd::notesAddedAndRemovedElsewhereAreFollowed()
{
    Agent first;
    Agent second;
    QVERIFY(!first.waitFor(QStringLiteral("ready")).isEmpty());
    QVERIFY(!second.waitFor(QStringLiteral("ready")).isEmpty());
    first.send(QStringLiteral("add kept"));
    first.send(QStringLiteral("add doomed"));
    QVERIFY(!first.waitFor(QStringLiteral("added 2.note")).isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(
        (second.send(QStringLiteral("list")),
         second.waitFor(QStringLiteral("list")) == QStringLiteral("list 1.note=kept 2.note=doomed")),
        10000);
    first.send(QStringLiteral("remove 2.note"));
    QVERIFY(!first.waitFor(QStringLiteral("removed")).isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT((second.send(QStringLiteral("list")),
                              second.waitFor(QStringLiteral("list")) == QStringLiteral("list 1.note=kept")),
                             10000);
    QVERIFY(!QFile::exists(notesDir() + QStringLiteral("/2.note")));
}

void TestEndToEnd::concurrentEditsEndAlikeEverywhere()
{
    // Three programs add, retitle and remove notes at once for a few
    // seconds; then every one of them lists exactly what is on disk.
    std::vector<std::unique_ptr<Agent>> agents;
    for (int i = 0; i < 3; ++i) {
        agents.emplace_back(new Agent);
        QVERIFY(!agents.back()->waitFor(QStringLiteral("ready")).isEmpty());
    }
    // What the disk must hold in the end: the last title each surviving note
    // was given, by whichever program.
    QMap<QString, QString> titles;
    QRandomGenerator random(7);
    int operations = 0;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 6000 && operations < 300) {
        Agent &agent = *agents[random.bounded(3)];
        const QStringList known = titles.keys();
        const QString file = known.isEmpty() ? QStringLiteral("1.note") : known.at(random.bounded(known.size()));
        const QString title = QStringLiteral("t%1").arg(operations);
        switch (known.size() < 4 ? 0 : random.bounded(4)) {
        case 0: {
            agent.send(QStringLiteral("add ") + title);
            const QString added = agent.waitFor(QStringLiteral("added"));
            QVERIFY(!added.isEmpty());
            titles.insert(added.mid(6), title);
            break;
        }
        case 1:
            agent.send(QStringLiteral("remove ") + file);
            QVERIFY(!agent.waitFor(QStringLiteral("removed")).isEmpty());
            titles.remove(file);
            break;
        default: {
            // A program that has not seen the note yet cannot edit it.
            const int before = agent.lines().count(QStringLiteral("saved ") + file);
            agent.send(QStringLiteral("save %1 %2").arg(file, title));
            agent.send(QStringLiteral("list"));
            QVERIFY(!agent.waitFor(QStringLiteral("list")).isEmpty());
            if (agent.lines().count(QStringLiteral("saved ") + file) > before)
                titles.insert(file, title);
        }
        }
        ++operations;
    }
    QStringList rows;
    for (auto it = titles.cbegin(); it != titles.cend(); ++it)
        rows << it.key() + QLatin1Char('=') + it.value();
    rows.sort();
    const QString expected = QStringLiteral("list ") + rows.join(QLatin1Char(' '));
    qInfo("%d operations by three programs, %d notes left", operations, int(titles.size()));
    QCOMPARE(listOnDisk(notesDir()), expected);
    for (auto &agent : agents) {
        QTRY_VERIFY_WITH_TIMEOUT(
            (agent->send(QStringLiteral("list")), agent->waitFor(QStringLiteral("list")) == expected), 15000);
    }
    // No file of the collection without its group, none of a removed note.
    QSettings conf(notesDir() + QStringLiteral("/notes.conf"), QSettings::IniFormat);
    conf.beginGroup(QStringLiteral("Notes"));
    QStringList files = QDir(notesDir()).entryList({ QStringLiteral("*.note") }, QDir::Files);
    QStringList groups = conf.childGroups();
    files.sort();
    groups.sort();
    QCOMPARE(files, groups);
}

void TestEndToEnd::programsChurningAtOnceLoseNothing()
{
    // Three programs add, tick, retitle and remove at the same moment, each
    // as fast as it goes; then every note added and not removed is there,
    // once, and every program lists what is on disk.
    std::vector<std::unique_ptr<Agent>> agents;
    for (int i = 0; i < 3; ++i) {
        agents.emplace_back(new Agent);
        QVERIFY(!agents.back()->waitFor(QStringLiteral("ready")).isEmpty());
    }
    for (int i = 0; i < 3; ++i)
        agents[i]->send(QStringLiteral("churn 60 %1").arg(i + 1));
    QSet<QString> expected;
    int added = 0;
    for (auto &agent : agents) {
        QVERIFY(!agent->waitFor(QStringLiteral("churned"), 120000).isEmpty());
        for (const QString &line : agent->lines()) {
            if (line.startsWith(QLatin1String("added "))) {
                QVERIFY2(!expected.contains(line.mid(6)), qPrintable(line + QStringLiteral(" twice")));
                expected.insert(line.mid(6));
                ++added;
            }
        }
        for (const QString &line : agent->lines()) {
            if (line.startsWith(QLatin1String("removed ")))
                expected.remove(line.mid(8));
        }
    }
    QSettings conf(notesDir() + QStringLiteral("/notes.conf"), QSettings::IniFormat);
    conf.beginGroup(QStringLiteral("Notes"));
    const QStringList groups = conf.childGroups();
    const QStringList files = QDir(notesDir()).entryList({ QStringLiteral("*.note") }, QDir::Files);
    qInfo("180 operations by three programs at once: %d notes added, %d left, %d on disk", added, int(expected.size()),
          int(files.size()));
    QCOMPARE(QSet<QString>(groups.cbegin(), groups.cend()), expected);
    QCOMPARE(QSet<QString>(files.cbegin(), files.cend()), expected);
    const QString onDisk = listOnDisk(notesDir());
    for (auto &agent : agents) {
        QTRY_VERIFY_WITH_TIMEOUT(
            (agent->send(QStringLiteral("list")), agent->waitFor(QStringLiteral("list")) == onDisk), 15000);
    }
}

void TestEndToEnd::corruptCollectionOpensUntouched_data()
{
    QTest::addColumn<bool>("garbageIndex");
    QTest::newRow("garbage note files") << false;
    QTest::newRow("garbage notes.conf") << true;
}

void TestEndToEnd::corruptCollectionOpensUntouched()
{
    QFETCH(bool, garbageIndex);
    QRandomGenerator random(42);
    auto randomBytes = [&random](int size) {
        QByteArray bytes(size, Qt::Uninitialized);
        for (char &byte : bytes)
            byte = static_cast<char>(random.bounded(256));
        return bytes;
    };

    const QString dir = notesDir() + QLatin1Char('/');
    if (garbageIndex) {
        writeFile(dir + QStringLiteral("notes.conf"), randomBytes(4096) + "\n[Notes]\n1.note\\note-type=zz\n");
        writeFile(dir + QStringLiteral("1.note"), "[General]\ntitle=Kept\n");
    } else {
        writeFile(dir + QStringLiteral("notes.conf"),
                  "[General]\nnext-filename=zz\n\n[Notes]\n1.note\\note-type=0\n2.note\\note-type=1\n"
                  "3.note\\note-type=2\n4.note\\note-type=1\n5.note\\note-type=9\n6.note\\note-type=-1\n"
                  "7.note\\modification-date=yesterday\n7.note\\note-type=0\n");
        writeFile(dir + QStringLiteral("1.note"), randomBytes(2048));
        writeFile(dir + QStringLiteral("2.note"),
                  "[data]\nsize=99999999\n1\\checked=maybe\n1\\text=@Variant(\\0\\0\\0\\x7f");
        writeFile(dir + QStringLiteral("3.note"), "[General]\nline-width=wide\nbackground-color=notacolour\n");
        writeFile(dir + QStringLiteral("3.note_2.png"), randomBytes(300));
        writeFile(dir + QStringLiteral("4.note"), "[General]\ntitle=@ByteArray(\\xff\\xfe)\nnotify-type=17\n[data");
        writeFile(dir + QStringLiteral("7.note"), QByteArray("[General]\ntitle=") + QByteArray(100000, 'x'));
    }
    const QMap<QString, QByteArray> before = hashesOf(notesDir());

    AppInstance app;
    QVERIFY(app.isValid());
    qputenv("ZIB_NOTES_EXIT_AFTER_FIRST_FRAME", "1");
    qputenv("ZIB_NOTES_EXIT_DELAY_MS", "1500");
    QCOMPARE(app.run({}), 0);

    // Nothing was rewritten or deleted; a garbage notes.conf is not replaced either.
    const QMap<QString, QByteArray> after = hashesOf(notesDir());
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        QVERIFY2(after.value(it.key()) == it.value(), qPrintable(it.key() + QStringLiteral(" changed")));
}

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
