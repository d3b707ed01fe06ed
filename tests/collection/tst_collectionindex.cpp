#include "collectionindex.h"
#include "notesmodel.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// The listing's own check of group names must let through exactly the names
// that the model takes for note files.
class TestCollectionIndex : public QObject
{
    Q_OBJECT

private slots:
    void listsExactlyTheNoteFileNames();
};

void TestCollectionIndex::listsExactlyTheNoteFileNames()
{
    const QStringList names { "1.note",     "a1f.note",    "_x.note", "A-b_c.d.note", "1a.note",  ".note",
                              ".1.note",    "-1.note",     "1.notes", "1.NOTE",       "a b.note", "a;b.note",
                              "1.note.bak", "\u00e9.note", "x..note", "x-.note",      "1.note~",  "$(x).note" };
    QTemporaryDir dir;
    const QString path = dir.filePath("notes.conf");
    {
        QSettings conf(path, QSettings::IniFormat);
        for (const QString &name : names)
            conf.setValue("Notes/" + name + "/note-type", 0);
    }
    QSettings conf(path, QSettings::IniFormat);
    QStringList listed;
    for (const CollectionIndex::Entry &entry : CollectionIndex::read(conf))
        listed << entry.file;
    conf.beginGroup("Notes");
    QStringList expected;
    for (const QString &group : conf.childGroups()) {
        if (NotesModel::isNoteFileName(group))
            expected << group;
    }
    QVERIFY2(expected.size() >= 6, qPrintable(expected.join(" ") + " | " + conf.childGroups().join(" ")));
    QCOMPARE(listed, expected);
}

QTEST_GUILESS_MAIN(TestCollectionIndex)
#include "tst_collectionindex.moc"
