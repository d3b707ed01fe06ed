#include "soundplayer.h"
#include "tray.h"

#include <QAction>
#include <QFile>
#include <QMediaPlayer>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {
// The player comes from the program's sound module.
QMediaPlayer *player(const Tray &tray)
{
    return qobject_cast<QMediaPlayer *>(tray.lastPlayer());
}
} // namespace

// Headless there is no system tray; what the tray shows is read back
// through the icon's own state and the recorded balloon.
class TestTray : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void hiddenUntilTheFirstNotification();
    void notificationShowsTheNoteTitle_data();
    void notificationShowsTheNoteTitle();
    void laterNotificationReplacesTheEarlier();
    void activationOpensTheNoteOnlyOnTrigger_data();
    void activationOpensTheNoteOnlyOnTrigger();
    void balloonClickAndOpenEntryOpenTheNote();
    void closeEntryQuitsTheProgram();
    void soundFallsBackToTheFixedFile();
    void soundComesFromTheCurrentThemeFirst();
    void soundFromFreedesktopWhenTheCurrentThemeLacksIt();

    void oneClickOpensTheNoteOnce();
    void remindersQueueAndOpenInOrder();
    void missedReminderShowsItsDueTime();
    void routeFollowsTheDesktop_data();
    void routeFollowsTheDesktop();
    void withoutTrayOrServiceTheNoteOpensAtOnce();

private:
    QString writeNote(const QString &name, const QString &title);
    void useSoundDirs(const QString &theme);

    QTemporaryDir m_dir;
};

void TestTray::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestTray::init()
{
    // No sound theme anywhere unless a test provides one.
    useSoundDirs(QString());
}

// Headless there is no tray; the balloon tests act as on an X11 tray.
static void useBalloons(Tray &tray)
{
    tray.setDesktopProbe([] {
        Tray::Desktop desktop;
        desktop.trayAvailable = true;
        return desktop;
    });
}

QString TestTray::writeNote(const QString &name, const QString &title)
{
    const QString path = m_dir.filePath(name);
    QSettings note(path, QSettings::IniFormat);
    note.setValue("title", title);
    note.setValue("note-type", 0);
    note.sync();
    return path;
}

void TestTray::useSoundDirs(const QString &theme)
{
    const QString data = m_dir.filePath("share-" + theme);
    QDir().mkpath(data);
    qputenv("XDG_DATA_DIRS", data.toUtf8());
    qputenv("XDG_DATA_HOME", data.toUtf8());
    qputenv("ZIB_SOUND_THEME", theme.toUtf8());
}

void TestTray::hiddenUntilTheFirstNotification()
{
    Tray tray;
    useBalloons(tray);
    QVERIFY(!tray.isVisible());
    QVERIFY(tray.taskFilePath().isEmpty());
    QVERIFY(!tray.icon().isNull());
    tray.showMessageTask(writeNote("1.note", "First"));
    QVERIFY(tray.isVisible());
}

void TestTray::notificationShowsTheNoteTitle_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<QString>("title");

    QTest::newRow("plain") << true << "Shopping";
    QTest::newRow("markup stays text") << true << "<b>bold</b> & <img src=x>";
    QTest::newRow("no title key") << true << QString();
    QTest::newRow("missing file") << false << QString();
}

void TestTray::notificationShowsTheNoteTitle()
{
    QFETCH(bool, write);
    QFETCH(QString, title);

    QString path = m_dir.filePath("notes/1a.note");
    if (write) {
        QDir().mkpath(m_dir.filePath("notes"));
        QFile::remove(path);
        QSettings note(path, QSettings::IniFormat);
        if (!title.isEmpty())
            note.setValue("title", title);
        note.setValue("text", "body");
    } else {
        path = m_dir.filePath("notes/missing.note");
    }

    Tray tray;
    useBalloons(tray);
    tray.showMessageTask(path);
    QVERIFY(tray.isVisible());
    QCOMPARE(tray.taskFilePath(), path);
    QCOMPARE(tray.toolTip(), "Task notification: " + title);
    QCOMPARE(tray.lastMessageTitle(), QString("Task notification"));
    QCOMPARE(tray.lastMessageText(), title);
    QCOMPARE(tray.lastMessageIcon(), QSystemTrayIcon::Information);
    QCOMPARE(tray.lastMessageTimeout(), 43200000);
    QVERIFY2(player(tray), qPrintable(SoundPlayer::errorString()));
    QCOMPARE(player(tray)->volume(), 100);
    QCOMPARE(player(tray)->media().request().url(), QUrl::fromLocalFile(tray.soundFilePath()));
}

