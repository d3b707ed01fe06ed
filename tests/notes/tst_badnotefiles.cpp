#include "notessandbox.h"

#include "abstractnote.h"
#include "canvasnote.h"
#include "listnote.h"
#include "textnote.h"

#include <QRandomGenerator>
#include <QtTest>

#include <memory>
#include <sys/stat.h>

// Loading damaged or hostile note files: no crash, and the file is left
// exactly as it was (the only write a load may make is expiring a passed
// one-time reminder, which these files do not carry).
class TestBadNoteFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_sandbox.isSafe()); }
    void init() { m_sandbox.reset(); }

    void loadLeavesFileUntouched_data();
    void loadLeavesFileUntouched();
    void hugeListLengthIsBounded();
    void damagedListNumbersStayBounded_data();
    void damagedListNumbersStayBounded();
    void invalidOnceDateExpires();
    void directoryInsteadOfFile();

private:
    QString path() const { return m_sandbox.notesDir() + QStringLiteral("/1.note"); }
    NotesSandbox m_sandbox;
};

namespace {

struct FileState
{
    QByteArray bytes;
    ino_t inode = 0;
    qint64 mtimeNs = 0;
    bool operator==(const FileState &o) const { return bytes == o.bytes && inode == o.inode && mtimeNs == o.mtimeNs; }
};

FileState stateOf(const QString &path)
{
    FileState state;
    state.bytes = NotesSandbox::readBytes(path);
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        state.inode = st.st_ino;
        state.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    }
    return state;
}

QByteArray randomBytes(quint32 seed, int size)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &c : bytes)
        c = char(generator.bounded(256));
    return bytes;
}

QByteArray completeNote()
{
    return "[General]\n"
           "title=Shopping \\x20ac list\n"
           "background-color=#aabbcc\n"
           "foreground-color=#112233\n"
           "creation-date=@Variant(\\0\\0\\0\\x10\\0%\\x7f\\x9a\\x3\\x8a\\xb0\\x8e\\x1)\n"
           "notify-type=2\n"
           "notify-date=@Variant(\\0\\0\\0\\x10\\0%\\x7f\\x9a\\x3\\x8a\\xb0\\x8e\\x1)\n"
           "text=\"line one\\nline two\"\n"
           "line-width=9\n"
           "\n"
           "[data]\n"
           "1\\checked=true\n"
           "1\\text=milk\n"
           "2\\checked=false\n"
           "2\\text=bread\n"
           "size=2\n";
}

} // namespace

void TestBadNoteFiles::loadLeavesFileUntouched_data()
{
    QTest::addColumn<QByteArray>("content");
    for (quint32 seed = 1; seed <= 12; ++seed)
        QTest::addRow("random %u", seed) << randomBytes(seed, int(seed * 97));
    QTest::newRow("random with ini header") << QByteArray("[General]\n") + randomBytes(99, 2000);
    const QByteArray complete = completeNote();
    for (int cut : { 1, 9, 20, 60, 120, 150, 200, 260, 300, complete.size() - 3 })
        QTest::addRow("truncated at %d", cut) << complete.left(cut);
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("only nul bytes") << QByteArray(300, '\0');
    QTest::newRow("title as list") << QByteArray("[General]\ntitle=a, b, c\n");
    QTest::newRow("title as date") << QByteArray("[General]\ntitle=@DateTime(\\0\\0)\n");
    QTest::newRow("title as broken variant") << QByteArray("[General]\ntitle=@Variant(\\xff\\xff\\xff)\n");
    QTest::newRow("colour words") << QByteArray(
        "[General]\nbackground-color=not a colour\nforeground-color=@Rect(1 2 3 4)\n");
    QTest::newRow("colour list") << QByteArray("[General]\nbackground-color=#fff, #000\n");
    QTest::newRow("dates as text") << QByteArray("[General]\ncreation-date=yesterday\nnotify-date=2020-01-01\n");
    QTest::newRow("dates as garbage variant")
        << QByteArray("[General]\ncreation-date=@Variant(\\0\\0\\0\\x10\\xff)\nnotify-date=@Variant(\\xff)\n");
    QTest::newRow("notify type words") << QByteArray("[General]\nnotify-type=weekly\n");
    QTest::newRow("notify type huge") << QByteArray("[General]\nnotify-type=99999999999999999999\n");
    QTest::newRow("notify type negative") << QByteArray("[General]\nnotify-type=-7\n");
    QTest::newRow("notify type list") << QByteArray("[General]\nnotify-type=1, 1\n");
    QTest::newRow("text as list") << QByteArray("[General]\ntext=a, b\n");
    QTest::newRow("text as variant") << QByteArray("[General]\ntext=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x5QSize)\n");
    QTest::newRow("line width words") << QByteArray("[General]\nline-width=wide\n");
    QTest::newRow("line width huge") << QByteArray("[General]\nline-width=1e30\n");
    QTest::newRow("data size words") << QByteArray("[data]\nsize=many\n1\\text=x\n");
    QTest::newRow("data size negative") << QByteArray("[data]\nsize=-5\n1\\text=x\n");
    QTest::newRow("data entries odd") << QByteArray(
        "[data]\nsize=3\n1\\checked=maybe\n2\\text=a, b\n3\\checked=@Variant(\\x1)\n");
    QTest::newRow("data as plain key") << QByteArray("[General]\ndata=5\n");
    QTest::newRow("sections only") << QByteArray("[[[]]]\n[data\n]\n=\n==\n\\\n");
    QTest::newRow("very long line") << QByteArray("[General]\ntitle=") + QByteArray(200000, 'x') + '\n';
}

