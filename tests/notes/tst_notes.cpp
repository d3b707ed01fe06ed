#include "notessandbox.h"

#include "abstractnote.h"
#include "canvasnote.h"
#include "listnote.h"
#include "notefactory.h"
#include "notesdirectory.h"
#include "textnote.h"

#include <QFileInfo>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

template<typename T> std::unique_ptr<T> noteNamed(const QString &file)
{
    auto note = std::make_unique<T>();
    note->setFile(file);
    return note;
}

QByteArray noteBytes(const NotesSandbox &sandbox, const QString &file)
{
    return NotesSandbox::readBytes(sandbox.notesDir() + QLatin1Char('/') + file);
}

} // namespace

class TestNotes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_sandbox.isSafe()); }
    void init() { m_sandbox.reset(); }

    void notesDirectoryFollowsDataLocation();
    void notesDirectoryMapsLauncher();
    void plainFileNames_data();
    void plainFileNames();

    void createNote_data();
    void createNote();

    void textRoundTrip_data();
    void textRoundTrip();
    void baseKeysRoundTrip();
    void listRoundTrip();
    void listShrinkKeepsStaleEntriesButLoadsOnlyLength();
    void listUnevenSavesShorter();
    void emptyListWritesZeroLength();
    void missingDatesReadAsNow();
    void missingFileAdoptsNameOnly();
    void transparentBackgroundStoredOpaque();

    void lightColour_data();
    void lightColour();
    void equalBackgroundKeepsLightColour();
    void defaultBackgroundFromFileKeepsInitialLightColour();
    void settersIgnoreEqualValues_data();
    void settersIgnoreEqualValues();

    void textSignals();
    void loadSignalOrder();
    void listLoadSignalOrder();
    void addSignalOrder_data();
    void addSignalOrder();
    void savedCarriesFileAndDate();

    void listPreview_data();
    void listPreview();
    void listPreviewFollowsBackground();
    void listEqualWritesAreSilent();

    void saveWithoutPlainNameWritesNothing_data();
    void saveWithoutPlainNameWritesNothing();
    void saveCreatesNotesDirectory();
    void fileCompleteWhenSavedIsEmitted();
    void saveReplacesFileAtomically();

private:
    NotesSandbox m_sandbox;
};

void TestNotes::notesDirectoryFollowsDataLocation()
{
    QCOMPARE(notesDirectory(), m_sandbox.notesDir());
    QVERIFY(!notesDirectory().endsWith(QLatin1Char('/')));
}

void TestNotes::notesDirectoryMapsLauncher()
{
    const QByteArray oldHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_sandbox.path() + QStringLiteral("/zib-launcher/x")));
    QCoreApplication::setApplicationName(QStringLiteral("zib-launcher"));
    const QString dir = notesDirectory();
    QCoreApplication::setApplicationName(QStringLiteral("zib-notes"));
    qputenv("XDG_DATA_HOME", oldHome);
    QCOMPARE(dir, m_sandbox.path() + QStringLiteral("/zib-notes/x/zib-notes"));
}

void TestNotes::plainFileNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("plain");
    QTest::newRow("hex") << "1a.note" << true;
    QTest::newRow("odd counter") << "zz_q-1.note" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("dot") << "." << false;
    QTest::newRow("dotdot") << ".." << false;
    QTest::newRow("parent") << "../1.note" << false;
    QTest::newRow("subdir") << "a/1.note" << false;
    QTest::newRow("option") << "-rf.note" << false;
    QTest::newRow("space") << "1 .note" << false;
    QTest::newRow("shell") << "1.note;reboot" << false;
    QTest::newRow("newline") << "1.note\n* * * * * x" << false;
    QTest::newRow("letter beyond ASCII") << QString::fromUtf8("\xc3\xa4" "1.note") << false;
}

void TestNotes::plainFileNames()
{
    QFETCH(QString, name);
    QFETCH(bool, plain);
    QCOMPARE(isPlainNoteFileName(name), plain);
}

