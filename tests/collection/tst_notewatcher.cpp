#include "collectionsandbox.h"
#include "helperprocess.h"
#include "notesmodel.h"
#include "notewatcher.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

class TestNoteWatcher : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void otherProcessWriteIsReportedOnce();
    void changeWhilePausedIsReportedAfterThePause();
    void laterPauseExtendsTheEarlier();
    void pauseDefaultsToOneSecond();
    void replacedConfIsStillWatched();
    void modelFollowsOtherProcess();
    void modelFollowsTheListingChangedElsewhere();
    void watchBeginsOnceConfAppears();

private:
    static QDateTime stamp(int seconds) { return QDateTime(QDate(2026, 3, 1), QTime(10, 0)).addSecs(seconds); }
    bool waitForReports(QSignalSpy &spy, int count);

    CollectionSandbox sandbox;
    NoteWatcher *watcher = nullptr;
};

void TestNoteWatcher::initTestCase()
{
    QVERIFY(sandbox.isSafe());
    sandbox.setConfValue(QStringLiteral("next-filename"), QStringLiteral("1"));
    watcher = NoteWatcher::instance();
    QCOMPARE(NoteWatcher::instance(), watcher);
    QVERIFY(watcher->watching());
    // A second start must not double the reports.
    watcher->start();
    watcher->start();
    QCOMPARE(watcher->files(), QStringList { sandbox.confPath() });
}

bool TestNoteWatcher::waitForReports(QSignalSpy &spy, int count)
{
    while (spy.count() < count) {
        if (!spy.wait(10000))
            return false;
    }
    return true;
}

void TestNoteWatcher::otherProcessWriteIsReportedOnce()
{
    QSignalSpy spy(watcher, &NoteWatcher::noteChanged);
    QVERIFY(helperRecords(QStringLiteral("write"), QStringLiteral("a.note"), stamp(1)));
    QVERIFY(waitForReports(spy, 1));
    // The next write is reported after every event of the first one.
    QVERIFY(helperRecords(QStringLiteral("write"), QStringLiteral("b.note"), stamp(2)));
    QVERIFY(waitForReports(spy, 2));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("a.note"));
    QCOMPARE(spy.at(0).at(1).toDateTime(), stamp(1));
    QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("b.note"));
    QCOMPARE(spy.at(1).at(1).toDateTime(), stamp(2));
}

void TestNoteWatcher::changeWhilePausedIsReportedAfterThePause()
{
    QSignalSpy spy(watcher, &NoteWatcher::noteChanged);
    watcher->stopWatchingAndResumeAfter(1000);
    QVERIFY(!watcher->watching());
    {
        QSettings conf(sandbox.confPath(), QSettings::IniFormat);
        conf.setValue(QStringLiteral("last-modified-file"), QStringLiteral("own.note"));
        conf.setValue(QStringLiteral("last-modification-date"), stamp(3));
    }
    // Nothing during the pause; the change is looked at when it ends, since
    // another process may have written too.
    QCOMPARE(spy.count(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(watcher->watching(), 5000);
    QVERIFY(waitForReports(spy, 1));
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("own.note"));
    QVERIFY(helperRecords(QStringLiteral("write"), QStringLiteral("other.note"), stamp(4)));
    QVERIFY(waitForReports(spy, 2));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("other.note"));
}

void TestNoteWatcher::laterPauseExtendsTheEarlier()
{
    QSignalSpy spy(watcher, &NoteWatcher::noteChanged);
    QElapsedTimer clock;
    clock.start();
    watcher->stopWatchingAndResumeAfter(300);
    watcher->stopWatchingAndResumeAfter(3000);
    // Well past the end of the first pause, still within the second.
    QVERIFY(helperRecords(QStringLiteral("write"), QStringLiteral("paused.note"), stamp(5)));
    QVERIFY(!spy.wait(800));
    if (clock.elapsed() >= 2500)
        QSKIP("The machine is too busy to tell the two pauses apart");
    QVERIFY(!watcher->watching());
    QCOMPARE(spy.count(), 0);

    QTRY_VERIFY_WITH_TIMEOUT(watcher->watching(), 10000);
    QVERIFY(clock.elapsed() >= 2800);
    // The change of the pause is reported at its end, then the next one.
    QVERIFY(waitForReports(spy, 1));
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("paused.note"));
    QVERIFY(helperRecords(QStringLiteral("write"), QStringLiteral("resumed.note"), stamp(6)));
    QVERIFY(waitForReports(spy, 2));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("resumed.note"));
}

void TestNoteWatcher::pauseDefaultsToOneSecond()
{
    QElapsedTimer clock;
    clock.start();
    QVERIFY(QMetaObject::invokeMethod(watcher, "stopWatchingAndResumeAfter"));
    QVERIFY(!watcher->watching());
    QTRY_VERIFY_WITH_TIMEOUT(watcher->watching(), 10000);
    // Coarse timers may end a little early, never by a tenth.
    QVERIFY(clock.elapsed() >= 900);
}

