#include "canvasnote.h"
#include "collectionsandbox.h"
#include "listnote.h"
#include "notesmodel.h"
#include "notesproxymodel.h"
#include "textnote.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

// The data directory's name holds a quote, spaces and shell syntax: the
// search has to reach it as one word.
class TestNotesProxyModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void commandQuotesDirectoryAndFilter();
    void emptyFilterShowsAllNewestFirst();
    void search_data();
    void search();
    void hostileFilterRunsNoCommand_data();
    void hostileFilterRunsNoCommand();
    void noNoteFilesFindsNothing();
    void savedNoteKeepsFilterAndMovesUp();
    void slowSearchUsesWhatItFound();
    void failedSearchFindsNothing();
    void specialAndUnreadableFilesHideNoHit();
    void filterSetElsewhereReplacesSearch();
    void cardsHaveTheFilesAroundThemReadAhead();

private:
    static QDateTime stamp(int minutes) { return QDateTime(QDate(2026, 1, 5), QTime(9, 0)).addSecs(60 * minutes); }
    void writeText(const QString &file, const QString &title, const QString &text, int minutes);
    QStringList shown() const;
    void useFakeGrep(const QByteArray &script);

    CollectionSandbox sandbox { QStringLiteral("it's a $(dir) `x` & \"q\"; data") };
    NotesModel *model = nullptr;
    NotesProxyModel *proxy = nullptr;
    QByteArray originalPath;
};

void TestNotesProxyModel::initTestCase()
{
    QVERIFY(sandbox.isSafe());
    originalPath = qgetenv("PATH");
}

void TestNotesProxyModel::writeText(const QString &file, const QString &title, const QString &text, int minutes)
{
    sandbox.writeNote(file, AbstractNote::TextType, stamp(minutes), [&](AbstractNote *note) {
        note->setTitle(title);
        static_cast<TextNote *>(note)->setText(text);
    });
}

void TestNotesProxyModel::init()
{
    qputenv("PATH", originalPath);
    sandbox.reset();
    writeText(QStringLiteral("1.note"), QStringLiteral("Shopping"), QStringLiteral("milk and bread"), 1);
    writeText(QStringLiteral("11.note"), QStringLiteral("Other"), QStringLiteral("nothing"), 2);
    writeText(QStringLiteral("21.note"), QStringLiteral("Another"), QStringLiteral("x"), 3);
    writeText(QStringLiteral("a1.note"), QStringLiteral("Alpha"), QString(), 4);
    sandbox.writeNote(QStringLiteral("2.note"), AbstractNote::ListType, stamp(5), [](AbstractNote *note) {
        note->setTitle(QStringLiteral("Tasks"));
        static_cast<ListNote *>(note)->setTexts({ QStringLiteral("call mom"), QStringLiteral("fix bike") });
        static_cast<ListNote *>(note)->setChecked({ false, true });
    });
    sandbox.writeNote(QStringLiteral("3.note"), AbstractNote::CanvasType, stamp(6), [](AbstractNote *note) {
        note->setTitle(QStringLiteral("Drawing"));
        note->setBgColor(QColor(QStringLiteral("#123456")));
    });
    writeText(QStringLiteral("4.note"), QStringLiteral("it's $(touch pwned) `touch pwned` && | ; done"),
              QStringLiteral("a\\b"), 7);
    writeText(QStringLiteral("5.note"), QStringLiteral("multi"), QStringLiteral("first line\nsecond line"), 8);
    writeText(QStringLiteral("6.note"), QStringLiteral("Café1a"), QStringLiteral("Привет, мир 😀"), 9);
    writeText(QStringLiteral("7.note"), QStringLiteral("say \"hi\""), QStringLiteral("Äbc"), 10);

    delete proxy;
    delete model;
    model = new NotesModel(this);
    proxy = new NotesProxyModel(this);
    proxy->setSourceModel(model);
}

QStringList TestNotesProxyModel::shown() const
{
    QStringList files;
    for (int row = 0; row < proxy->rowCount(); ++row)
        files << proxy->index(row, 0).data(NotesModel::FileNameRole).toString();
    return files;
}