void TestNotes::createNote_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("className");
    QTest::newRow("text") << int(AbstractNote::TextType) << "TextNote";
    QTest::newRow("list") << int(AbstractNote::ListType) << "ListNote";
    QTest::newRow("canvas") << int(AbstractNote::CanvasType) << "CanvasNote";
    QTest::newRow("unknown") << 3 << "";
    QTest::newRow("negative") << -1 << "";
}

void TestNotes::createNote()
{
    QFETCH(int, type);
    QFETCH(QString, className);
    NoteFactory factory;
    for (AbstractNote *created :
         { AbstractNote::createNote(AbstractNote::NoteType(type)), factory.createNote(AbstractNote::NoteType(type)) }) {
        std::unique_ptr<AbstractNote> note(created);
        if (className.isEmpty()) {
            QVERIFY(!note);
            continue;
        }
        QVERIFY(note);
        QCOMPARE(QString::fromLatin1(note->metaObject()->className()), className);
        QCOMPARE(int(note->type()), type);
        QCOMPARE(note->parent(), nullptr);
        QVERIFY(!note->loaded());
        QVERIFY(note->file().isEmpty());
        QCOMPARE(note->bgColor(), QColor(QStringLiteral("#FFFFCC")));
        QCOMPARE(note->fgColor(), QColor(QStringLiteral("#444444")));
        QCOMPARE(note->lightColor(), QColor(QStringLiteral("#AAAA99")));
        QCOMPARE(note->notifyType(), AbstractNote::RepeatNever);
        QVERIFY(!note->creationDate().isValid());
        QVERIFY(!note->modifyDate().isValid());
    }
}

void TestNotes::textRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("lines") << "first\nsecond\n\nfourth\n";
    QTest::newRow("crlf") << "a\r\nb";
    QTest::newRow("ini syntax") << "[General]\nkey=value ; not a comment # either";
    QTest::newRow("commas") << "a, b, c";
    QTest::newRow("quotes and escapes") << "'\"\\n\\\\ \\x41 @Variant(\\0)";
    QTest::newRow("spaces") << "  leading and trailing  ";
    QTest::newRow("unicode") << QStringLiteral("\u00e9t\u00e9 \u2022 \U0001F600 \u4e2d");
}

void TestNotes::textRoundTrip()
{
    QFETCH(QString, text);
    auto note = noteNamed<TextNote>(QStringLiteral("1.note"));
    note->setText(text);
    note->setTitle(text);
    note->save();

    auto loaded = noteNamed<TextNote>(QStringLiteral("1.note"));
    loaded->setText(QStringLiteral("old"));
    loaded->load();
    QVERIFY(loaded->loaded());
    QCOMPARE(loaded->text(), text);
    QCOMPARE(loaded->title(), text);
    QCOMPARE(loaded->previewText(), text);
}

void TestNotes::baseKeysRoundTrip()
{
    const QDateTime created(QDate(2020, 2, 29), QTime(23, 59, 58, 123));
    const QDateTime remind = QDateTime::currentDateTime().addDays(30);
    auto note = noteNamed<TextNote>(QStringLiteral("2.note"));
    note->setTitle(QStringLiteral("Shopping"));
    note->setBgColor(QColor(10, 20, 30));
    note->setFgColor(QColor(200, 100, 50));
    note->setCreationDate(created);
    note->setNotifyType(AbstractNote::RepeatEveryMonth);
    note->setNotifyDate(remind);
    note->save();

    QSettings raw(m_sandbox.notesDir() + QStringLiteral("/2.note"), QSettings::IniFormat);
    QCOMPARE(raw.value(QStringLiteral("background-color")).toString(), QStringLiteral("#0a141e"));
    QCOMPARE(raw.value(QStringLiteral("foreground-color")).toString(), QStringLiteral("#c86432"));
    QCOMPARE(raw.value(QStringLiteral("notify-type")).toString(), QStringLiteral("4"));
    QVERIFY(!raw.contains(QStringLiteral("modification-date")));

    auto loaded = noteNamed<TextNote>(QStringLiteral("2.note"));
    loaded->load();
    QCOMPARE(loaded->title(), QStringLiteral("Shopping"));
    QCOMPARE(loaded->bgColor(), QColor(10, 20, 30));
    QCOMPARE(loaded->fgColor(), QColor(200, 100, 50));
    QCOMPARE(loaded->creationDate(), created);
    QCOMPARE(loaded->notifyType(), AbstractNote::RepeatEveryMonth);
    QCOMPARE(loaded->notifyDate(), remind);
    QVERIFY(!loaded->modifyDate().isValid());
}