void TestBadNoteFiles::loadLeavesFileUntouched()
{
    QFETCH(QByteArray, content);
    m_sandbox.setCrontab("1 2 3 4 5 keep\n");
    m_sandbox.clearLog();
    NotesSandbox::writeBytes(path(), content);
    const FileState before = stateOf(path());

    for (int type : { AbstractNote::TextType, AbstractNote::ListType, AbstractNote::CanvasType }) {
        std::unique_ptr<AbstractNote> note(AbstractNote::createNote(AbstractNote::NoteType(type)));
        note->load(QStringLiteral("1.note"));
        QVERIFY(note->loaded());
        // Reading everything a page would read must not fail either.
        (void)note->previewText();
        (void)note->lightColor();
        note->load();
    }
    QVERIFY(stateOf(path()) == before);
    QCOMPARE(m_sandbox.crontabCalls(), QString());
    QCOMPARE(m_sandbox.crontab(), QByteArray("1 2 3 4 5 keep\n"));
}

void TestBadNoteFiles::hugeListLengthIsBounded()
{
    // Only the entries present count, in their order; the missing second
    // one is not made up.
    NotesSandbox::writeBytes(path(), "[data]\nsize=2000000000\n1\\text=a\n3\\checked=true\n");
    ListNote note;
    note.load(QStringLiteral("1.note"));
    QCOMPARE(note.texts(), QList<QString>({ "a", "" }));
    QCOMPARE(note.checked(), QList<bool>({ false, true }));
}

void TestBadNoteFiles::damagedListNumbersStayBounded_data()
{
    QTest::addColumn<QString>("seed");
    QTest::newRow("length and number 2147483647") << QStringLiteral("list-huge-size.note");
    QTest::newRow("length and number 20000000") << QStringLiteral("list-twenty-million.note");
}

// The fuzz seeds of the check-list loader: one entry numbered as high as the
// damaged length once froze the program and took gigabytes, and the next
// save wrote every made-up entry.
void TestBadNoteFiles::damagedListNumbersStayBounded()
{
    QFETCH(QString, seed);
    const QByteArray input
        = NotesSandbox::readBytes(qEnvironmentVariable("ZIB_SOURCE_DIR") + QStringLiteral("/tests/fuzz/seeds/") + seed);
    QVERIFY(input.size() > 1);
    // The first byte of a seed picks the loader.
    NotesSandbox::writeBytes(path(), input.mid(1));
    ListNote note;
    note.load(QStringLiteral("1.note"));
    QCOMPARE(note.texts(), QList<QString> { QStringLiteral("a") });
    QCOMPARE(note.checked().size(), 1);
    QVERIFY(note.save());
    QVERIFY(QFileInfo(path()).size() < 1024);
    ListNote reread;
    reread.load(QStringLiteral("1.note"));
    QCOMPARE(reread.texts(), note.texts());
}

void TestBadNoteFiles::invalidOnceDateExpires()
{
    // A one-time reminder without a usable date can never fire: it is expired
    // like a passed one, which is the one write a load makes.
    NotesSandbox::writeBytes(path(), "[General]\nnotify-type=1\nnotify-date=garbage\n");
    m_sandbox.setCrontab("0 0 * * * job\n");
    TextNote note;
    note.load(QStringLiteral("1.note"));
    QCOMPARE(note.notifyType(), AbstractNote::RepeatNever);
    QVERIFY(NotesSandbox::readBytes(path()).contains("notify-type=0"));
    QCOMPARE(m_sandbox.crontab(), QByteArray("0 0 * * * job\n"));
}

void TestBadNoteFiles::directoryInsteadOfFile()
{
    QVERIFY(QDir().mkpath(path()));
    TextNote note;
    note.load(QStringLiteral("1.note"));
    QVERIFY(!note.loaded());
}

QTEST_GUILESS_MAIN(TestBadNoteFiles)
#include "tst_badnotefiles.moc"