void TestNotesProxyModel::useFakeGrep(const QByteArray &script)
{
    const QString bin = sandbox.path() + QStringLiteral("/fakebin");
    QDir().mkpath(bin);
    const QString grep = bin + QStringLiteral("/grep");
    CollectionSandbox::writeBytes(grep, "#!/bin/sh\n" + script);
    QFile::setPermissions(grep, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("PATH", QFile::encodeName(bin) + ':' + originalPath);
}

void TestNotesProxyModel::commandQuotesDirectoryAndFilter()
{
    QCOMPARE(NotesProxyModel::searchCommand(QStringLiteral("/tmp/it's here"), QStringLiteral("don't")),
             QStringLiteral("cd '/tmp/it'\\''s here' && grep --files-with-matches --no-messages --devices=skip "
                            "--line-regexp '\\(title=\\|\\([0-9]\\+\\\\\\)\\?text=\\).*"
                            "\\(d\\|\\\\x64\\)on'\\''t.*' *.note"));
}

void TestNotesProxyModel::emptyFilterShowsAllNewestFirst()
{
    QAbstractItemModelTester tester(proxy);
    QCOMPARE(shown(),
             (QStringList { "7.note", "6.note", "5.note", "4.note", "3.note", "2.note", "a1.note", "21.note", "11.note",
                            "1.note" }));
    proxy->setFilter(QStringLiteral("Shopping"));
    proxy->setFilter(QString());
    QCOMPARE(proxy->rowCount(), 10);
    QCOMPARE(proxy->sortColumn(), 0);
    QCOMPARE(proxy->sortOrder(), Qt::DescendingOrder);
}

void TestNotesProxyModel::search_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("files");
    const QStringList none;
    QTest::newRow("title") << "Shopping" << QStringList { "1.note" };
    QTest::newRow("text") << "milk" << QStringList { "1.note" };
    QTest::newRow("list item") << "fix bike" << QStringList { "2.note" };
    QTest::newRow("case-sensitive") << "shopping" << none;
    QTest::newRow("regular expression") << "Sh.pp*ing" << QStringList { "1.note" };
    QTest::newRow("several notes") << "th" << QStringList { "21.note", "11.note" };
    QTest::newRow("colour value") << "123456" << none;
    QTest::newRow("default colour") << "ffffcc" << none;
    QTest::newRow("no note") << "nowhere at all" << none;
    QTest::newRow("single quote") << "it's" << QStringList { "4.note" };
    QTest::newRow("command substitution") << "$(touch pwned)" << QStringList { "4.note" };
    QTest::newRow("backticks") << "`touch pwned`" << QStringList { "4.note" };
    QTest::newRow("and, pipe, semicolon") << "&& | ; done" << QStringList { "4.note" };
    QTest::newRow("line break") << "first line\nsecond line" << QStringList { "5.note" };
    QTest::newRow("line break, other key") << "x\nbackground-color=" << none;
    QTest::newRow("line break, wrong line") << "first line\nthird" << none;
    QTest::newRow("accented letter") << "Café" << QStringList { "6.note" };
    QTest::newRow("accent before hex digits") << "é1a" << QStringList { "6.note" };
    QTest::newRow("cyrillic") << "Привет, мир" << QStringList { "6.note" };
    QTest::newRow("emoji") << "😀" << QStringList { "6.note" };
    QTest::newRow("accent absent") << "Cafe" << none;
    // Stored as \" and \\; "\\\\" in the expression stands for one backslash.
    QTest::newRow("double quote") << "\"hi\"" << QStringList { "7.note" };
    QTest::newRow("backslash") << "a\\\\b" << QStringList { "4.note" };
    QTest::newRow("backslash, lone at the end") << "a\\" << QStringList { "4.note" };
    // Stored as \xc4\x62\x63 and Caf\xe9\x31\x61.
    QTest::newRow("hex letters after a letter outside ASCII") << "bc" << QStringList { "7.note" };
    QTest::newRow("hex digits after a letter outside ASCII") << "1a" << QStringList { "6.note" };
    QTest::newRow("hex letters after an operator") << "Äb*c" << QStringList { "7.note" };
}

void TestNotesProxyModel::search()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, files);
    QAbstractItemModelTester tester(proxy);
    proxy->setFilter(filter);
    QCOMPARE(shown(), files);
    if (files.isEmpty())
        QCOMPARE(proxy->filterRegularExpression().pattern(), QStringLiteral("___not___found___"));
}

void TestNotesProxyModel::hostileFilterRunsNoCommand_data()
{
    QTest::addColumn<QString>("filter");
    QTest::newRow("quote, semicolon") << "'; touch pwned; '";
    QTest::newRow("quote, and") << "' && touch pwned && echo '";
    QTest::newRow("dollar") << "$(touch pwned)";
    QTest::newRow("backticks") << "`touch pwned`";
    QTest::newRow("pipe") << "| touch pwned";
    QTest::newRow("line break") << "x'\ntouch pwned\n'";
    QTest::newRow("backslash quote") << "\\'; touch pwned; echo \\'";
    QTest::newRow("lone backslash") << "\\";
    QTest::newRow("escaped quote") << "'\\''; touch pwned #";
    QTest::newRow("control characters") << QString::fromLatin1("\x01\t\r touch pwned", 16);
}

void TestNotesProxyModel::hostileFilterRunsNoCommand()
{
    QFETCH(QString, filter);
    proxy->setFilter(filter);
    QVERIFY(!QFile::exists(sandbox.notePath(QStringLiteral("pwned"))));
    QVERIFY(!QFile::exists(QStringLiteral("pwned")));
    QVERIFY(!QFile::exists(sandbox.path() + QStringLiteral("/pwned")));
}

void TestNotesProxyModel::noNoteFilesFindsNothing()
{
    sandbox.reset();
    proxy->setFilter(QStringLiteral("Shopping"));
    QCOMPARE(proxy->rowCount(), 0);
    QCOMPARE(proxy->filterRegularExpression().pattern(), QStringLiteral("___not___found___"));
}

