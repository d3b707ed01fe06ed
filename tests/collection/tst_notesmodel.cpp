#include "collectionsandbox.h"
#include "helperprocess.h"
#include "listnote.h"
#include "notesconflock.h"
#include "notesmodel.h"
#include "notewatcher.h"
#include "textnote.h"

#include <QAbstractItemModelTester>
#include <QPointer>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QtTest>

class TestNotesModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void emptyCollectionCreatesConf_data();
    void emptyCollectionCreatesConf();
    void rowsComeFromConfNotFromDirectory();
    void rolesAndInvalidIndexes();
    void unknownNoteTypesAreSkipped();
    void garbageConfLosesNoNote_data();
    void garbageConfLosesNoNote();
    void notePath_data();
    void notePath();
    void noteData();

    void addNamesFromCounter_data();
    void addNamesFromCounter();
    void addPassesOverTakenNames();
    void twoModelsNeverShareAName();
    void otherProcessNeverSharesAName();
    void addRejectsNullAndAdoptedNotes();
    void processesAddingAtOnceNeverShareAName();
    void confLockExcludesOtherProcesses();

    void removeDeletesNoteAndSideFiles();
    void removeOnlyNoteKeepsCounter();
    void removeSeveralRecordsLastOnce();
    void removeEmptyListDoesNothing();
    void removeSkipsUnsafeNames_data();
    void removeSkipsUnsafeNames();
    void removedNotesAreReleasedLater();

    void saveUpdatesConfAndRow();
    void saveRestoresGroupRemovedElsewhere();
    void ownChangeReportIsIgnored();
    void otherChangeReportReloads();
    void reportOfUnknownNoteChangesNothing();
    void reportBeforeNoteIsMade();
    void idleNotesAreLetGoOf();

private:
    static QDateTime stamp(int minutes) { return QDateTime(QDate(2026, 2, 1), QTime(8, 0)).addSecs(60 * minutes); }
    void writeText(const QString &file, const QString &title, int minutes = 0);
    AbstractNote *noteOf(NotesModel &model, const QString &file);

    CollectionSandbox sandbox;
};

void TestNotesModel::initTestCase()
{
    QVERIFY(sandbox.isSafe());
}

void TestNotesModel::init()
{
    sandbox.reset();
}

void TestNotesModel::writeText(const QString &file, const QString &title, int minutes)
{
    sandbox.writeNote(file, AbstractNote::TextType, stamp(minutes), [&](AbstractNote *note) {
        note->setTitle(title);
        static_cast<TextNote *>(note)->setText(title + QStringLiteral(" text"));
    });
}

AbstractNote *TestNotesModel::noteOf(NotesModel &model, const QString &file)
{
    return model.getNoteData(file).value<AbstractNote *>();
}

void TestNotesModel::emptyCollectionCreatesConf_data()
{
    QTest::addColumn<QByteArray>("conf");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("next");
    QTest::newRow("missing") << QByteArray() << false << "1";
    QTest::newRow("empty") << QByteArray() << true << "1";
    QTest::newRow("counter kept") << QByteArray("[General]\nnext-filename=1f\n") << true << "1f";
}

void TestNotesModel::emptyCollectionCreatesConf()
{
    QFETCH(QByteArray, conf);
    QFETCH(bool, exists);
    QFETCH(QString, next);
    if (exists)
        CollectionSandbox::writeBytes(sandbox.confPath(), conf);
    NotesModel model;
    QAbstractItemModelTester tester(&model);
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(QFile::exists(sandbox.confPath()));
    QCOMPARE(QSettings(sandbox.confPath(), QSettings::IniFormat)
                 .value(QStringLiteral("next-filename"), QStringLiteral("1"))
                 .toString(),
             next);
    if (!exists)
        QCOMPARE(sandbox.confValue(QStringLiteral("next-filename")).toString(), next);
}

