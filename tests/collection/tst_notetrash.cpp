#include "canvasnote.h"
#include "collectionsandbox.h"
#include "notesmodel.h"
#include "notetrash.h"
#include "notewatcher.h"
#include "textnote.h"

#include <QAbstractItemModelTester>
#include <QFileInfo>
#include <QSignalSpy>
#include <QtTest>

// Deleting notes moves their files to the desktop trash of a temporary data
// directory; undoing brings back files, groups, dates and reminder lines.
class TestNoteTrash : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void removeThenRestore();
    void withoutTrashFilesGoToPrivateFolder();
    void takenNameComesBackUnderANewName();

private:
    QString trashDir() const { return sandbox.path() + QStringLiteral("/data/Trash"); }
    static QDateTime stamp(int minutes) { return QDateTime(QDate(2026, 3, 1), QTime(9, 0)).addSecs(60 * minutes); }
    void writeNotes();
    QDateTime groupDate(const QString &file) const
    {
        return sandbox.confValue(QStringLiteral("Notes/") + file + QStringLiteral("/modification-date")).toDateTime();
    }

    CollectionSandbox sandbox;
};

void TestNoteTrash::initTestCase()
{
    QVERIFY(sandbox.isSafe());
}

void TestNoteTrash::init()
{
    sandbox.reset();
    QDir(trashDir()).removeRecursively();
    QFile::remove(trashDir());
    QDir(NoteTrash::privateFolder(sandbox.notesDir())).removeRecursively();
}

// 1.note: a text with a daily reminder; 2.note: a drawing with its picture.
void TestNoteTrash::writeNotes()
{
    sandbox.writeNote(QStringLiteral("1.note"), AbstractNote::TextType, stamp(1), [](AbstractNote *note) {
        note->setTitle(QStringLiteral("milk"));
        note->setNotifyType(AbstractNote::RepeatEveryDay);
        note->setNotifyDate(QDateTime(QDate(2030, 1, 1), QTime(7, 30)));
    });
    sandbox.writeNote(QStringLiteral("2.note"), AbstractNote::CanvasType, stamp(2), [](AbstractNote *) {});
    CollectionSandbox::writeBytes(sandbox.notePath(QStringLiteral("2.note_0.png")), "picture");
    sandbox.setConfValue(QStringLiteral("next-filename"), QStringLiteral("3"));
    QCOMPARE(sandbox.cronLinesOf(QStringLiteral("1.note")), 1);
}

void TestNoteTrash::removeThenRestore()
{
    writeNotes();
    const QDateTime pictureTime = QFileInfo(sandbox.notePath(QStringLiteral("2.note_0.png"))).lastModified();
    const QString cronBefore = sandbox.crontab();
    NotesModel model;
    QAbstractItemModelTester tester(&model);
    QSignalSpy removed(&model, &NotesModel::itemsRemoved);
    QVERIFY(removed.isValid());

    model.removeItems({ QStringLiteral("1.note"), QStringLiteral("2.note") });
    QCOMPARE(removed.count(), 1);
    QCOMPARE(removed.at(0).at(0).toStringList(), QStringList({ QStringLiteral("1.note"), QStringLiteral("2.note") }));
    // Other processes see the removal as before: no files, no groups, no line.
    QCOMPARE(sandbox.noteFiles(), QStringList());
    QCOMPARE(sandbox.confNotes(), QStringList());
    QCOMPARE(sandbox.cronLinesOf(QStringLiteral("1.note")), 0);
    QCOMPARE(QDir(trashDir() + QStringLiteral("/files")).entryList(QDir::Files, QDir::Name),
             QStringList({ QStringLiteral("1.note"), QStringLiteral("2.note"), QStringLiteral("2.note_0.png") }));
    QCOMPARE(QDir(trashDir() + QStringLiteral("/info")).entryList(QDir::Files).size(), 3);

    QCOMPARE(model.restoreRemovedItems(), 2);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(sandbox.noteFiles(),
             QStringList({ QStringLiteral("1.note"), QStringLiteral("2.note"), QStringLiteral("2.note_0.png") }));
    QCOMPARE(groupDate(QStringLiteral("1.note")), stamp(1));
    QCOMPARE(groupDate(QStringLiteral("2.note")), stamp(2));
    QCOMPARE(sandbox.confValue(QStringLiteral("Notes/2.note/note-type")).toInt(), int(AbstractNote::CanvasType));
    QCOMPARE(QFileInfo(sandbox.notePath(QStringLiteral("2.note_0.png"))).lastModified(), pictureTime);
    QCOMPARE(sandbox.crontab(), cronBefore);
    QCOMPARE(QDir(trashDir() + QStringLiteral("/info")).entryList(QDir::Files), QStringList());
    QCOMPARE(sandbox.confValue(QStringLiteral("last-modified-file")).toString(), QStringLiteral("2.note"));

    auto *note = model.getNoteData(QStringLiteral("1.note")).value<AbstractNote *>();
    QVERIFY(note);
    note->load();
    QCOMPARE(note->title(), QStringLiteral("milk"));
    QCOMPARE(note->modifyDate(), stamp(1));
    // A second undo has nothing left to bring back.
    QCOMPARE(model.restoreRemovedItems(), 0);
    QCOMPARE(NotesModel().rowCount(), 2);
}

