#include "listnote.h"
#include "notesmodel.h"
#include "safeinifile.h"
#include "storagesandbox.h"
#include "textnote.h"

#include <QSignalSpy>
#include <QtTest>

#include <sys/stat.h>
#include <utime.h>

// Links, special files, copies and marks in the notes directory.
class TestSafeStorage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(sandbox.isSafe()); }
    void init() { sandbox.reset(); }

    void linksAreReplacedNotWrittenThrough();
    void specialFilesAreNeverRead();
    void interruptedAddsAndDeletesAreFinished();
    void unmarkedStrayFilesStayOut();
    void staleCopiesAreRemoved();

private:
    QString outside(const QString &name) const { return sandbox.path() + QLatin1Char('/') + name; }
    static bool isLink(const QString &path) { return QFileInfo(path).isSymLink(); }
    static bool makeFifo(const QString &path) { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; }
    CollectionSandbox sandbox;
};

void TestSafeStorage::linksAreReplacedNotWrittenThrough()
{
    NotesModel model;
    auto *note = static_cast<TextNote *>(AbstractNote::createNote(AbstractNote::TextType));
    note->setTitle(QStringLiteral("old"));
    QVERIFY(model.addItem(note));

    // Both the note file and "notes.conf" are links to files elsewhere.
    const QByteArray noteTarget = CollectionSandbox::readBytes(sandbox.notePath(note->file()));
    const QByteArray confTarget = CollectionSandbox::readBytes(sandbox.confPath());
    CollectionSandbox::writeBytes(outside(QStringLiteral("target.note")), noteTarget);
    CollectionSandbox::writeBytes(outside(QStringLiteral("target.conf")), confTarget);
    QVERIFY(QFile::remove(sandbox.notePath(note->file())));
    QVERIFY(QFile::remove(sandbox.confPath()));
    QVERIFY(QFile::link(outside(QStringLiteral("target.note")), sandbox.notePath(note->file())));
    QVERIFY(QFile::link(outside(QStringLiteral("target.conf")), sandbox.confPath()));

    note->setTitle(QStringLiteral("new"));
    QVERIFY(note->save());
    QCOMPARE(CollectionSandbox::readBytes(outside(QStringLiteral("target.note"))), noteTarget);
    QCOMPARE(CollectionSandbox::readBytes(outside(QStringLiteral("target.conf"))), confTarget);
    QVERIFY(!isLink(sandbox.notePath(note->file())));
    QVERIFY(!isLink(sandbox.confPath()));
    TextNote reread;
    reread.load(note->file());
    QCOMPARE(reread.title(), QStringLiteral("new"));
    // What the link pointed at was read: the collection kept its keys.
    QCOMPARE(sandbox.confNotes(), QStringList { note->file() });
}

void TestSafeStorage::specialFilesAreNeverRead()
{
    // A FIFO in place of notes.conf, and one in place of a listed note: any
    // read of them would block for good and the test would time out.
    QVERIFY(makeFifo(sandbox.confPath()));
    {
        NotesModel model;
        QCOMPARE(model.rowCount(), 0);
        auto *note = AbstractNote::createNote(AbstractNote::TextType);
        QVERIFY(model.addItem(note));
    }
    QVERIFY(SafeIniFile::isRegularFile(sandbox.confPath()));

    sandbox.listNote(QStringLiteral("2.note"), AbstractNote::TextType, QDateTime::currentDateTime());
    QVERIFY(makeFifo(sandbox.notePath(QStringLiteral("2.note"))));
    NotesModel model;
    QVERIFY(model.isSpecialFile(QStringLiteral("2.note")));
    QVERIFY(model.isSpecialFile(QStringLiteral("2")));
    QVERIFY(!model.isSpecialFile(QStringLiteral("1.note")));
    QVERIFY(!model.isSpecialFile(QStringLiteral("nothing.note")));
    auto *fifo = model.getNoteData(QStringLiteral("2.note")).value<AbstractNote *>();
    QVERIFY(fifo);
    fifo->load();
    QVERIFY(!fifo->loaded());
    QVERIFY(model.removeItems({ QStringLiteral("2.note") }));
    QCOMPARE(sandbox.confNotes(), QStringList { QStringLiteral("1.note") });
}