void TestNotesModel::rowsComeFromConfNotFromDirectory()
{
    writeText(QStringLiteral("1.note"), QStringLiteral("one"), 1);
    sandbox.listNote(QStringLiteral("2.note"), AbstractNote::ListType, stamp(2));
    writeText(QStringLiteral("3.note"), QStringLiteral("stray"));
    QSettings(sandbox.confPath(), QSettings::IniFormat).remove(QStringLiteral("Notes/3.note"));

    NotesModel model;
    QAbstractItemModelTester tester(&model);
    QCOMPARE(model.rowCount(), 2);
    QStringList files;
    for (int row = 0; row < model.rowCount(); ++row)
        files << model.index(row).data(NotesModel::FileNameRole).toString();
    QCOMPARE(files, (QStringList { QStringLiteral("1.note"), QStringLiteral("2.note") }));

    AbstractNote *missing = noteOf(model, QStringLiteral("2.note"));
    QVERIFY(missing);
    QCOMPARE(missing->type(), AbstractNote::ListType);
    QCOMPARE(missing->modifyDate(), stamp(2));
    // Listing reads no note file.
    QVERIFY(!missing->loaded());
    QVERIFY(!noteOf(model, QStringLiteral("1.note"))->loaded());
    QVERIFY(noteOf(model, QStringLiteral("1.note"))->title().isEmpty());
}

void TestNotesModel::rolesAndInvalidIndexes()
{
    writeText(QStringLiteral("1.note"), QStringLiteral("one"), 5);
    NotesModel model;
    QAbstractItemModelTester tester(&model);

    const QHash<int, QByteArray> roles = model.roleNames();
    QCOMPARE(roles.size(), 3);
    QCOMPARE(roles.value(257), QByteArray("note"));
    QCOMPARE(roles.value(258), QByteArray("modifyDate"));
    QCOMPARE(roles.value(259), QByteArray("fileName"));

    const QModelIndex index = model.index(0);
    auto *note = index.data(257).value<AbstractNote *>();
    QVERIFY(note);
    QCOMPARE(note->file(), QStringLiteral("1.note"));
    QCOMPARE(index.data(258).toDateTime(), stamp(5));
    QCOMPARE(index.data(259).toString(), QStringLiteral("1.note"));
    QVERIFY(!index.data(Qt::DisplayRole).isValid());
    QVERIFY(!index.data(260).isValid());
    QVERIFY(!model.data(model.index(1), 257).isValid());
    QVERIFY(!model.data(QModelIndex(), 257).isValid());
}

void TestNotesModel::unknownNoteTypesAreSkipped()
{
    writeText(QStringLiteral("1.note"), QStringLiteral("one"));
    for (const char *file : { "2.note", "3.note", "4.note" })
        writeText(QLatin1String(file), QStringLiteral("odd"));
    QSettings conf(sandbox.confPath(), QSettings::IniFormat);
    conf.setValue(QStringLiteral("Notes/2.note/note-type"), 3);
    conf.setValue(QStringLiteral("Notes/3.note/note-type"), -1);
    conf.setValue(QStringLiteral("Notes/4.note/note-type"), QStringLiteral("canvas"));
    conf.sync();

    NotesModel model;
    QAbstractItemModelTester tester(&model);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.index(0).data(NotesModel::FileNameRole).toString(), QStringLiteral("1.note"));
    // Skipped notes keep their files and their groups.
    QCOMPARE(sandbox.noteFiles().size(), 4);
    QCOMPARE(sandbox.confNotes().size(), 4);
}

void TestNotesModel::garbageConfLosesNoNote_data()
{
    QTest::addColumn<QByteArray>("conf");
    QTest::newRow("binary") << QByteArray("\x00\xff\xfe[[[\x01\n=\n\x7f", 11);
    QTest::newRow("broken sections") << QByteArray("[Notes\n1.note\\note-type=1\n[=]\n==\nnext-filename=");
    QTest::newRow("hostile names") << QByteArray("[Notes]\n..%2F..%2Fetc%2Fpasswd\\note-type=0\n"
                                                 "*\\note-type=0\n%2A.note\\note-type=0\n"
                                                 "a%20b.note\\note-type=0\n.note\\note-type=0\n");
    QTest::newRow("bad values") << QByteArray("[General]\nnext-filename=../../x\nlast-modified-file=@Variant(\\0)\n"
                                              "last-modification-date=@Variant(\\xff\\xff)\n"
                                              "[Notes]\n1.note\\modification-date=@Variant(garbage)\n"
                                              "1.note\\note-type=@Invalid()\n");
}

