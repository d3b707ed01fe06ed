#include "collectionsandbox.h"
#include "notesmodel.h"
#include "reminderhistory.h"
#include "textnote.h"

#include <QDeadlineTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// The model keeps every loaded note with a reminder in the crontab, checked
// in one batch after the loads have settled.
class TestCronBookkeeping : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void burstOfLoadsIsCheckedOnce();
    void noteQueuedTwiceGetsOneLine();
    void presentLineIsNotDoubled();
    void userJobsSurvive();
    void switchedOffReminderAddsNoLine();
    void failedReadWritesNothing();
    void removedWhileQueuedGetsNoLine();
    void addAndRemoveWithReminder();
    void addAndRemoveWithoutReminder();
    void removingUnloadedNoteDropsItsLine();
    void missedReminderIsFoundOffTheMainThreadOnce();

private:
    void writeReminderNote(const QString &file);
    AbstractNote *loadedNote(NotesModel &model, const QString &file);
    bool waitForCalls(const QString &calls);

    CollectionSandbox sandbox;
};

void TestCronBookkeeping::initTestCase()
{
    QVERIFY(sandbox.isSafe());
}

void TestCronBookkeeping::init()
{
    sandbox.reset();
}

void TestCronBookkeeping::writeReminderNote(const QString &file)
{
    sandbox.writeNote(file, AbstractNote::TextType, QDateTime::currentDateTime(), [](AbstractNote *note) {
        note->setTitle(QStringLiteral("remind me"));
        note->setNotifyType(AbstractNote::RepeatEveryDay);
        note->setNotifyDate(QDateTime::currentDateTime().addDays(1));
    });
}

AbstractNote *TestCronBookkeeping::loadedNote(NotesModel &model, const QString &file)
{
    auto *note = model.getNoteData(file).value<AbstractNote *>();
    if (note)
        note->load();
    return note;
}

namespace {
// The fake crontab logs a call as it starts; a check running on its own
// thread has written its table only once its child is gone.
bool childrenGone()
{
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields.at(0) != "Z" && fields.at(1).toLongLong() == QCoreApplication::applicationPid())
            return false;
    }
    return true;
}
} // namespace

bool TestCronBookkeeping::waitForCalls(const QString &calls)
{
    QDeadlineTimer deadline(15000);
    while ((sandbox.crontabCalls() != calls || !childrenGone()) && !deadline.hasExpired())
        QTest::qWait(50);
    if (sandbox.crontabCalls() != calls)
        qWarning("crontab calls: %s", qPrintable(sandbox.crontabCalls()));
    return sandbox.crontabCalls() == calls;
}

void TestCronBookkeeping::burstOfLoadsIsCheckedOnce()
{
    QStringList files;
    for (int i = 1; i <= 20; ++i) {
        files << QString::number(i, 16) + QStringLiteral(".note");
        writeReminderNote(files.last());
    }
    // The crontab lost every line meanwhile.
    sandbox.setCrontab("# the user's table\n");
    sandbox.clearLog();
    NotesModel model;
    for (const QString &file : qAsConst(files))
        QVERIFY(loadedNote(model, file)->loaded());
    QCOMPARE(sandbox.crontabCalls(), QString());
    QVERIFY(waitForCalls(QStringLiteral("lw")));
    for (const QString &file : qAsConst(files))
        QCOMPARE(sandbox.cronLinesOf(file), 1);
    QVERIFY(sandbox.crontab().startsWith(QStringLiteral("# the user's table\n")));
}

void TestCronBookkeeping::noteQueuedTwiceGetsOneLine()
{
    writeReminderNote(QStringLiteral("1.note"));
    sandbox.setCrontab("");
    sandbox.clearLog();
    NotesModel model;
    AbstractNote *note = loadedNote(model, QStringLiteral("1.note"));
    emit note->loadedChanged();
    emit note->loadedChanged();
    QVERIFY(waitForCalls(QStringLiteral("lw")));
    QCOMPARE(sandbox.cronLinesOf(QStringLiteral("1.note")), 1);
}