void TestTray::laterNotificationReplacesTheEarlier()
{
    // The same note announced again is one pending reminder, not two.
    Tray tray;
    useBalloons(tray);
    QSignalSpy spy(&tray, &Tray::showTask);
    const QString path = writeNote("5.note", "Older");
    tray.showMessageTask(path);
    writeNote("5.note", "Newer");
    tray.showMessageTask(path);
    QCOMPARE(tray.toolTip(), QString("Task notification: Newer"));
    QCOMPARE(tray.lastMessageText(), QString("Newer"));
    QCOMPARE(tray.pendingTaskPaths(), QStringList { path });
    emit tray.activated(QSystemTrayIcon::Trigger);
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QString("5.note"));
    QVERIFY(!tray.isVisible());
}

void TestTray::activationOpensTheNoteOnlyOnTrigger_data()
{
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("opens");

    QTest::newRow("Trigger") << int(QSystemTrayIcon::Trigger) << true;
    QTest::newRow("DoubleClick") << int(QSystemTrayIcon::DoubleClick) << false;
    QTest::newRow("MiddleClick") << int(QSystemTrayIcon::MiddleClick) << false;
    QTest::newRow("Context") << int(QSystemTrayIcon::Context) << false;
    QTest::newRow("Unknown") << int(QSystemTrayIcon::Unknown) << false;
}

void TestTray::activationOpensTheNoteOnlyOnTrigger()
{
    QFETCH(int, reason);
    QFETCH(bool, opens);

    Tray tray;
    useBalloons(tray);
    QSignalSpy spy(&tray, &Tray::showTask);
    tray.showMessageTask(writeNote("1a.note", "Task"));
    emit tray.activated(QSystemTrayIcon::ActivationReason(reason));
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), opens ? 1 : 0);
    if (opens)
        QCOMPARE(spy.at(0).at(0).toString(), QString("1a.note"));
    QCOMPARE(tray.isVisible(), !opens);
    // The last task is kept for the next time.
    QCOMPARE(tray.taskFilePath(), m_dir.filePath("1a.note"));
}

void TestTray::balloonClickAndOpenEntryOpenTheNote()
{
    Tray tray;
    useBalloons(tray);
    QSignalSpy spy(&tray, &Tray::showTask);
    const QString path = writeNote("ff.note", "Task");

    tray.showMessageTask(path);
    emit tray.messageClicked();
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QString("ff.note"));
    QVERIFY(!tray.isVisible());

    tray.showMessageTask(path);
    QVERIFY(tray.contextMenu());
    const QList<QAction *> actions = tray.contextMenu()->actions();
    QCOMPARE(actions.size(), 2);
    QCOMPARE(actions.at(0)->text(), QString("Open task"));
    QCOMPARE(actions.at(1)->text(), QString("Close"));
    QVERIFY(actions.at(0)->shortcut().isEmpty());
    actions.at(0)->trigger();
    QTRY_COMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toString(), QString("ff.note"));
    QVERIFY(!tray.isVisible());
}

void TestTray::closeEntryQuitsTheProgram()
{
    Tray tray;
    useBalloons(tray);
    QSignalSpy spy(&tray, &Tray::showTask);
    tray.showMessageTask(writeNote("2.note", "Task"));
    QAction *close = tray.contextMenu()->actions().at(1);
    QTimer::singleShot(0, close, &QAction::trigger);
    // Guard only: fails the test instead of hanging if "Close" did not quit.
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(42); });
    guard.start(60000);
    QCOMPARE(QCoreApplication::exec(), 0);
    QCOMPARE(spy.count(), 0);
}

void TestTray::soundFallsBackToTheFixedFile()
{
    QCOMPARE(Tray::findSoundPath(), QString("/usr/share/zib-wm/sounds/x-zib-wm-tooltip.wav"));
    Tray tray;
    useBalloons(tray);
    QCOMPARE(tray.soundFilePath(), QString("/usr/share/zib-wm/sounds/x-zib-wm-tooltip.wav"));
    tray.showMessageTask(writeNote("3.note", "Task"));
    QCOMPARE(player(tray)->media().request().url(),
             QUrl::fromLocalFile("/usr/share/zib-wm/sounds/x-zib-wm-tooltip.wav"));
    QCOMPARE(player(tray)->volume(), 100);
}

static QString putSound(const QString &dataDir, const QString &theme, const QString &file)
{
    const QString dir = dataDir + "/sounds/" + theme + "/stereo";
    QDir().mkpath(dir);
    const QString path = dir + "/" + file;
    QFile sound(path);
    sound.open(QIODevice::WriteOnly);
    sound.write("RIFF");
    return path;
}