void TestNotesModel::garbageConfLosesNoNote()
{
    QFETCH(QByteArray, conf);
    writeText(QStringLiteral("1.note"), QStringLiteral("kept"));
    CollectionSandbox::writeBytes(sandbox.confPath(), conf);
    const QStringList files = sandbox.noteFiles();

    {
        NotesModel model;
        QAbstractItemModelTester tester(&model);
        for (int row = 0; row < model.rowCount(); ++row)
            QVERIFY(NotesModel::isNoteFileName(model.index(row).data(NotesModel::FileNameRole).toString()));
        // New notes still get plain, unused names.
        auto *note = AbstractNote::createNote(AbstractNote::TextType);
        note->setTitle(QStringLiteral("new"));
        model.addItem(note);
        QVERIFY(NotesModel::isNoteFileName(note->file()));
        QVERIFY(note->file() != QLatin1String("1.note"));
        QVERIFY(QFile::exists(sandbox.notePath(note->file())));
    }
    for (const QString &file : files)
        QVERIFY2(QFile::exists(sandbox.notePath(file)), qPrintable(file));
    QScopedPointer<AbstractNote> kept(AbstractNote::createNote(AbstractNote::TextType));
    kept->load(QStringLiteral("1.note"));
    QCOMPARE(kept->title(), QStringLiteral("kept"));
}

void TestNotesModel::notePath_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file");
    QTest::newRow("bare") << "3"
                          << "3.note";
    QTest::newRow("with extension") << "3.note"
                                    << "3.note";
    QTest::newRow("upper-case extension") << "3.NOTE"
                                          << "3.NOTE.note";
    QTest::newRow("empty") << ""
                           << ".note";
}

void TestNotesModel::notePath()
{
    QFETCH(QString, name);
    QFETCH(QString, file);
    NotesModel model;
    QCOMPARE(model.getNotePath(name), sandbox.notesDir() + QDir::separator() + file);
}

void TestNotesModel::noteData()
{
    writeText(QStringLiteral("1.note"), QStringLiteral("one"));
    writeText(QStringLiteral("11.note"), QStringLiteral("eleven"));
    NotesModel model;
    QCOMPARE(noteOf(model, QStringLiteral("11.note"))->file(), QStringLiteral("11.note"));
    QCOMPARE(noteOf(model, QStringLiteral("1.note"))->file(), QStringLiteral("1.note"));
    QCOMPARE(noteOf(model, QStringLiteral("11.note"))->file(), QStringLiteral("11.note"));
    QVERIFY(!model.getNoteData(QStringLiteral("1")).isValid());
    QVERIFY(!model.getNoteData(QStringLiteral("2.note")).isValid());
    QVERIFY(!model.getNoteData(QString()).isValid());
}

void TestNotesModel::addNamesFromCounter_data()
{
    QTest::addColumn<QString>("counter");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("next");
    QTest::newRow("first") << ""
                           << "1.note"
                           << "2";
    QTest::newRow("9") << "9"
                       << "9.note"
                       << "a";
    QTest::newRow("f") << "f"
                       << "f.note"
                       << "10";
    QTest::newRow("ff") << "ff"
                        << "ff.note"
                        << "100";
    QTest::newRow("upper case") << "FF"
                                << "ff.note"
                                << "100";
    QTest::newRow("not base 16") << "zz"
                                 << "1.note"
                                 << "2";
    QTest::newRow("path") << "../../x"
                          << "1.note"
                          << "2";
    QTest::newRow("zero") << "0"
                          << "1.note"
                          << "2";
}