void TestNotesProxyModel::savedNoteKeepsFilterAndMovesUp()
{
    QAbstractItemModelTester tester(proxy);
    auto noteOf = [this](const char *file) {
        return model->getNoteData(QLatin1String(file)).value<AbstractNote *>();
    };

    proxy->setFilter(QStringLiteral("th"));
    QCOMPARE(shown(), (QStringList { "21.note", "11.note" }));
    AbstractNote *other = noteOf("11.note");
    other->load();
    other->setTitle(QStringLiteral("no longer a hit"));
    other->save();
    // The search is not run again: the note still passes, and now leads.
    QCOMPARE(shown(), (QStringList { "11.note", "21.note" }));
    AbstractNote *shopping = noteOf("1.note");
    shopping->load();
    shopping->save();
    QCOMPARE(shown(), (QStringList { "11.note", "21.note" }));

    proxy->setFilter(QString());
    QCOMPARE(shown().first(), QStringLiteral("1.note"));
    QCOMPARE(shown().at(1), QStringLiteral("11.note"));
}

void TestNotesProxyModel::slowSearchUsesWhatItFound()
{
    useFakeGrep("echo 1.note\necho a1.note\nexec sleep 30\n");
    proxy->setFilter(QStringLiteral("anything"));
    QCOMPARE(shown(), (QStringList { "a1.note", "1.note" }));
}

void TestNotesProxyModel::failedSearchFindsNothing()
{
    useFakeGrep("echo 1.note\nexit 3\n");
    proxy->setFilter(QStringLiteral("Shopping"));
    QCOMPARE(proxy->rowCount(), 0);
    QCOMPARE(proxy->filterRegularExpression().pattern(), QStringLiteral("___not___found___"));
}

void TestNotesProxyModel::specialAndUnreadableFilesHideNoHit()
{
    // grep reads the names in order: a FIFO first would block it until the
    // time-out, before it has found anything. A directory and a dangling
    // link cannot be read and make grep end with 2.
    QCOMPARE(::mkfifo(QFile::encodeName(sandbox.notePath(QStringLiteral("0.note"))).constData(), 0600), 0);
    QVERIFY(QDir().mkdir(sandbox.notePath(QStringLiteral("00.note"))));
    QVERIFY(QFile::link(sandbox.notePath(QStringLiteral("gone")), sandbox.notePath(QStringLiteral("000.note"))));
    proxy->setFilter(QStringLiteral("Shopping"));
    QCOMPARE(shown(), QStringList { QStringLiteral("1.note") });
    QVERIFY(QDir().rmdir(sandbox.notePath(QStringLiteral("00.note"))));
}

void TestNotesProxyModel::filterSetElsewhereReplacesSearch()
{
    proxy->setFilter(QStringLiteral("th"));
    QCOMPARE(shown(), (QStringList { "21.note", "11.note" }));
    proxy->setFilterRegularExpression(QStringLiteral("^a?1\\.note$"));
    QCOMPARE(shown(), (QStringList { "a1.note", "1.note" }));
    proxy->setFilter(QStringLiteral("th"));
    proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
    QCOMPARE(shown(), (QStringList { "21.note", "11.note" }));
}

namespace {

void dropFromCache(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    ::fdatasync(fd);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

bool isCached(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    uchar *map = file.map(0, file.size());
    unsigned char page = 0;
    const bool cached = map && ::mincore(map, 1, &page) == 0 && (page & 1);
    file.unmap(map);
    return cached;
}

} // namespace

void TestNotesProxyModel::cardsHaveTheFilesAroundThemReadAhead()
{
    for (int i = 0; i < 140; ++i)
        writeText(QStringLiteral("b%1.note").arg(i), QStringLiteral("old"), QString(), -i);
    // The newest note is a FIFO: handed on as a file to read, it must not
    // hold up the ones after it.
    QVERIFY(QFile::remove(sandbox.notePath(QStringLiteral("7.note"))));
    QCOMPARE(::mkfifo(QFile::encodeName(sandbox.notePath(QStringLiteral("7.note"))).constData(), 0600), 0);
    delete proxy;
    delete model;
    model = new NotesModel(this);
    proxy = new NotesProxyModel(this);
    proxy->setSourceModel(model);
    QCOMPARE(proxy->rowCount(), 150);
    const auto fileOfRow = [this](int row) {
        return sandbox.notePath(proxy->index(row, 0).data(NotesModel::FileNameRole).toString());
    };
    for (int row = 1; row < 150; ++row)
        dropFromCache(fileOfRow(row));
    if (isCached(fileOfRow(60)))
        QSKIP("this file system keeps its files in memory: nothing to read ahead");

    proxy->index(0, 0).data(NotesModel::NoteRole);
    QTRY_VERIFY(isCached(fileOfRow(60)));
    QVERIFY(!isCached(fileOfRow(100)));
    // Coming near the end of what was read ahead, the next ones follow.
    proxy->index(40, 0).data(NotesModel::NoteRole);
    QTRY_VERIFY(isCached(fileOfRow(100)));
}

QTEST_GUILESS_MAIN(TestNotesProxyModel)
#include "tst_notesproxymodel.moc"