void TestSafeStorage::interruptedAddsAndDeletesAreFinished()
{
    const QDateTime date = QDateTime::currentDateTime();
    sandbox.setConfValue(QStringLiteral("next-filename"), QStringLiteral("5"));
    // Killed after the note file of an add was saved, before it was listed.
    QScopedPointer<ListNote> list(new ListNote);
    list->setFile(QStringLiteral("5.note"));
    list->setTexts({ QStringLiteral("milk") });
    list->setChecked({ false });
    QVERIFY(list->save());
    CollectionSandbox::writeBytes(sandbox.notePath(QStringLiteral(".5.note.adding")), QByteArray());
    // Killed before the note file of an add was written.
    CollectionSandbox::writeBytes(sandbox.notePath(QStringLiteral(".6.note.adding")), QByteArray());
    // Killed after a delete hid the note file, before the group was removed.
    sandbox.writeNote(QStringLiteral("3.note"), AbstractNote::TextType, date,
                      [](AbstractNote *note) { note->setTitle(QStringLiteral("kept")); });
    QVERIFY(QFile::rename(sandbox.notePath(QStringLiteral("3.note")),
                          sandbox.notePath(QStringLiteral(".3.note.deleting"))));
    // Killed after the group of a delete was removed, before the files were.
    CollectionSandbox::writeBytes(sandbox.notePath(QStringLiteral(".4.note.deleting")), "[General]\ntitle=gone\n");
    CollectionSandbox::writeBytes(sandbox.notePath(QStringLiteral("4.note_0.png")), "png");

    NotesModel model;
    QCOMPARE(sandbox.confNotes(), (QStringList { QStringLiteral("3.note"), QStringLiteral("5.note") }));
    QCOMPARE(sandbox.confValue(QStringLiteral("Notes/5.note/note-type")).toInt(), int(AbstractNote::ListType));
    QCOMPARE(sandbox.confValue(QStringLiteral("next-filename")).toString(), QStringLiteral("6"));
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(directoryState(sandbox.notesDir()).keys(),
             (QStringList { QStringLiteral("3.note"), QStringLiteral("5.note"), QStringLiteral("notes.conf") }));
    auto *recovered = model.getNoteData(QStringLiteral("5.note")).value<AbstractNote *>();
    recovered->load();
    QCOMPARE(static_cast<ListNote *>(recovered)->texts(), QList<QString> { QStringLiteral("milk") });
}

void TestSafeStorage::unmarkedStrayFilesStayOut()
{
    // A note file nobody was adding is none of the collection's business.
    QScopedPointer<TextNote> stray(new TextNote);
    stray->setFile(QStringLiteral("9.note"));
    QVERIFY(stray->save());
    const QMap<QString, QByteArray> before = directoryState(sandbox.notesDir());
    NotesModel model;
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(sandbox.confNotes(), QStringList());
    QMap<QString, QByteArray> after = directoryState(sandbox.notesDir());
    after.remove(QStringLiteral("notes.conf"));
    QCOMPARE(after, before);
}

void TestSafeStorage::staleCopiesAreRemoved()
{
    const QString stale = sandbox.notePath(QStringLiteral(".1.note.saving-AbC123"));
    const QString fresh = sandbox.notePath(QStringLiteral(".2.note.saving-XyZ789"));
    CollectionSandbox::writeBytes(stale, "half");
    CollectionSandbox::writeBytes(fresh, "being written");
    const struct utimbuf old
    {
        1000000000, 1000000000
    };
    QCOMPARE(::utime(QFile::encodeName(stale).constData(), &old), 0);
    NotesModel model;
    QVERIFY(!QFile::exists(stale));
    QVERIFY(QFile::exists(fresh));
}

QTEST_GUILESS_MAIN(TestSafeStorage)
#include "tst_safestorage.moc"