void TestNoteWatcher::replacedConfIsStillWatched()
{
    QSignalSpy spy(watcher, &NoteWatcher::noteChanged);
    QVERIFY(helperRecords(QStringLiteral("replace"), QStringLiteral("renamed.note"), stamp(7)));
    QVERIFY(waitForReports(spy, 1));
    QVERIFY(helperRecords(QStringLiteral("recreate"), QStringLiteral("recreated.note"), stamp(8)));
    QVERIFY(waitForReports(spy, 2));
    QVERIFY(helperRecords(QStringLiteral("write"), QStringLiteral("later.note"), stamp(9)));
    QVERIFY(waitForReports(spy, 3));
    QCOMPARE(spy.count(), 3);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("renamed.note"));
    QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("recreated.note"));
    QCOMPARE(spy.at(2).at(0).toString(), QStringLiteral("later.note"));
    QCOMPARE(spy.at(2).at(1).toDateTime(), stamp(9));
    QCOMPARE(watcher->files(), QStringList { sandbox.confPath() });
}

void TestNoteWatcher::modelFollowsOtherProcess()
{
    sandbox.writeNote(QStringLiteral("1.note"), AbstractNote::TextType, stamp(10),
                      [](AbstractNote *note) { note->setTitle(QStringLiteral("before")); });
    NotesModel model;
    QTRY_VERIFY_WITH_TIMEOUT(watcher->watching(), 5000);
    auto *note = model.getNoteData(QStringLiteral("1.note")).value<AbstractNote *>();
    QVERIFY(note);
    note->load();
    QCOMPARE(note->title(), QStringLiteral("before"));

    QSignalSpy changed(&model, &NotesModel::dataChanged);
    const QStringList printed
        = runHelper({ QStringLiteral("save"), QStringLiteral("1.note"), QStringLiteral("after") });
    QCOMPARE(printed.size(), 1);
    QVERIFY(changed.wait(10000));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 0);
    QCOMPARE(note->title(), QStringLiteral("after"));
    QCOMPARE(note->modifyDate(), QDateTime::fromString(printed.at(0), Qt::ISODateWithMs));
}

void TestNoteWatcher::modelFollowsTheListingChangedElsewhere()
{
    for (const QString &file : { QStringLiteral("2.note"), QStringLiteral("3.note"), QStringLiteral("4.note") })
        sandbox.listNote(file, AbstractNote::TextType, stamp(20));
    NotesModel model;
    QTRY_VERIFY_WITH_TIMEOUT(watcher->watching(), 5000);
    QCOMPARE(model.rowCount(), 4);

    // Another program, in one write: a note gone, a new one listed between
    // the first two rows, a note redated.
    QSignalSpy followed(watcher, &NoteWatcher::collectionChanged);
    {
        QSettings conf(sandbox.confPath(), QSettings::IniFormat);
        conf.remove(QStringLiteral("Notes/2.note"));
        conf.setValue(QStringLiteral("Notes/10.note/modification-date"), stamp(21));
        conf.setValue(QStringLiteral("Notes/10.note/note-type"), 0);
        conf.setValue(QStringLiteral("Notes/3.note/modification-date"), stamp(22));
    }
    QVERIFY(followed.wait(10000));
    QStringList files;
    for (int row = 0; row < model.rowCount(); ++row)
        files << model.index(row).data(NotesModel::FileNameRole).toString();
    QCOMPARE(files, (QStringList { "1.note", "3.note", "4.note", "10.note" }));
    QCOMPARE(model.index(1).data(NotesModel::ModifyDateRole).toDateTime(), stamp(22));
    QCOMPARE(model.index(3).data(NotesModel::ModifyDateRole).toDateTime(), stamp(21));
}

void TestNoteWatcher::watchBeginsOnceConfAppears()
{
    QVERIFY(QFile::remove(sandbox.confPath()));
    NoteWatcher late;
    late.start();
    QVERIFY(late.files().isEmpty());
    QSignalSpy spy(&late, &NoteWatcher::noteChanged);
    QVERIFY(helperRecords(QStringLiteral("write"), QStringLiteral("first.note"), stamp(11)));
    QVERIFY(waitForReports(spy, 1));
    QCOMPARE(late.files(), QStringList { sandbox.confPath() });
    QVERIFY(helperRecords(QStringLiteral("write"), QStringLiteral("second.note"), stamp(12)));
    QVERIFY(waitForReports(spy, 2));
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("first.note"));
    QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("second.note"));
}

QTEST_GUILESS_MAIN(TestNoteWatcher)
#include "tst_notewatcher.moc"