void TestNotes::listRoundTrip()
{
    auto note = noteNamed<ListNote>(QStringLiteral("3.note"));
    const QList<bool> checked { true, false, true };
    const QList<QString> texts { QStringLiteral("milk"), QStringLiteral("two\nlines"), QStringLiteral("a, \"b\"") };
    note->setChecked(checked);
    note->setTexts(texts);
    note->save();

    auto loaded = noteNamed<ListNote>(QStringLiteral("3.note"));
    loaded->load();
    QCOMPARE(loaded->checked(), checked);
    QCOMPARE(loaded->texts(), texts);
}

void TestNotes::listShrinkKeepsStaleEntriesButLoadsOnlyLength()
{
    auto note = noteNamed<ListNote>(QStringLiteral("4.note"));
    note->setChecked({ false, false, false, false, true });
    note->setTexts({ "1", "2", "3", "4", "5" });
    note->save();
    note->setChecked({ true, true, true });
    note->setTexts({ "a", "b", "c" });
    note->save();

    QSettings raw(note->fullPath(), QSettings::IniFormat);
    QCOMPARE(raw.value(QStringLiteral("data/size")).toInt(), 3);
    QCOMPARE(raw.value(QStringLiteral("data/5/text")).toString(), QStringLiteral("5"));

    auto loaded = noteNamed<ListNote>(QStringLiteral("4.note"));
    loaded->load();
    QCOMPARE(loaded->texts(), QList<QString>({ "a", "b", "c" }));
    QCOMPARE(loaded->checked(), QList<bool>({ true, true, true }));
}

void TestNotes::listUnevenSavesShorter()
{
    auto note = noteNamed<ListNote>(QStringLiteral("5.note"));
    note->setChecked({ true, false });
    note->setTexts({ "a", "b", "c" });
    QCOMPARE(note->previewText(), QStringLiteral("<font color='#aaaa99'>\u2022 a</font> \u2022 b "));
    note->save();
    auto loaded = noteNamed<ListNote>(QStringLiteral("5.note"));
    loaded->load();
    QCOMPARE(loaded->texts(), QList<QString>({ "a", "b" }));
    QCOMPARE(loaded->checked(), QList<bool>({ true, false }));
}

void TestNotes::emptyListWritesZeroLength()
{
    auto note = noteNamed<ListNote>(QStringLiteral("6.note"));
    note->save();
    QSettings raw(note->fullPath(), QSettings::IniFormat);
    QVERIFY(raw.childGroups().contains(QStringLiteral("data")));
    QCOMPARE(raw.value(QStringLiteral("data/size")).toString(), QStringLiteral("0"));

    // A file without any "data" gives two empty lists.
    NotesSandbox::writeBytes(note->fullPath(), "[General]\ntitle=x\n");
    auto loaded = noteNamed<ListNote>(QStringLiteral("6.note"));
    loaded->setTexts({ "stale" });
    loaded->setChecked({ true });
    loaded->load();
    QVERIFY(loaded->texts().isEmpty());
    QVERIFY(loaded->checked().isEmpty());
    QVERIFY(loaded->previewText().isEmpty());
}

