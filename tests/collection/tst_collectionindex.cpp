#include "collectionindex.h"
#include "notesconfedit.h"
#include "notesconfreader.h"
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
    void plainReadGivesWhatQSettingsGives_data();
    void plainReadGivesWhatQSettingsGives();
    void inPlaceEditWritesWhatQSettingsWrites();
    void inPlaceEditLeavesTheRestToQSettings();
};

namespace {
QString describe(const CollectionIndex::Listing &listing)
{
    QStringList parts { listing.lastModifiedFile, listing.lastModificationDate.toString(Qt::ISODateWithMs),
                        QString::number(listing.lastModificationDate.timeSpec()), listing.nextFilename };
    for (const CollectionIndex::Entry &entry : listing.entries)
        parts << entry.file + ' ' + entry.modifyDate.toString(Qt::ISODateWithMs) + ' '
                + QString::number(entry.modifyDate.timeSpec()) + ' ' + QString::number(entry.type);
    return parts.join('|');
}
} // namespace

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

// The line-by-line reader takes the files QSettings writes and gives way to
// QSettings for whatever else a hand or another tool may have put there;
// either way the listing is the one QSettings itself gives.
void TestCollectionIndex::plainReadGivesWhatQSettingsGives_data()
{
    QTest::addColumn<QByteArray>("appended");
    QTest::addColumn<bool>("plain");
    QTest::newRow("as written") << QByteArray() << true;
    QTest::newRow("other section") << QByteArray("[Other]\nx=1\n") << true;
    QTest::newRow("comment") << QByteArray("; a comment\n") << false;
    QTest::newRow("quoted list") << QByteArray("[Notes]\n") << false;
    QTest::newRow("section again") << QByteArray("[Notes]\n9.note\\note-type=2\n") << false;
    QTest::newRow("continued line") << QByteArray("[Other]\nx=1\\\n2\n") << false;
    QTest::newRow("beyond ASCII") << QByteArray("[Other]\nx=\xc3\xa9\n") << false;
    QTest::newRow("general again") << QByteArray("[general]\nnext-filename=ff\n") << false;
    // QSettings reads the next line into the value, and lists no y.note.
    QTest::newRow("open quote") << QByteArray("z.note\\other=\"\ny.note\\note-type=0\"\n") << false;
    QTest::newRow("carriage returns") << QByteArray("\r\n[Other]\r\nx=1\r\n") << true;
}

void TestCollectionIndex::plainReadGivesWhatQSettingsGives()
{
    QFETCH(QByteArray, appended);
    QFETCH(bool, plain);
    QTemporaryDir dir;
    const QString path = dir.filePath("notes.conf");
    const QDateTime local(QDate(2026, 3, 29), QTime(2, 30, 15, 7));
    {
        QSettings conf(path, QSettings::IniFormat);
        conf.setValue("next-filename", "1f");
        conf.setValue("last-modified-file", "3.note");
        conf.setValue("last-modification-date", QDateTime(QDate(1999, 12, 31), QTime(23, 59), Qt::UTC));
        conf.setValue("Notes/1.note/modification-date", local);
        conf.setValue("Notes/1.note/note-type", 2);
        conf.setValue("Notes/2.note/modification-date", local.toOffsetFromUtc(-12600));
        conf.setValue("Notes/3.note/modification-date", QDateTime());
        conf.setValue("Notes/3.note/note-type", "1");
        conf.setValue("Notes/4.note/note-type", "x");
        conf.setValue("Notes/5.note/modification-date", "2020-01-02T03:04:05");
        conf.setValue("Notes/5.note/other", QStringList { "a", "b" });
        conf.setValue("Notes/a b.note/note-type", 0);
        // Bytes of the encoded dates that the file must quote or escape.
        for (int i = 0; i < 40; ++i)
            conf.setValue(QStringLiteral("Notes/%1.note/modification-date").arg(i + 10, 0, 16),
                          QDateTime::fromMSecsSinceEpoch(qint64(i) * 2875536291LL + 44 * i));
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::Append));
    file.write(appended == "[Notes]\n" ? QByteArray("[Notes]\nz.note\\note-type=\"1, 2\"\n") : appended);
    file.close();

    CollectionIndex::Listing fast;
    QVector<CollectionIndex::Group> groups;
    QCOMPARE(NotesConfReader::read(path, &fast, &groups) == NotesConfReader::Read, plain);
    CollectionIndex::Listing expected;
    QSettings conf(path, QSettings::IniFormat);
    expected.entries = CollectionIndex::read(conf);
    expected.lastModifiedFile = conf.value("last-modified-file").toString();
    expected.lastModificationDate = conf.value("last-modification-date").toDateTime();
    expected.nextFilename = conf.value("next-filename").toString();
    QVERIFY(expected.entries.size() >= 44);
    QCOMPARE(describe(CollectionIndex::readFile(path)), describe(expected));
    // One pass for the listing and the stamp of the same bytes, which the
    // stamp of a model that read the file before must find alike.
    const CollectionIndex::Look look = CollectionIndex::look(path);
    QCOMPARE(describe(look.listing), describe(expected));
    QVERIFY(CollectionIndex::sameContent(look.stamp, CollectionIndex::stamp(path)));
    QVERIFY(!look.stamp.isEmpty());

    // The names alone, as the crontab check takes them, whatever their kind.
    QSet<QString> visited, names;
    CollectionIndex::forEachNoteGroup(path, [&](const QString &name) { visited.insert(name); });
    conf.beginGroup("Notes");
    for (const QString &group : conf.childGroups()) {
        if (NotesModel::isNoteFileName(group))
            names.insert(group);
    }
    QVERIFY(names.contains("4.note"));
    QCOMPARE(visited, names);
}

