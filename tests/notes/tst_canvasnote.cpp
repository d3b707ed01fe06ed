#include "notessandbox.h"

#include "canvasnote.h"

#include <QImage>
#include <QSignalSpy>
#include <QtTest>

class TestCanvasNote : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_sandbox.isSafe()); }
    void init() { m_sandbox.reset(); }

    void pathsWithoutFileName();
    void walkFromLoadedPicture();
    void walkWithoutPictures();
    void unreadableNewPictureKeepsTheOld();
    void nameOrderPicksCurrentPicture();
    void oddPictureNames_data();
    void oddPictureNames();
    void lineWidth_data();
    void lineWidth();
    void lineWidthRoundTrip();
    void previewIsEmpty();

private:
    QString picture(int n) const { return m_sandbox.notesDir() + QStringLiteral("/1f.note_%1.png").arg(n); }
    void touch(const QString &path) const { NotesSandbox::writeBytes(path, "png"); }
    static void writePicture(const QString &path)
    {
        QImage image(4, 3, QImage::Format_ARGB32);
        image.fill(Qt::blue);
        QVERIFY(image.save(path, "PNG"));
    }
    void writeNote(const QByteArray &body = "[General]\ntitle=\n") const
    {
        NotesSandbox::writeBytes(m_sandbox.notesDir() + QStringLiteral("/1f.note"), body);
    }
    QStringList pictures() const
    {
        return QDir(m_sandbox.notesDir()).entryList({ QStringLiteral("*.png") }, QDir::Files, QDir::Name);
    }

    NotesSandbox m_sandbox;
};

void TestCanvasNote::pathsWithoutFileName()
{
    CanvasNote note;
    QCOMPARE(note.imagePath(), QString());
    QCOMPARE(note.nextImagePath(), m_sandbox.notesDir() + QStringLiteral("/_1.png"));
    note.setFile(QStringLiteral("1f.note"));
    QCOMPARE(note.imagePath(), picture(0));
}

void TestCanvasNote::walkFromLoadedPicture()
{
    writeNote();
    touch(picture(3));
    CanvasNote note;
    QSignalSpy spy(&note, &CanvasNote::imagePathChanged);
    note.load(QStringLiteral("1f.note"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(note.imageIndex(), 3);
    QCOMPARE(note.loadedImageIndex(), 3);
    QCOMPARE(note.imagePath(), picture(3));

    // The page writes each new version to nextImagePath, then switches to it.
    const QList<int> walk { 0, 1, 2, 4, 5 };
    int current = 3;
    for (int next : walk) {
        QCOMPARE(note.nextImagePath(), picture(next));
        writePicture(note.nextImagePath());
        QVERIFY(note.updateImagePath());
        QCOMPARE(note.imageIndex(), next);
        QCOMPARE(note.loadedImageIndex(), 3);
        QCOMPARE(note.imagePath(), picture(next));
        QVERIFY(!QFile::exists(picture(current)));
        QCOMPARE(pictures(), QStringList { QStringLiteral("1f.note_%1.png").arg(next) });
        current = next;
    }
    QCOMPARE(spy.count(), 1 + walk.size());
}

void TestCanvasNote::walkWithoutPictures()
{
    writeNote();
    CanvasNote note;
    note.load(QStringLiteral("1f.note"));
    QCOMPARE(note.imageIndex(), 0);
    QCOMPARE(note.loadedImageIndex(), 0);
    QCOMPARE(note.nextImagePath(), picture(1));
    writePicture(picture(1));
    QVERIFY(note.updateImagePath());
    QCOMPARE(note.imageIndex(), 1);
    QCOMPARE(note.nextImagePath(), picture(2));
}

void TestCanvasNote::unreadableNewPictureKeepsTheOld()
{
    writeNote();
    writePicture(picture(0));
    CanvasNote note;
    note.load(QStringLiteral("1f.note"));
    QSignalSpy spy(&note, &CanvasNote::imagePathChanged);
    // Nothing written, or a write cut short.
    QVERIFY(!note.updateImagePath());
    touch(picture(1));
    QVERIFY(!note.updateImagePath());
    QCOMPARE(spy.count(), 0);
    QCOMPARE(note.imagePath(), picture(0));
    QCOMPARE(pictures(), QStringList { QStringLiteral("1f.note_0.png") });
}

void TestCanvasNote::nameOrderPicksCurrentPicture()
{
    writeNote();
    touch(picture(10));
    touch(picture(9));
    // Another note's pictures and a directory do not count.
    touch(m_sandbox.notesDir() + QStringLiteral("/1f.notex_12.png"));
    touch(m_sandbox.notesDir() + QStringLiteral("/21f.note_15.png"));
    QDir().mkpath(m_sandbox.notesDir() + QStringLiteral("/1f.note_99.png"));
    CanvasNote note;
    note.load(QStringLiteral("1f.note"));
    QCOMPARE(note.imageIndex(), 9);
}

void TestCanvasNote::oddPictureNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::newRow("not a number") << "1f.note_abc.png" << 0;
    QTest::newRow("too large") << "1f.note_99999999999.png" << 0;
    QTest::newRow("no extension") << "1f.note_7" << 7;
    QTest::newRow("negative") << "1f.note_-2.png" << -2;
}

void TestCanvasNote::oddPictureNames()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    writeNote();
    touch(m_sandbox.notesDir() + QLatin1Char('/') + name);
    CanvasNote note;
    note.load(QStringLiteral("1f.note"));
    QCOMPARE(note.imageIndex(), index);
    QVERIFY(note.nextImagePath() != note.imagePath());
}

void TestCanvasNote::lineWidth_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("emitted");
    QTest::newRow("missing") << QByteArray() << 5 << 1;
    QTest::newRow("normal") << QByteArray("line-width=12\n") << 12 << 1;
    QTest::newRow("same as current") << QByteArray("line-width=7\n") << 7 << 1;
    QTest::newRow("zero") << QByteArray("line-width=0\n") << 1 << 1;
    QTest::newRow("negative") << QByteArray("line-width=-4\n") << 1 << 1;
    QTest::newRow("text") << QByteArray("line-width=thick\n") << 7 << 0;
    QTest::newRow("list") << QByteArray("line-width=1, 2\n") << 7 << 0;
}

void TestCanvasNote::lineWidth()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, width);
    QFETCH(int, emitted);
    writeNote("[General]\n" + stored);
    CanvasNote note;
    note.setLineWidth(7);
    QSignalSpy spy(&note, &CanvasNote::lineWidthChanged);
    note.load(QStringLiteral("1f.note"));
    QCOMPARE(note.lineWidth(), width);
    QCOMPARE(spy.count(), emitted);
}

void TestCanvasNote::lineWidthRoundTrip()
{
    CanvasNote note;
    note.setFile(QStringLiteral("1f.note"));
    note.setLineWidth(23);
    note.save();
    CanvasNote loaded;
    loaded.load(QStringLiteral("1f.note"));
    QCOMPARE(loaded.lineWidth(), 23);
    QCOMPARE(loaded.type(), AbstractNote::CanvasType);
}

void TestCanvasNote::previewIsEmpty()
{
    CanvasNote note;
    note.setTitle(QStringLiteral("x"));
    QCOMPARE(note.previewText(), QString());
}

QTEST_GUILESS_MAIN(TestCanvasNote)
#include "tst_canvasnote.moc"