void TestNotes::missingDatesReadAsNow()
{
    NotesSandbox::writeBytes(m_sandbox.notesDir() + QStringLiteral("/7.note"), "[General]\ntitle=t\n");
    auto note = noteNamed<TextNote>(QStringLiteral("7.note"));
    const QDateTime before = QDateTime::currentDateTime();
    note->load();
    const QDateTime after = QDateTime::currentDateTime();
    QVERIFY(note->creationDate() >= before && note->creationDate() <= after);
    QVERIFY(note->notifyDate() >= before && note->notifyDate() <= after);
    QCOMPARE(note->title(), QStringLiteral("t"));
    QCOMPARE(note->bgColor(), QColor(QStringLiteral("#ffffcc")));
}

void TestNotes::missingFileAdoptsNameOnly()
{
    TextNote note;
    note.setTitle(QStringLiteral("keep"));
    SignalRecorder recorder(&note);
    note.load(QStringLiteral("ab.note"));
    QCOMPARE(recorder.names, QStringList { "fileChanged" });
    QCOMPARE(note.file(), QStringLiteral("ab.note"));
    QVERIFY(!note.loaded());
    QCOMPARE(note.title(), QStringLiteral("keep"));
    QVERIFY(!QFile::exists(note.fullPath()));
}

void TestNotes::transparentBackgroundStoredOpaque()
{
    auto note = noteNamed<TextNote>(QStringLiteral("8.note"));
    note->setBgColor(QColor(1, 2, 3, 40));
    note->save();
    QSettings raw(note->fullPath(), QSettings::IniFormat);
    QCOMPARE(raw.value(QStringLiteral("background-color")).toString(), QStringLiteral("#010203"));
    auto loaded = noteNamed<TextNote>(QStringLiteral("8.note"));
    loaded->load();
    QCOMPARE(loaded->bgColor(), QColor(1, 2, 3));
    QCOMPARE(loaded->bgColor().alpha(), 255);
}

void TestNotes::lightColour_data()
{
    QTest::addColumn<QColor>("background");
    QTest::addColumn<int>("lightness");
    QTest::addColumn<QString>("name");
    QTest::newRow("black") << QColor(Qt::black) << 70 << "#464646";
    QTest::newRow("white") << QColor(Qt::white) << 185 << "#b9b9b9";
    QTest::newRow("grey 128") << QColor(128, 128, 128) << 58 << "#3a3a3a";
    QTest::newRow("grey 127") << QColor(127, 127, 127) << 197 << "#c5c5c5";
    QTest::newRow("default yellow") << QColor(QStringLiteral("#ffffcc")) << 160 << QString();
    QTest::newRow("dark blue") << QColor(0, 0, 100) << 120 << QString();
    QTest::newRow("half transparent red") << QColor(255, 0, 0, 100) << 58 << QString();
}

void TestNotes::lightColour()
{
    QFETCH(QColor, background);
    QFETCH(int, lightness);
    QFETCH(QString, name);
    TextNote note;
    note.setBgColor(QColor(1, 1, 1));
    QSignalSpy spy(&note, &AbstractNote::bgColorChanged);
    note.setBgColor(background);
    QCOMPARE(spy.count(), 1);
    const QColor light = note.lightColor();
    QCOMPARE(light.lightness(), lightness);
    QCOMPARE(light.alpha(), 255);
    QCOMPARE(light.hue(), background.hue());
    QColor expected;
    expected.setHsl(background.hue(), background.saturation(), lightness, 255);
    QCOMPARE(light, expected);
    if (!name.isEmpty())
        QCOMPARE(light.name(), name);
}

void TestNotes::equalBackgroundKeepsLightColour()
{
    TextNote note;
    QSignalSpy spy(&note, &AbstractNote::bgColorChanged);
    note.setBgColor(QColor(QStringLiteral("#ffffcc")));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(note.lightColor(), QColor(QStringLiteral("#AAAA99")));
}