void TestNotesModel::addNamesFromCounter()
{
    QFETCH(QString, counter);
    QFETCH(QString, file);
    QFETCH(QString, next);
    if (!counter.isEmpty())
        sandbox.setConfValue(QStringLiteral("next-filename"), counter);
    NotesModel model;
    QAbstractItemModelTester tester(&model);
    QSignalSpy inserted(&model, &NotesModel::rowsInserted);

    auto *note = AbstractNote::createNote(AbstractNote::ListType);
    QSignalSpy fileChanged(note, &AbstractNote::fileChanged);
    QSignalSpy loadedChanged(note, &AbstractNote::loadedChanged);
    QSignalSpy saved(note, &AbstractNote::saved);
    model.addItem(note);

    QCOMPARE(note->file(), file);
    QCOMPARE(fileChanged.count(), 1);
    QCOMPARE(loadedChanged.count(), 1);
    QCOMPARE(saved.count(), 1);
    QVERIFY(note->loaded());
    QVERIFY(note->creationDate().isValid());
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(noteOf(model, file), note);
    QVERIFY(QFile::exists(sandbox.notePath(file)));
    QCOMPARE(sandbox.confValue(QStringLiteral("next-filename")).toString(), next);
    QCOMPARE(sandbox.confValue(QStringLiteral("Notes/") + file + QStringLiteral("/note-type")).toInt(), 1);
    QCOMPARE(sandbox.confValue(QStringLiteral("Notes/") + file + QStringLiteral("/modification-date")).toDateTime(),
             note->modifyDate());
    QCOMPARE(sandbox.confValue(QStringLiteral("last-modified-file")).toString(), file);
    QCOMPARE(sandbox.confValue(QStringLiteral("last-modification-date")).toDateTime(), note->modifyDate());
    QCOMPARE(QQmlEngine::objectOwnership(note), QQmlEngine::CppOwnership);
}

void TestNotesModel::addPassesOverTakenNames()
{
    sandbox.setConfValue(QStringLiteral("next-filename"), QStringLiteral("3"));
    // 3.note lies in the directory without a group; 4.note has a group only.
    writeText(QStringLiteral("3.note"), QStringLiteral("stray"));
    QSettings(sandbox.confPath(), QSettings::IniFormat).remove(QStringLiteral("Notes/3.note"));
    sandbox.listNote(QStringLiteral("4.note"), AbstractNote::TextType, stamp(0));
    NotesModel model;
    auto *note = AbstractNote::createNote(AbstractNote::TextType);
    model.addItem(note);
    QCOMPARE(note->file(), QStringLiteral("5.note"));
    QCOMPARE(sandbox.confValue(QStringLiteral("next-filename")).toString(), QStringLiteral("6"));
    QScopedPointer<AbstractNote> stray(AbstractNote::createNote(AbstractNote::TextType));
    stray->load(QStringLiteral("3.note"));
    QCOMPARE(stray->title(), QStringLiteral("stray"));
}

void TestNotesModel::twoModelsNeverShareAName()
{
    NotesModel first;
    NotesModel second;
    QStringList names;
    for (int i = 0; i < 3; ++i) {
        for (NotesModel *model : { &first, &second }) {
            auto *note = AbstractNote::createNote(AbstractNote::TextType);
            model->addItem(note);
            names << note->file();
        }
    }
    QCOMPARE(names, (QStringList { "1.note", "2.note", "3.note", "4.note", "5.note", "6.note" }));
    QCOMPARE(sandbox.confNotes().size(), 6);
}

void TestNotesModel::otherProcessNeverSharesAName()
{
    NotesModel model;
    auto *mine = AbstractNote::createNote(AbstractNote::TextType);
    model.addItem(mine);
    const QStringList theirs = runHelper({ QStringLiteral("add"), QStringLiteral("2") });
    QCOMPARE(theirs, (QStringList { "2.note", "3.note" }));
    auto *next = AbstractNote::createNote(AbstractNote::TextType);
    model.addItem(next);
    QCOMPARE(mine->file(), QStringLiteral("1.note"));
    QCOMPARE(next->file(), QStringLiteral("4.note"));
    QCOMPARE(sandbox.confNotes().size(), 4);
}

void TestNotesModel::addRejectsNullAndAdoptedNotes()
{
    NotesModel model;
    QAbstractItemModelTester tester(&model);
    const QByteArray before = CollectionSandbox::readBytes(sandbox.confPath());
    model.addItem(nullptr);
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(CollectionSandbox::readBytes(sandbox.confPath()), before);

    auto *note = AbstractNote::createNote(AbstractNote::TextType);
    model.addItem(note);
    model.addItem(note);
    NotesModel other;
    other.addItem(note);
    QObject parent;
    auto *owned = AbstractNote::createNote(AbstractNote::TextType);
    owned->setParent(&parent);
    model.addItem(owned);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(other.rowCount(), 1);
    QCOMPARE(note->file(), QStringLiteral("1.note"));
    QCOMPARE(sandbox.confNotes(), QStringList { QStringLiteral("1.note") });
}