namespace {
QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
}
} // namespace

// Dates whose encoded bytes take every value, beside the hex digits and
// separators that make QSettings escape the next byte or quote the value,
// and texts that need escapes: the edited file is the one QSettings writes.
void TestCollectionIndex::inPlaceEditWritesWhatQSettingsWrites()
{
    QTemporaryDir dir;
    const QString edited = dir.filePath("edited.conf");
    const QString expected = dir.filePath("expected.conf");
    const QDateTime start(QDate(2026, 3, 29), QTime(1, 0));
    {
        QSettings conf(edited, QSettings::IniFormat);
        conf.setValue("last-modified-file", "1.note");
        conf.setValue("last-modification-date", start);
        for (int b = 0; b < 256; ++b)
            conf.setValue(QStringLiteral("Notes/%1.note/modification-date").arg(b, 0, 16), start);
        conf.setValue("Other/x", 1);
    }
    QVERIFY(QFile::copy(edited, expected));
    const QStringList texts { "2.note", " 3.note", "a;b", "tab\t\"x\"", "\u00e9\n1f" };
    for (const QString &text : texts) {
        NotesConfEdit edit(edited);
        QSettings conf(expected, QSettings::IniFormat);
        for (int b = 0; b < 256; ++b) {
            const int msecs = b | b << 8 | (b * 7 & 0xff) << 16;
            const QDateTime date = QDateTime(QDate(2000 + b, 1 + b % 12, 1), QTime::fromMSecsSinceStartOfDay(msecs),
                                             b % 3 == 0       ? Qt::LocalTime
                                                 : b % 3 == 1 ? Qt::UTC
                                                              : Qt::OffsetFromUTC,
                                             3600 * (b % 13 - 6));
            const QString key = QStringLiteral("Notes/%1.note/modification-date").arg(b, 0, 16);
            QVERIFY2(edit.setValue(key, date), qPrintable(key));
            conf.setValue(key, date);
        }
        QVERIFY(edit.setValue("last-modified-file", text));
        conf.setValue("last-modified-file", text);
        conf.sync();
        QVERIFY2(edit.commit(), qPrintable(edit.errorString()));
        QCOMPARE(contentOf(edited), contentOf(expected));
    }
}

// Keys to add, values of other kinds and files of other forms are left to
// QSettings; the file stays as it was.
void TestCollectionIndex::inPlaceEditLeavesTheRestToQSettings()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("notes.conf");
    {
        QSettings conf(path, QSettings::IniFormat);
        conf.setValue("next-filename", "2");
        conf.setValue("Notes/1.note/note-type", 0);
        conf.setValue("Notes/1.note/modification-date", QDateTime::currentDateTime());
    }
    const QByteArray before = contentOf(path);
    {
        NotesConfEdit edit(path);
        QVERIFY(edit.contains("Notes/1.note/note-type"));
        QVERIFY(!edit.contains("Notes/2.note/note-type"));
        QVERIFY(!edit.contains("1.note/note-type"));
        QVERIFY(!edit.contains("last-modified-file"));
        QVERIFY(!edit.setValue("Notes/1.note/note-type", 1));
        QVERIFY(!edit.setValue("next-filename", "@x"));
        QVERIFY(!edit.setValue("next-filename", "\u20ac"));
        QVERIFY(edit.commit());
    }
    QCOMPARE(contentOf(path), before);
    for (const QByteArray &appended :
         { QByteArray("; comment\n"), QByteArray("[Notes]\n2.note\\note-type=0\n"), QByteArray("[Other]\nx=1"),
           QByteArray("[Other]\r\nx=1\r\n"),
           // One key spelt two ways; a quote that runs on into the next line.
           QByteArray("1%2Enote\\note-type=1\n"), QByteArray("2.note\\x=\"\n3.note\\x=\"\n") }) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(before + appended);
        file.close();
        QVERIFY2(!NotesConfEdit(path).contains("next-filename"), appended.constData());
    }
    // A key given twice within its section.
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(before).replace("next-filename=2\n", "next-filename=2\nnext-filename=3\n"));
    file.close();
    QVERIFY(!NotesConfEdit(path).contains("next-filename"));
}

QTEST_GUILESS_MAIN(TestCollectionIndex)
#include "tst_collectionindex.moc"