void TestNotes::defaultBackgroundFromFileKeepsInitialLightColour()
{
    auto writer = noteNamed<TextNote>(QStringLiteral("9.note"));
    writer->save();
    auto note = noteNamed<TextNote>(QStringLiteral("9.note"));
    note->load();
    QCOMPARE(note->lightColor(), QColor(QStringLiteral("#AAAA99")));
}

void TestNotes::settersIgnoreEqualValues_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("title") << QByteArray("title") << QVariant(QStringLiteral("t"));
    QTest::newRow("fgColor") << QByteArray("fgColor") << QVariant(QColor(Qt::red));
    QTest::newRow("bgColor") << QByteArray("bgColor") << QVariant(QColor(Qt::blue));
    QTest::newRow("modifyDate") << QByteArray("modifyDate") << QVariant(QDateTime(QDate(2021, 1, 1), QTime(1, 2)));
    QTest::newRow("notifyType") << QByteArray("notifyType") << QVariant(int(AbstractNote::RepeatEveryDay));
    QTest::newRow("notifyDate") << QByteArray("notifyDate") << QVariant(QDateTime(QDate(2022, 1, 1), QTime(1, 2)));
    QTest::newRow("text") << QByteArray("text") << QVariant(QStringLiteral("x"));
}

void TestNotes::settersIgnoreEqualValues()
{
    QFETCH(QByteArray, property);
    QFETCH(QVariant, value);
    TextNote note;
    SignalRecorder recorder(&note);
    QVERIFY(note.setProperty(property.constData(), value));
    const int afterFirst = recorder.names.size();
    QVERIFY(afterFirst >= 1);
    QVERIFY(note.setProperty(property.constData(), value));
    QCOMPARE(recorder.names.size(), afterFirst);
}

void TestNotes::textSignals()
{
    TextNote note;
    SignalRecorder recorder(&note);
    note.setText(QStringLiteral("a\nb"));
    note.setText(QStringLiteral("a\nb"));
    QCOMPARE(recorder.names, QStringList({ "textChanged", "previewTextChanged" }));
    QCOMPARE(note.previewText(), QStringLiteral("a\nb"));

    // A file without "text" empties the note.
    NotesSandbox::writeBytes(m_sandbox.notesDir() + QStringLiteral("/a.note"), "[General]\ntitle=\n");
    recorder.names.clear();
    note.load(QStringLiteral("a.note"));
    QVERIFY(note.text().isEmpty());
    QCOMPARE(recorder.names.mid(recorder.names.size() - 3),
             QStringList({ "textChanged", "previewTextChanged", "loadedChanged" }));
}

void TestNotes::loadSignalOrder()
{
    auto writer = noteNamed<TextNote>(QStringLiteral("b.note"));
    writer->setTitle(QStringLiteral("T"));
    writer->setBgColor(Qt::red);
    writer->setFgColor(Qt::green);
    writer->setNotifyType(AbstractNote::RepeatEveryDay);
    writer->setNotifyDate(QDateTime(QDate(2030, 5, 6), QTime(7, 8)));
    writer->setText(QStringLiteral("body"));
    writer->save();

    TextNote note;
    SignalRecorder recorder(&note);
    note.load(QStringLiteral("b.note"));
    QCOMPARE(recorder.names,
             QStringList({ "fileChanged", "titleChanged", "bgColorChanged", "fgColorChanged", "notifyTypeChanged",
                           "notifyDateChanged", "textChanged", "previewTextChanged", "loadedChanged" }));

    // Loading again changes nothing and does not announce loading twice.
    recorder.names.clear();
    note.load();
    QCOMPARE(recorder.names, QStringList());
}

void TestNotes::listLoadSignalOrder()
{
    auto writer = noteNamed<ListNote>(QStringLiteral("c.note"));
    writer->save();
    ListNote note;
    note.setFile(QStringLiteral("c.note"));
    SignalRecorder recorder(&note);
    note.load();
    // Both lists are announced even though they did not change. The note's
    // own relay to previewTextChanged was connected first, so the recorder
    // hears it before the list signal that caused it.
    QCOMPARE(recorder.names.mid(recorder.names.size() - 6),
             QStringList({ "previewTextChanged", "checkedChanged", "previewTextChanged", "textsChanged",
                           "previewTextChanged", "loadedChanged" }));
}