void TestNotesModel::removeDeletesNoteAndSideFiles()
{
    writeText(QStringLiteral("1.note"), QStringLiteral("one"));
    writeText(QStringLiteral("10.note"), QStringLiteral("ten"));
    CollectionSandbox::writeBytes(sandbox.notePath(QStringLiteral("1.note_3.png")), "png");
    NotesModel model;
    QAbstractItemModelTester tester(&model);
    model.removeItems({ QStringLiteral("1.note") });
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(sandbox.noteFiles(), QStringList { QStringLiteral("10.note") });
    QCOMPARE(sandbox.confNotes(), QStringList { QStringLiteral("10.note") });
    QCOMPARE(sandbox.confValue(QStringLiteral("last-modified-file")).toString(), QStringLiteral("1.note"));

    // A name without a row still loses its group and its files.
    writeText(QStringLiteral("7.note"), QStringLiteral("unlisted"));
    model.removeItems({ QStringLiteral("7.note") });
    QCOMPARE(sandbox.noteFiles(), QStringList { QStringLiteral("10.note") });
    QCOMPARE(sandbox.confNotes(), QStringList { QStringLiteral("10.note") });
}

void TestNotesModel::removeOnlyNoteKeepsCounter()
{
    NotesModel model;
    auto *note = AbstractNote::createNote(AbstractNote::TextType);
    model.addItem(note);
    QCOMPARE(note->file(), QStringLiteral("1.note"));
    model.removeItems({ QStringLiteral("1.note") });
    QCOMPARE(model.rowCount(), 0);
    // The removed note is still held for a moment: its name is not given again.
    QCOMPARE(sandbox.confValue(QStringLiteral("next-filename")).toString(), QStringLiteral("2"));
    auto *again = AbstractNote::createNote(AbstractNote::TextType);
    model.addItem(again);
    QCOMPARE(again->file(), QStringLiteral("2.note"));
}

void TestNotesModel::removeSeveralRecordsLastOnce()
{
    for (const char *file : { "1.note", "2.note", "3.note", "4.note" })
        writeText(QLatin1String(file), QStringLiteral("note"));
    NotesModel model;
    QAbstractItemModelTester tester(&model);
    QSignalSpy removed(&model, &NotesModel::rowsRemoved);
    QSignalSpy reported(NoteWatcher::instance(), &NoteWatcher::noteChanged);
    model.removeItems({ QStringLiteral("3.note"), QStringLiteral("1.note"), QStringLiteral("4.note") });
    QCOMPARE(removed.count(), 3);
    for (const QList<QVariant> &args : removed)
        QCOMPARE(args.at(1).toInt(), args.at(2).toInt());
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.index(0).data(NotesModel::FileNameRole).toString(), QStringLiteral("2.note"));
    QCOMPARE(sandbox.confValue(QStringLiteral("last-modified-file")).toString(), QStringLiteral("4.note"));
    QCOMPARE(sandbox.noteFiles(), QStringList { QStringLiteral("2.note") });
    QVERIFY(!NoteWatcher::instance()->watching());
}

void TestNotesModel::removeEmptyListDoesNothing()
{
    writeText(QStringLiteral("1.note"), QStringLiteral("one"));
    NotesModel model;
    QTRY_VERIFY_WITH_TIMEOUT(NoteWatcher::instance()->watching(), 5000);
    const QByteArray before = CollectionSandbox::readBytes(sandbox.confPath());
    model.removeItems({});
    QVERIFY(NoteWatcher::instance()->watching());
    QCOMPARE(CollectionSandbox::readBytes(sandbox.confPath()), before);
    QCOMPARE(model.rowCount(), 1);
}

void TestNotesModel::removeSkipsUnsafeNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << "";
    QTest::newRow("star") << "*";
    QTest::newRow("prefix star") << "1*";
    QTest::newRow("star note") << "*.note";
    QTest::newRow("question mark") << "?.note";
    QTest::newRow("bracket") << "[1].note";
    QTest::newRow("no extension") << "1";
    QTest::newRow("extension only") << ".note";
    QTest::newRow("parent") << "../zib-notes/1.note";
    QTest::newRow("slash") << "1.note/";
    QTest::newRow("backslash") << "1\\.note";
}

