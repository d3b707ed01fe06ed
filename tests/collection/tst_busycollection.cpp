#include "abstractnote.h"
#include "collectionsandbox.h"
#include "notesdirectory.h"
#include "notesmodel.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>
#include <QtTest>

// Another process holding the lock of "notes.conf" neither stalls this one
// nor makes it write over the other's work; and this one never makes others
// wait on a crontab call.
class TestBusyCollection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void heldLockIsNotWaitedFor();
    void refusedDeleteKeepsTheLastUndo();
    void noteRemovedWhileItsSaveWaitedIsNotListedAgain();
    void crontabNeverRunsUnderTheLock();

private:
    bool holdLockElsewhere();
    AbstractNote *newNote(const QString &title, bool reminder = false);

    CollectionSandbox sandbox;
    QProcess holder;
};

void TestBusyCollection::initTestCase()
{
    QVERIFY(sandbox.isSafe());
}

void TestBusyCollection::init()
{
    sandbox.reset();
}

void TestBusyCollection::cleanup()
{
    holder.kill();
    holder.waitForFinished();
    qunsetenv("FAKE_CRONTAB_LOCKED_DIR");
}

// flock(1) on the notes directory: the lock the program takes.
bool TestBusyCollection::holdLockElsewhere()
{
    QDir().mkpath(notesDirectory());
    holder.start(QStringLiteral("hold-notes-lock"), { notesDirectory() });
    return holder.waitForReadyRead(10000) && holder.readAll().startsWith("held");
}

AbstractNote *TestBusyCollection::newNote(const QString &title, bool reminder)
{
    AbstractNote *note = AbstractNote::createNote(AbstractNote::TextType);
    note->setTitle(title);
    if (reminder) {
        note->setNotifyType(AbstractNote::RepeatEveryDay);
        note->setNotifyDate(QDateTime::currentDateTime().addDays(1));
    }
    return note;
}

void TestBusyCollection::heldLockIsNotWaitedFor()
{
    NotesModel model;
    AbstractNote *kept = newNote(QStringLiteral("kept"));
    QVERIFY(model.addItem(kept));
    QVERIFY(holdLockElsewhere());

    QElapsedTimer clock;
    clock.start();
    // Refused, and said so: the page stays open to try again.
    AbstractNote *refused = newNote(QStringLiteral("refused"));
    QVERIFY(!model.addItem(refused));
    QVERIFY(refused->file().isEmpty());
    QVERIFY(model.lastError().contains(QStringLiteral("Another program")));
    QVERIFY(!model.removeItems({ kept->file() }));
    QVERIFY(QFile::exists(sandbox.notePath(kept->file())));
    // A save writes the note at once and lists it once the lock is free.
    kept->setTitle(QStringLiteral("retitled"));
    QVERIFY(kept->save());
    // Waiting out the holder (60 s) would be the stall itself.
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(sandbox.confNotes(), QStringList { kept->file() });

    holder.kill();
    holder.waitForFinished();
    QTRY_COMPARE(sandbox.confValue(QStringLiteral("Notes/%1/modification-date").arg(kept->file())).toDateTime(),
                 kept->modifyDate());
    QVERIFY(model.addItem(refused));
    QCOMPARE(model.rowCount(), 2);
}

void TestBusyCollection::refusedDeleteKeepsTheLastUndo()
{
    NotesModel model;
    AbstractNote *first = newNote(QStringLiteral("first"));
    AbstractNote *second = newNote(QStringLiteral("second"));
    QVERIFY(model.addItem(first) && model.addItem(second));
    const QString firstFile = first->file();
    QVERIFY(model.removeItems({ firstFile }));
    QVERIFY(holdLockElsewhere());
    QVERIFY(!model.removeItems({ second->file() }));
    holder.kill();
    holder.waitForFinished();
    QCOMPARE(model.restoreRemovedItems(), 1);
    QTRY_VERIFY(QFile::exists(sandbox.notePath(firstFile)));
    QCOMPARE(sandbox.confNotes().size(), 2);
}

void TestBusyCollection::noteRemovedWhileItsSaveWaitedIsNotListedAgain()
{
    NotesModel model;
    AbstractNote *note = newNote(QStringLiteral("doomed"));
    QVERIFY(model.addItem(note));
    const QString file = note->file();
    QVERIFY(holdLockElsewhere());
    note->setTitle(QStringLiteral("edited"));
    QVERIFY(note->save());
    // Meanwhile the holder removes the note, the new file with it.
    QFile::remove(sandbox.notePath(file));
    QSettings(sandbox.confPath(), QSettings::IniFormat).remove(QStringLiteral("Notes/") + file);
    holder.kill();
    holder.waitForFinished();
    QTRY_VERIFY(note->removedElsewhere());
    QVERIFY(sandbox.confNotes().isEmpty());
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(note->title(), QStringLiteral("edited"));
}

void TestBusyCollection::crontabNeverRunsUnderTheLock()
{
    qputenv("FAKE_CRONTAB_LOCKED_DIR", QFile::encodeName(notesDirectory()));
    NotesModel model;
    AbstractNote *note = newNote(QStringLiteral("remind me"), true);
    QVERIFY(model.addItem(note));
    note->setNotifyDate(note->notifyDate().addDays(1));
    QVERIFY(note->save());
    const QString file = note->file();
    QVERIFY(model.removeItems({ file }));
    QVERIFY(model.restoreRemovedItems() == 1);
    const QString calls = sandbox.crontabCalls();
    QVERIFY2(calls.contains(QLatin1Char('w')), qPrintable(calls));
    QVERIFY2(!calls.contains(QStringLiteral("held")), qPrintable(calls));
}

QTEST_GUILESS_MAIN(TestBusyCollection)
#include "tst_busycollection.moc"