void TestNotes::addSignalOrder_data()
{
    QTest::addColumn<int>("notifyType");
    QTest::addColumn<int>("secondsFromNow");
    QTest::addColumn<QStringList>("expected");
    const QStringList plain { "fileChanged", "loadedChanged", "modifyDateChanged", "saved" };
    QTest::newRow("no reminder") << 0 << 0 << plain;
    QTest::newRow("future once") << 1 << 3600 << plain;
    QTest::newRow("passed once") << 1 << -60
                                 << QStringList { "fileChanged", "loadedChanged", "notifyTypeChanged",
                                                  "modifyDateChanged", "saved" };
}

void TestNotes::addSignalOrder()
{
    QFETCH(int, notifyType);
    QFETCH(int, secondsFromNow);
    QFETCH(QStringList, expected);
    TextNote note;
    note.setNotifyType(AbstractNote::NotifyType(notifyType));
    note.setNotifyDate(QDateTime::currentDateTime().addSecs(secondsFromNow));
    SignalRecorder recorder(&note);
    // The steps with which the collection adds a new note.
    note.setFile(QStringLiteral("d.note"));
    note.setCreationDate(QDateTime::currentDateTime());
    note.setLoaded(true);
    note.save();
    QCOMPARE(recorder.names, expected);
}

void TestNotes::savedCarriesFileAndDate()
{
    auto note = noteNamed<TextNote>(QStringLiteral("e.note"));
    QSignalSpy spy(note.get(), &AbstractNote::saved);
    const QDateTime before = QDateTime::currentDateTime();
    note->save();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("e.note"));
    const QDateTime date = spy.at(0).at(1).toDateTime();
    QCOMPARE(date, note->modifyDate());
    QVERIFY(date >= before && date <= QDateTime::currentDateTime());
}

void TestNotes::listPreview_data()
{
    QTest::addColumn<QList<bool>>("checked");
    QTest::addColumn<QList<QString>>("texts");
    QTest::addColumn<QString>("preview");
    QTest::newRow("empty") << QList<bool>() << QList<QString>() << QString();
    QTest::newRow("milk and bread") << QList<bool> { true, false } << QList<QString> { "milk", "bread" }
                                    << QStringLiteral("<font color='#aaaa99'>\u2022 milk</font> \u2022 bread ");
    QTest::newRow("line breaks") << QList<bool> { false } << QList<QString> { "a\nb\n" }
                                 << QStringLiteral("\u2022 a b  ");
    QTest::newRow("markup unescaped") << QList<bool> { false } << QList<QString> { "<b>x</b> & y" }
                                      << QStringLiteral("\u2022 <b>x</b> & y ");
    QTest::newRow("more texts than flags")
        << QList<bool> { false, false } << QList<QString> { "a", "b", "c" } << QStringLiteral("\u2022 a \u2022 b ");
    QTest::newRow("more flags than texts") << QList<bool> { true, true } << QList<QString> { "a" }
                                           << QStringLiteral("<font color='#aaaa99'>\u2022 a</font> ");
}

void TestNotes::listPreview()
{
    QFETCH(QList<bool>, checked);
    QFETCH(QList<QString>, texts);
    QFETCH(QString, preview);
    ListNote note;
    note.setChecked(checked);
    note.setTexts(texts);
    QCOMPARE(note.previewText(), preview);
}

void TestNotes::listPreviewFollowsBackground()
{
    ListNote note;
    note.setChecked({ true });
    note.setTexts({ "x" });
    QSignalSpy spy(&note, &AbstractNote::previewTextChanged);
    note.setBgColor(Qt::black);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(note.previewText(), QStringLiteral("<font color='#464646'>\u2022 x</font> "));
}