void TestCronBookkeeping::presentLineIsNotDoubled()
{
    writeReminderNote(QStringLiteral("1.note"));
    writeReminderNote(QStringLiteral("11.note"));
    QCOMPARE(sandbox.cronLinesOf(QStringLiteral("11.note")), 1);
    sandbox.clearLog();
    NotesModel model;
    loadedNote(model, QStringLiteral("1.note"));
    loadedNote(model, QStringLiteral("11.note"));
    // Nothing to change: the table is read, not rewritten.
    QVERIFY(waitForCalls(QStringLiteral("l")));
    QCOMPARE(sandbox.cronLinesOf(QStringLiteral("1.note")), 1);
    QCOMPARE(sandbox.cronLinesOf(QStringLiteral("11.note")), 1);
}

void TestCronBookkeeping::userJobsSurvive()
{
    writeReminderNote(QStringLiteral("1.note"));
    const QByteArray jobs = "# keep me\n\n0 5 * * * echo 'it''s' \"$HOME\" `date` > /tmp/x\\n\n";
    sandbox.setCrontab(jobs);
    sandbox.clearLog();
    NotesModel model;
    loadedNote(model, QStringLiteral("1.note"));
    QVERIFY(waitForCalls(QStringLiteral("lw")));
    QVERIFY(sandbox.crontab().startsWith(QString::fromLatin1(jobs.trimmed() + '\n')));
    QCOMPARE(sandbox.cronLinesOf(QStringLiteral("1.note")), 1);
}

void TestCronBookkeeping::switchedOffReminderAddsNoLine()
{
    writeReminderNote(QStringLiteral("1.note"));
    sandbox.setCrontab("0 5 * * * job\n");
    sandbox.clearLog();
    NotesModel model;
    AbstractNote *note = loadedNote(model, QStringLiteral("1.note"));
    note->setNotifyType(AbstractNote::RepeatNever);
    QVERIFY(waitForCalls(QStringLiteral("l")));
    QCOMPARE(sandbox.crontab(), QStringLiteral("0 5 * * * job\n"));
}

void TestCronBookkeeping::failedReadWritesNothing()
{
    writeReminderNote(QStringLiteral("1.note"));
    writeReminderNote(QStringLiteral("2.note"));
    sandbox.setCrontab("0 5 * * * job\n");
    sandbox.clearLog();
    NotesModel model;
    qputenv("FAKE_CRONTAB_FAIL", "read");
    loadedNote(model, QStringLiteral("1.note"));
    QVERIFY(waitForCalls(QStringLiteral("l")));
    QCOMPARE(sandbox.crontab(), QStringLiteral("0 5 * * * job\n"));

    // The note waits for the next check, which succeeds.
    qunsetenv("FAKE_CRONTAB_FAIL");
    loadedNote(model, QStringLiteral("2.note"));
    QVERIFY(waitForCalls(QStringLiteral("llw")));
    QVERIFY(sandbox.crontab().startsWith(QStringLiteral("0 5 * * * job\n")));
    QCOMPARE(sandbox.cronLinesOf(QStringLiteral("1.note")), 1);
    QCOMPARE(sandbox.cronLinesOf(QStringLiteral("2.note")), 1);
}

void TestCronBookkeeping::removedWhileQueuedGetsNoLine()
{
    writeReminderNote(QStringLiteral("1.note"));
    writeReminderNote(QStringLiteral("2.note"));
    sandbox.setCrontab("");
    sandbox.clearLog();
    NotesModel model;
    loadedNote(model, QStringLiteral("1.note"));
    loadedNote(model, QStringLiteral("2.note"));
    model.removeItems({ QStringLiteral("1.note") });
    // The removal found no line to remove; then the check ran.
    QVERIFY(waitForCalls(QStringLiteral("llw")));
    QCOMPARE(sandbox.cronLinesOf(QStringLiteral("1.note")), 0);
    QCOMPARE(sandbox.cronLinesOf(QStringLiteral("2.note")), 1);
}