void TestTray::soundComesFromTheCurrentThemeFirst()
{
    useSoundDirs("current");
    const QString data = qEnvironmentVariable("XDG_DATA_DIRS");
    const QString mine = putSound(data, "current", "window-attention-active.oga");
    putSound(data, "freedesktop", "window-attention-active.oga");
    QCOMPARE(Tray::findSoundPath(), mine);
    QCOMPARE(Tray().soundFilePath(), mine);
}

void TestTray::soundFromFreedesktopWhenTheCurrentThemeLacksIt()
{
    useSoundDirs("lacking");
    const QString data = qEnvironmentVariable("XDG_DATA_DIRS");
    putSound(data, "lacking", "other-sound.oga");
    const QString freedesktop = putSound(data, "freedesktop", "window-attention-active.oga");
    QCOMPARE(Tray::findSoundPath(), freedesktop);
}

void TestTray::oneClickOpensTheNoteOnce()
{
    // With the balloon up, one press on the icon reaches us twice, inside
    // Qt's handling of that press: the icon must stay until it is over.
    Tray tray;
    useBalloons(tray);
    QSignalSpy spy(&tray, &Tray::showTask);
    tray.showMessageTask(writeNote("7.note", "Once"));
    emit tray.messageClicked();
    emit tray.activated(QSystemTrayIcon::Trigger);
    QVERIFY(tray.isVisible());
    QTRY_VERIFY(!tray.isVisible());
    QTest::qWait(50);
    QCOMPARE(spy.count(), 1);
}

void TestTray::remindersQueueAndOpenInOrder()
{
    Tray tray;
    useBalloons(tray);
    QSignalSpy spy(&tray, &Tray::showTask);
    tray.showMessageTask(writeNote("a.note", "First"));
    tray.showMessageTask(writeNote("b.note", "Second"));
    tray.showMessageTask(writeNote("c.note", "Third"));
    QCOMPARE(tray.lastMessageText(), QString("First\nSecond\nThird"));
    QCOMPARE(tray.toolTip(), QString("Task notification: First\nSecond\nThird"));

    for (const char *name : { "a.note", "b.note", "c.note" }) {
        QVERIFY(tray.isVisible());
        emit tray.activated(QSystemTrayIcon::Trigger);
        QTRY_COMPARE(spy.count() > 0 ? spy.constLast().at(0).toString() : QString(), QString(name));
    }
    QCOMPARE(spy.count(), 3);
    QVERIFY(!tray.isVisible());
    QVERIFY(tray.pendingTaskPaths().isEmpty());
}

void TestTray::missedReminderShowsItsDueTime()
{
    Tray tray;
    useBalloons(tray);
    const QDateTime due(QDate(2026, 3, 5), QTime(9, 0));
    tray.showMissedTask(writeNote("d.note", "Dentist"), due);
    QCOMPARE(tray.lastMessageText(),
             QString("Dentist (missed, due %1)").arg(QLocale().toString(due, QLocale::ShortFormat)));
    QVERIFY(tray.isVisible());
}

void TestTray::routeFollowsTheDesktop_data()
{
    QTest::addColumn<bool>("tray");
    QTest::addColumn<bool>("statusNotifier");
    QTest::addColumn<bool>("service");
    QTest::addColumn<int>("route");

    QTest::newRow("X11 tray") << true << false << true << int(Tray::BalloonRoute);
    QTest::newRow("X11 tray, no service") << true << false << false << int(Tray::BalloonRoute);
    QTest::newRow("status-notifier tray") << true << true << true << int(Tray::NotificationRoute);
    QTest::newRow("no tray (GNOME)") << false << false << true << int(Tray::NotificationRoute);
    QTest::newRow("status-notifier tray, no service") << true << true << false << int(Tray::WindowRoute);
    QTest::newRow("nothing") << false << false << false << int(Tray::WindowRoute);
}

void TestTray::routeFollowsTheDesktop()
{
    QFETCH(bool, tray);
    QFETCH(bool, statusNotifier);
    QFETCH(bool, service);
    QFETCH(int, route);
    Tray::Desktop desktop;
    desktop.trayAvailable = tray;
    desktop.statusNotifierTray = statusNotifier;
    desktop.notificationService = service;
    QCOMPARE(int(Tray::chooseRoute(desktop)), route);
}

void TestTray::withoutTrayOrServiceTheNoteOpensAtOnce()
{
    Tray tray; // headless, with no session bus: nothing to announce it
    QSignalSpy spy(&tray, &Tray::showTask);
    tray.showMessageTask(writeNote("e.note", "Alone"));
    QCOMPARE(tray.lastRoute(), Tray::WindowRoute);
    QVERIFY2(player(tray), "the sound plays on this route too");
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QString("e.note"));
    QVERIFY(!tray.isVisible());
}

QTEST_MAIN(TestTray)
#include "tst_tray.moc"