void TestNotesModel::removeSkipsUnsafeNames()
{
    QFETCH(QString, name);
    writeText(QStringLiteral("1.note"), QStringLiteral("one"));
    writeText(QStringLiteral("11.note"), QStringLiteral("eleven"));
    NotesModel model;
    QTRY_VERIFY_WITH_TIMEOUT(NoteWatcher::instance()->watching(), 5000);
    const QByteArray before = CollectionSandbox::readBytes(sandbox.confPath());
    model.removeItems({ name });
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(sandbox.noteFiles(), (QStringList { QStringLiteral("1.note"), QStringLiteral("11.note") }));
    QCOMPARE(CollectionSandbox::readBytes(sandbox.confPath()), before);
    QVERIFY(NoteWatcher::instance()->watching());
    // Beside a proper name it is left out as well.
    model.removeItems({ QStringLiteral("11.note"), name });
    QCOMPARE(sandbox.noteFiles(), QStringList { QStringLiteral("1.note") });
    QCOMPARE(sandbox.confNotes(), QStringList { QStringLiteral("1.note") });
    QCOMPARE(sandbox.confValue(QStringLiteral("last-modified-file")).toString(), QStringLiteral("11.note"));
}

void TestNotesModel::removedNotesAreReleasedLater()
{
    writeText(QStringLiteral("1.note"), QStringLiteral("one"));
    writeText(QStringLiteral("2.note"), QStringLiteral("two"));
    NotesModel model;
    QPointer<AbstractNote> first = noteOf(model, QStringLiteral("1.note"));
    QPointer<AbstractNote> second = noteOf(model, QStringLiteral("2.note"));
    model.removeItems({ QStringLiteral("1.note") });
    QVERIFY(first);
    QVERIFY(!first->disconnect(&model));
    model.removeItems({ QStringLiteral("2.note") });
    QVERIFY(first);
    QVERIFY(second);
    QTRY_VERIFY_WITH_TIMEOUT(!first && !second, 10000);
}

void TestNotesModel::saveUpdatesConfAndRow()
{
    writeText(QStringLiteral("1.note"), QStringLiteral("one"));
    writeText(QStringLiteral("2.note"), QStringLiteral("two"));
    NotesModel model;
    QAbstractItemModelTester tester(&model);
    QSignalSpy changed(&model, &NotesModel::dataChanged);
    AbstractNote *note = noteOf(model, QStringLiteral("2.note"));
    note->load();
    note->setTitle(QStringLiteral("changed"));
    note->save();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), model.index(1));
    QCOMPARE(changed.at(0).at(1).toModelIndex(), model.index(1));
    QVERIFY(changed.at(0).at(2).value<QVector<int>>().isEmpty());
    QCOMPARE(sandbox.confValue(QStringLiteral("Notes/2.note/modification-date")).toDateTime(), note->modifyDate());
    QCOMPARE(sandbox.confValue(QStringLiteral("last-modified-file")).toString(), QStringLiteral("2.note"));
    QCOMPARE(sandbox.confValue(QStringLiteral("last-modification-date")).toDateTime(), note->modifyDate());
    QVERIFY(!NoteWatcher::instance()->watching());
}

void TestNotesModel::saveRestoresGroupRemovedElsewhere()
{
    sandbox.writeNote(QStringLiteral("1.note"), AbstractNote::ListType, stamp(0), [](AbstractNote *note) {
        static_cast<ListNote *>(note)->setTexts({ QStringLiteral("item") });
        static_cast<ListNote *>(note)->setChecked({ true });
    });
    NotesModel model;
    AbstractNote *note = noteOf(model, QStringLiteral("1.note"));
    note->load();
    QSettings(sandbox.confPath(), QSettings::IniFormat).remove(QStringLiteral("Notes/1.note"));
    note->save();
    QCOMPARE(sandbox.confValue(QStringLiteral("Notes/1.note/note-type")).toInt(), int(AbstractNote::ListType));
}

void TestNotesModel::ownChangeReportIsIgnored()
{
    writeText(QStringLiteral("1.note"), QStringLiteral("one"));
    NotesModel model;
    AbstractNote *note = noteOf(model, QStringLiteral("1.note"));
    note->load();
    note->save();
    QSignalSpy changed(&model, &NotesModel::dataChanged);
    note->setTitle(QStringLiteral("unsaved edit"));
    emit NoteWatcher::instance()->noteChanged(QStringLiteral("1.note"), note->modifyDate());
    QCOMPARE(changed.count(), 0);
    QCOMPARE(note->title(), QStringLiteral("unsaved edit"));
}