void TestNotes::listEqualWritesAreSilent()
{
    ListNote note;
    note.setChecked({ true, false });
    note.setTexts({ "a", "b" });
    SignalRecorder recorder(&note);
    note.setChecked({ true, false });
    note.setTexts({ "a", "b" });
    QCOMPARE(recorder.names, QStringList());
    note.setChecked({ true, true });
    QCOMPARE(recorder.names, QStringList({ "previewTextChanged", "checkedChanged" }));
}

void TestNotes::saveWithoutPlainNameWritesNothing_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("no name") << QString();
    QTest::newRow("parent directory") << "../escaped.note";
    QTest::newRow("dot dot") << "..";
    QTest::newRow("crontab injection") << "1.note\n* * * * * rm -rf ~";
}

void TestNotes::saveWithoutPlainNameWritesNothing()
{
    QFETCH(QString, file);
    m_sandbox.setCrontab("0 1 * * * user job\n");
    TextNote note;
    note.setFile(file);
    note.setNotifyType(AbstractNote::RepeatEveryDay);
    QSignalSpy spy(&note, &AbstractNote::saved);
    note.save();
    QCOMPARE(spy.count(), 0);
    QCOMPARE(QDir(m_sandbox.notesDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    QCOMPARE(QDir(m_sandbox.path() + QStringLiteral("/data")).entryList(QDir::Files), QStringList());
    QCOMPARE(m_sandbox.crontabCalls(), QString());
    QCOMPARE(m_sandbox.crontab(), QByteArray("0 1 * * * user job\n"));
}

void TestNotes::saveCreatesNotesDirectory()
{
    QVERIFY(QDir(m_sandbox.notesDir()).removeRecursively());
    auto note = noteNamed<TextNote>(QStringLiteral("f.note"));
    note->save();
    QVERIFY(QFileInfo(m_sandbox.notesDir() + QStringLiteral("/f.note")).isFile());
}

void TestNotes::fileCompleteWhenSavedIsEmitted()
{
    auto note = noteNamed<ListNote>(QStringLiteral("10.note"));
    note->setTitle(QStringLiteral("complete"));
    note->setChecked({ true });
    note->setTexts({ "entry" });
    QString seenTitle;
    QString seenEntry;
    connect(note.get(), &AbstractNote::saved, this, [&](const QString &file) {
        // What another process would see on hearing of the save.
        auto other = noteNamed<ListNote>(file);
        other->load();
        seenTitle = other->title();
        seenEntry = other->texts().value(0);
    });
    note->save();
    QCOMPARE(seenTitle, QStringLiteral("complete"));
    QCOMPARE(seenEntry, QStringLiteral("entry"));
}

void TestNotes::saveReplacesFileAtomically()
{
    // Each save puts a new file in place rather than rewriting the old one,
    // so a reader never sees a half-written note.
    auto note = noteNamed<TextNote>(QStringLiteral("11.note"));
    note->save();
    struct stat first;
    QCOMPARE(::stat(QFile::encodeName(note->fullPath()).constData(), &first), 0);
    // A second link keeps the old inode number from being reused.
    const QString keep = m_sandbox.path() + QStringLiteral("/old-11.note");
    QCOMPARE(::link(QFile::encodeName(note->fullPath()).constData(), QFile::encodeName(keep).constData()), 0);
    note->setText(QStringLiteral("changed"));
    note->save();
    struct stat second;
    QCOMPARE(::stat(QFile::encodeName(note->fullPath()).constData(), &second), 0);
    QVERIFY(first.st_ino != second.st_ino);
    QVERIFY(!NotesSandbox::readBytes(keep).contains("changed"));
    QVERIFY(noteBytes(m_sandbox, QStringLiteral("11.note")).contains("changed"));
    QFile::remove(keep);
}

QTEST_GUILESS_MAIN(TestNotes)
#include "tst_notes.moc"