void TestNoteTrash::withoutTrashFilesGoToPrivateFolder()
{
    writeNotes();
    // A plain file where the trash would be: no trash can exist.
    CollectionSandbox::writeBytes(trashDir(), "not a folder");
    NotesModel model;
    model.removeItems({ QStringLiteral("2.note") });
    QCOMPARE(sandbox.noteFiles(), QStringList { QStringLiteral("1.note") });
    QCOMPARE(QDir(NoteTrash::privateFolder(sandbox.notesDir())).entryList(QDir::Files, QDir::Name),
             QStringList({ QStringLiteral("2.note"), QStringLiteral("2.note_0.png") }));

    QCOMPARE(model.restoreRemovedItems(), 1);
    QCOMPARE(sandbox.noteFiles(),
             QStringList({ QStringLiteral("1.note"), QStringLiteral("2.note"), QStringLiteral("2.note_0.png") }));
    QCOMPARE(QDir(NoteTrash::privateFolder(sandbox.notesDir())).entryList(QDir::Files), QStringList());
}

void TestNoteTrash::takenNameComesBackUnderANewName()
{
    NotesModel model;
    auto *first = AbstractNote::createNote(AbstractNote::CanvasType);
    first->setNotifyType(AbstractNote::RepeatEveryDay);
    first->setNotifyDate(QDateTime(QDate(2030, 1, 1), QTime(7, 30)));
    model.addItem(first);
    CollectionSandbox::writeBytes(sandbox.notePath(QStringLiteral("1.note_0.png")), "picture");
    const QDateTime date = groupDate(QStringLiteral("1.note"));
    model.removeItems({ QStringLiteral("1.note") });

    // Another program, one that still starts its counter again, gives the
    // name to a note of its own meanwhile.
    {
        TextNote other;
        other.setFile(QStringLiteral("1.note"));
        other.setTitle(QStringLiteral("second"));
        other.save();
    }
    sandbox.setConfValue(QStringLiteral("Notes/1.note/modification-date"), QDateTime::currentDateTime());
    sandbox.setConfValue(QStringLiteral("Notes/1.note/note-type"), 0);
    emit NoteWatcher::instance()->collectionChanged();
    QCOMPARE(model.rowCount(), 1);

    QCOMPARE(model.restoreRemovedItems(), 1);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(QSettings(sandbox.notePath(QStringLiteral("1.note")), QSettings::IniFormat)
                 .value(QStringLiteral("title"))
                 .toString(),
             QStringLiteral("second"));
    QCOMPARE(sandbox.noteFiles(),
             QStringList({ QStringLiteral("1.note"), QStringLiteral("2.note"), QStringLiteral("2.note_0.png") }));
    QCOMPARE(groupDate(QStringLiteral("2.note")), date);
    QCOMPARE(sandbox.confValue(QStringLiteral("Notes/2.note/note-type")).toInt(), int(AbstractNote::CanvasType));
    QCOMPARE(sandbox.cronLinesOf(QStringLiteral("2.note")), 1);
    QCOMPARE(sandbox.cronLinesOf(QStringLiteral("1.note")), 0);
    QCOMPARE(sandbox.confValue(QStringLiteral("next-filename")).toString(), QStringLiteral("3"));
}

QTEST_GUILESS_MAIN(TestNoteTrash)
#include "tst_notetrash.moc"