void TestNotesModel::otherChangeReportReloads()
{
    writeText(QStringLiteral("1.note"), QStringLiteral("one"));
    writeText(QStringLiteral("2.note"), QStringLiteral("two"));
    NotesModel model;
    QAbstractItemModelTester tester(&model);
    AbstractNote *note = noteOf(model, QStringLiteral("2.note"));
    note->load();
    // Another process rewrote the note file, then reported it.
    writeText(QStringLiteral("2.note"), QStringLiteral("from elsewhere"));
    QSignalSpy changed(&model, &NotesModel::dataChanged);
    emit NoteWatcher::instance()->noteChanged(QStringLiteral("2.note"), stamp(30));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), model.index(1));
    QCOMPARE(note->title(), QStringLiteral("from elsewhere"));
    QCOMPARE(note->modifyDate(), stamp(30));
    // The same report again is known now; another date is not.
    emit NoteWatcher::instance()->noteChanged(QStringLiteral("2.note"), stamp(30));
    QCOMPARE(changed.count(), 1);
    emit NoteWatcher::instance()->noteChanged(QStringLiteral("2.note"), stamp(31));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(note->modifyDate(), stamp(31));

    // A note removed by another process keeps its row and takes the date.
    QFile::remove(sandbox.notePath(QStringLiteral("2.note")));
    emit NoteWatcher::instance()->noteChanged(QStringLiteral("2.note"), stamp(32));
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(note->modifyDate(), stamp(32));
    QCOMPARE(note->title(), QStringLiteral("from elsewhere"));
}

void TestNotesModel::reportOfUnknownNoteChangesNothing()
{
    writeText(QStringLiteral("1.note"), QStringLiteral("one"));
    NotesModel model;
    QSignalSpy changed(&model, &NotesModel::dataChanged);
    QSignalSpy inserted(&model, &NotesModel::rowsInserted);
    writeText(QStringLiteral("5.note"), QStringLiteral("added elsewhere"));
    emit NoteWatcher::instance()->noteChanged(QStringLiteral("5.note"), stamp(40));
    emit NoteWatcher::instance()->noteChanged(QString(), QDateTime());
    QCOMPARE(changed.count(), 0);
    QCOMPARE(inserted.count(), 0);
    QCOMPARE(model.rowCount(), 1);
}