void TestCronBookkeeping::addAndRemoveWithReminder()
{
    // A stale line of an earlier note of the same name goes as well; a
    // commented-out copy of it is the user's own.
    const QByteArray stale
        = cronLine(AbstractNote::RepeatEveryDay, QDateTime(QDate(2020, 1, 1), QTime(1, 1)), QStringLiteral("1.note"))
              .toLatin1();
    sandbox.setCrontab("# " + stale + '\n' + stale + '\n');
    NotesModel model;
    auto *note = AbstractNote::createNote(AbstractNote::TextType);
    note->setNotifyType(AbstractNote::RepeatEveryWeek);
    note->setNotifyDate(QDateTime::currentDateTime().addDays(2));
    model.addItem(note);
    QCOMPARE(note->file(), QStringLiteral("1.note"));
    QCOMPARE(sandbox.cronLinesOf(QStringLiteral("1.note")), 1);
    QVERIFY(sandbox.crontab().startsWith(QString::fromLatin1("# " + stale + '\n')));
    QCOMPARE(sandbox.crontab().count(QStringLiteral("1 1 * * *")), 1);

    model.removeItems({ QStringLiteral("1.note") });
    QCOMPARE(sandbox.crontab(), QString::fromLatin1("# " + stale + '\n'));
}

void TestCronBookkeeping::addAndRemoveWithoutReminder()
{
    sandbox.setCrontab("0 5 * * * job\n");
    sandbox.clearLog();
    NotesModel model;
    auto *note = AbstractNote::createNote(AbstractNote::TextType);
    model.addItem(note);
    model.removeItems({ note->file() });
    QCOMPARE(sandbox.crontabCalls(), QString());
    QCOMPARE(sandbox.crontab(), QStringLiteral("0 5 * * * job\n"));
}

void TestCronBookkeeping::removingUnloadedNoteDropsItsLine()
{
    writeReminderNote(QStringLiteral("1.note"));
    writeReminderNote(QStringLiteral("2.note"));
    QCOMPARE(sandbox.cronLinesOf(QStringLiteral("1.note")), 1);
    NotesModel model;
    // Neither note was loaded here; a name without a row counts as well.
    QSettings(sandbox.confPath(), QSettings::IniFormat).remove(QStringLiteral("Notes/2.note"));
    model.removeItems({ QStringLiteral("1.note"), QStringLiteral("2.note") });
    QCOMPARE(sandbox.cronLinesOf(QStringLiteral("1.note")), 0);
    QCOMPARE(sandbox.cronLinesOf(QStringLiteral("2.note")), 0);
    QVERIFY(sandbox.noteFiles().isEmpty());
}

void TestCronBookkeeping::missedReminderIsFoundOffTheMainThreadOnce()
{
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    const QDateTime now = QDateTime::currentDateTime();
    QSettings(ReminderHistory::filePath(), QSettings::IniFormat).setValue(QStringLiteral("since"), now.addDays(-30));
    // Due an hour ago, saved two days before: nobody announced it.
    sandbox.writeNote(QStringLiteral("1.note"), AbstractNote::TextType, now.addDays(-2), [&](AbstractNote *note) {
        note->setNotifyType(AbstractNote::RepeatEveryDay);
        note->setNotifyDate(now.addSecs(-3600).addDays(-1));
    });
    sandbox.writeNote(QStringLiteral("2.note"), AbstractNote::TextType, now.addDays(-2), [](AbstractNote *) {});
    NotesModel model;
    QSignalSpy found(&model, &NotesModel::missedRemindersFound);
    model.findMissedReminders();
    QVERIFY(found.wait(10000));
    const QVariantList missed = found.takeFirst().at(0).toList();
    QCOMPARE(missed.size(), 1);
    QCOMPARE(missed.at(0).toMap().value(QStringLiteral("file")).toString(), QStringLiteral("1.note"));
    model.findMissedReminders();
    QVERIFY(found.wait(10000));
    QVERIFY(found.takeFirst().at(0).toList().isEmpty());
    // A model that goes while its glance runs waits for the worker, whose
    // answer is dropped unread.
    for (int i = 0; i < 20; ++i) {
        auto *gone = new NotesModel;
        gone->findMissedReminders();
        delete gone;
    }
    QCoreApplication::processEvents();
    qunsetenv("XDG_STATE_HOME");
}

QTEST_GUILESS_MAIN(TestCronBookkeeping)
#include "tst_cronbookkeeping.moc"
