#include "listnote.h"
#include "notesconfedit.h"
#include "notesmodel.h"
#include "storagesandbox.h"
#include "textnote.h"

#include <QSignalSpy>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

// Saves, adds and deletes on a real file system of a few KiB that is full
// or read-only: each either puts the whole new state in place or leaves
// every note file and "notes.conf" as it was, byte for byte, and says why.
class TestFullDisk : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void failedWritesLeaveOldFilesAndSayWhy_data();
    void failedWritesLeaveOldFilesAndSayWhy();

private:
    void fill(qint64 leftFree);
    CollectionSandbox sandbox;
    QString filler;
    bool mounted = false;
};

namespace {

const char *const MountOptions = "size=128k,mode=0700";

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

void TestFullDisk::initTestCase()
{
    QVERIFY(sandbox.isSafe());
    if (::geteuid() != 0)
        QSKIP("A small tmpfs can only be mounted as root (CI runs the tests as root): full disks not tested");
    const QByteArray dir = QFile::encodeName(sandbox.notesDir());
    if (::mount("tmpfs", dir.constData(), "tmpfs", 0, MountOptions) != 0)
        QSKIP(qPrintable(
            QStringLiteral("No tmpfs could be mounted (%1): full disks not tested").arg(systemError(errno))));
    mounted = true;
    // Outside the notes directory would not fill it; inside, the search and
    // the collection pass over a hidden name.
    filler = sandbox.notesDir() + QStringLiteral("/.filler");
}

void TestFullDisk::cleanupTestCase()
{
    if (mounted)
        ::umount2(QFile::encodeName(sandbox.notesDir()).constData(), MNT_DETACH);
}

void TestFullDisk::init()
{
    sandbox.reset();
}

void TestFullDisk::cleanup()
{
    ::mount("tmpfs", QFile::encodeName(sandbox.notesDir()).constData(), "tmpfs", MS_REMOUNT, MountOptions);
    QFile::remove(filler);
}

// Fills the file system up to leftFree bytes.
void TestFullDisk::fill(qint64 leftFree)
{
    const int fd = ::open(QFile::encodeName(filler).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    QVERIFY(fd >= 0);
    const QByteArray block(4096, 'x');
    qint64 size = 0;
    for (;;) {
        const ssize_t written = ::write(fd, block.constData(), size_t(block.size()));
        if (written <= 0)
            break;
        size += written;
    }
    QCOMPARE(errno, ENOSPC);
    QCOMPARE(::ftruncate(fd, qMax<qint64>(0, size - leftFree)), 0);
    ::close(fd);
}

void TestFullDisk::failedWritesLeaveOldFilesAndSayWhy_data()
{
    QTest::addColumn<qint64>("leftFree");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<int>("error");
    QTest::newRow("no byte free") << qint64(0) << false << ENOSPC;
    QTest::newRow("room for a copy") << qint64(4096) << false << ENOSPC;
    // Room for the copy and the lock, not for the whole new text: the write
    // of the new file comes out short.
    QTest::newRow("room for part of the text") << qint64(16384) << false << ENOSPC;
    QTest::newRow("read-only") << qint64(-1) << true << EROFS;
}

void TestFullDisk::failedWritesLeaveOldFilesAndSayWhy()
{
    QFETCH(qint64, leftFree);
    QFETCH(bool, readOnly);
    QFETCH(int, error);
    const QString reason = systemError(error);
    const QString bigText(20000, QLatin1Char('z'));

    NotesModel model;
    QSignalSpy errors(&model, &NotesModel::errorOccurred);
    QVERIFY(errors.isValid());
    auto *text = static_cast<TextNote *>(AbstractNote::createNote(AbstractNote::TextType));
    text->setTitle(QStringLiteral("Shopping"));
    text->setText(QStringLiteral("milk"));
    QVERIFY(model.addItem(text));
    auto *list = static_cast<ListNote *>(AbstractNote::createNote(AbstractNote::ListType));
    list->setTitle(QStringLiteral("Tasks"));
    list->setTexts({ QStringLiteral("one"), QStringLiteral("two") });
    list->setChecked({ true, false });
    QVERIFY(model.addItem(list));
    const QMap<QString, QByteArray> before = directoryState(sandbox.notesDir());
    QCOMPARE(before.keys(),
             (QStringList { QStringLiteral("1.note"), QStringLiteral("2.note"), QStringLiteral("notes.conf") }));

    if (readOnly)
        QCOMPARE(::mount("tmpfs", QFile::encodeName(sandbox.notesDir()).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY,
                         MountOptions),
                 0);
    else
        fill(leftFree);
    const auto unchanged = [&] {
        QMap<QString, QByteArray> now = directoryState(sandbox.notesDir());
        now.remove(QStringLiteral(".filler"));
        return now == before;
    };

    // A save: the page keeps the edit and is told why.
    QSignalSpy saved(text, &AbstractNote::saved);
    text->setText(bigText);
    QVERIFY(!text->save());
    QCOMPARE(saved.count(), 0);
    QVERIFY2(text->saveError().contains(reason), qPrintable(text->saveError()));
    QVERIFY(unchanged());
    // The list's own lines, edited in place as a save does, fail the same way.
    if (leftFree == 0 || readOnly) {
        NotesConfEdit conf(sandbox.notesDir() + QStringLiteral("/notes.conf"));
        QVERIFY(conf.setValue(QStringLiteral("Notes/1.note/modification-date"), QDateTime::currentDateTime()));
        QVERIFY(!conf.commit());
        QVERIFY2(conf.errorString().contains(reason), qPrintable(conf.errorString()));
        QVERIFY(unchanged());
    }

    // An add: the note stays new, so that the page can offer it again.
    auto *added = static_cast<TextNote *>(AbstractNote::createNote(AbstractNote::TextType));
    added->setText(bigText);
    QVERIFY(!model.addItem(added));
    QVERIFY(!added->loaded());
    QVERIFY(added->file().isEmpty());
    QVERIFY(added->saveError().contains(reason));
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(errors.count(), 1);
    QVERIFY2(errors.last().at(0).toString().contains(reason), qPrintable(errors.last().at(0).toString()));
    QVERIFY(unchanged());

    // A delete rewrites the small "notes.conf"; with no room at all it fails
    // and keeps the note whole.
    const bool deleted = model.removeItems({ QStringLiteral("2.note") });
    if (deleted) {
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(sandbox.confNotes(), QStringList { QStringLiteral("1.note") });
        QVERIFY(!QFile::exists(sandbox.notePath(QStringLiteral("2.note"))));
    } else {
        QCOMPARE(errors.count(), 2);
        QCOMPARE(model.rowCount(), 2);
        QVERIFY(unchanged());
    }
    if (leftFree == 0 || readOnly)
        QVERIFY(!deleted);
    if (leftFree >= 16384)
        QVERIFY(deleted);

    // Once there is room again, the edit goes through.
    cleanup();
    QVERIFY(text->save());
    QVERIFY(text->saveError().isEmpty());
    QVERIFY(model.addItem(added));
    NotesModel again;
    QCOMPARE(again.rowCount(), deleted ? 2 : 3);
    TextNote reread;
    reread.load(QStringLiteral("1.note"));
    QCOMPARE(reread.text(), bigText);
}

QTEST_GUILESS_MAIN(TestFullDisk)
#include "tst_fulldisk.moc"