void TestNotesModel::processesAddingAtOnceNeverShareAName()
{
    QList<QProcess *> helpers;
    for (int i = 0; i < 2; ++i) {
        auto *helper = new QProcess(this);
        helper->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        helper->start(QStringLiteral(COLLECTION_HELPER), { QStringLiteral("add"), QStringLiteral("20") });
        helpers << helper;
    }
    NotesModel model;
    QStringList names;
    for (int i = 0; i < 5; ++i) {
        auto *note = AbstractNote::createNote(AbstractNote::TextType);
        model.addItem(note);
        names << note->file();
    }
    for (QProcess *helper : qAsConst(helpers)) {
        QVERIFY(helper->waitForFinished(120000));
        QCOMPARE(helper->exitCode(), 0);
        names << QString::fromLatin1(helper->readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    QCOMPARE(names.size(), 45);
    QCOMPARE(QSet<QString>(names.cbegin(), names.cend()).size(), 45);
    QStringList listed = sandbox.confNotes();
    listed.sort();
    names.sort();
    QCOMPARE(listed, names);
    QStringList files = sandbox.noteFiles();
    files.sort();
    QCOMPARE(files, names);
}

void TestNotesModel::confLockExcludesOtherProcesses()
{
    {
        const NotesConfLock lock;
        QVERIFY(lock.isLocked());
        // Taken again from within this process, it does not wait for itself.
        const NotesConfLock nested(0);
        QVERIFY(nested.isLocked());
        QCOMPARE(runHelper({ QStringLiteral("trylock"), QStringLiteral("100") }),
                 QStringList { QStringLiteral("busy") });
    }
    QCOMPARE(runHelper({ QStringLiteral("trylock"), QStringLiteral("100") }), QStringList { QStringLiteral("locked") });
    // No lock file is left among the notes.
    QVERIFY(sandbox.noteFiles().isEmpty());
}

void TestNotesModel::reportBeforeNoteIsMade()
{
    writeText(QStringLiteral("1.note"), QStringLiteral("one"), 1);
    NotesModel model;
    QAbstractItemModelTester tester(&model);
    QSignalSpy changed(&model, &NotesModel::dataChanged);
    writeText(QStringLiteral("1.note"), QStringLiteral("rewritten"), 1);
    emit NoteWatcher::instance()->noteChanged(QStringLiteral("1.note"), stamp(50));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.index(0).data(NotesModel::ModifyDateRole).toDateTime(), stamp(50));
    AbstractNote *note = noteOf(model, QStringLiteral("1.note"));
    QCOMPARE(note->modifyDate(), stamp(50));
    note->load();
    QCOMPARE(note->title(), QStringLiteral("rewritten"));
}

void TestNotesModel::idleNotesAreLetGoOf()
{
    writeText(QStringLiteral("1.note"), QStringLiteral("bound"), 1);
    writeText(QStringLiteral("2.note"), QStringLiteral("shown"), 2);
    writeText(QStringLiteral("3.note"), QStringLiteral("idle"), 3);
    writeText(QStringLiteral("4.note"), QStringLiteral("in a binding"), 4);
    writeText(QStringLiteral("5.note"), QStringLiteral("was in a binding"), 5);
    {
        QSettings conf(sandbox.confPath(), QSettings::IniFormat);
        for (int i = 6; i <= 10000; ++i) {
            conf.setValue(QStringLiteral("Notes/%1.note/modification-date").arg(i), stamp(i));
            conf.setValue(QStringLiteral("Notes/%1.note/note-type").arg(i), int(AbstractNote::TextType));
        }
    }
    NotesModel model;
    QPointer<AbstractNote> bound = noteOf(model, QStringLiteral("1.note"));
    QObject binding;
    connect(bound, &AbstractNote::titleChanged, &binding, [] {});
    QPointer<AbstractNote> shown = noteOf(model, QStringLiteral("2.note"));
    shown->setShown(true);
    QPointer<AbstractNote> idle = noteOf(model, QStringLiteral("3.note"));
    idle->load();
    // A card's binding on the note's title, with no connection in C++.
    QQmlEngine engine;
    QQmlComponent card(&engine);
    card.setData("import QtQml 2.0\nQtObject { property var note; property string title: note ? note.title : \"\" }",
                 QUrl());
    QScopedPointer<QObject> cardObject(card.create());
    QPointer<AbstractNote> qmlBound = noteOf(model, QStringLiteral("4.note"));
    cardObject->setProperty("note", QVariant::fromValue(qmlBound.data()));
    // A card that scrolled away no longer keeps its note.
    QPointer<AbstractNote> wasBound = noteOf(model, QStringLiteral("5.note"));
    wasBound->load();
    QScopedPointer<QObject>(card.create())->setProperty("note", QVariant::fromValue(wasBound.data()));
    // A long scroll asks for every note once; a pass looks at the rows
    // part by part, and this one comes in a later part.
    QPointer<AbstractNote> early, late;
    for (int row = 0; row < model.rowCount(); ++row) {
        auto *note = model.index(row).data(NotesModel::NoteRole).value<AbstractNote *>();
        QVERIFY(note);
        if (row == 100)
            early = note;
        if (row == 9000)
            late = note;
    }
    // One round of the event loop runs the first part only, so a frame can
    // be drawn before the next.
    QCoreApplication::sendPostedEvents(&model, QEvent::MetaCall);
    QVERIFY(!early);
    QVERIFY(late);
    QTRY_VERIFY(!late);
    QVERIFY(!idle);
    QVERIFY(bound);
    QVERIFY(shown);
    QVERIFY(qmlBound);
    QVERIFY(!wasBound);
    // Its row makes it again from the file.
    AbstractNote *again = noteOf(model, QStringLiteral("3.note"));
    QCOMPARE(again->modifyDate(), stamp(3));
    again->load();
    QCOMPARE(again->title(), QStringLiteral("idle"));
    QCOMPARE(noteOf(model, QStringLiteral("2.note")), shown.data());
}

QTEST_GUILESS_MAIN(TestNotesModel)
#include "tst_notesmodel.moc"
