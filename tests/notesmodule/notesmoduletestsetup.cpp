#include "notesmoduletestsetup.h"
#include "notestesthelper.h"

#include <QColor>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QQmlContext>
#include <QQmlEngine>
#include <QSettings>
#include <QStandardPaths>

namespace {

// Note n (1-based) is a text, list or canvas note by n % 3, was modified n
// minutes after this moment, and every seventh one has a daily reminder.
// Drawings have a picture unless n % 5 is 1; list notes whose n % 8 is 0
// hold an entry that looks like markup.
const QDateTime baseDate(QDate(2026, 1, 1), QTime(8, 0));

QString fileNameOf(int number)
{
    return QString::number(number, 16) + QStringLiteral(".note");
}

int typeOf(int number)
{
    return number % 3;
}

const QStringList backgrounds { QStringLiteral("#ffffcc"), QStringLiteral("#cce8ff"), QStringLiteral("#ffd6e0"),
                                QStringLiteral("#d8f5d0") };

} // namespace

NotesModuleTestSetup::NotesModuleTestSetup(QObject *parent)
    : QObject(parent)
{ }

void NotesModuleTestSetup::applicationAvailable()
{
    // The plugin derives the notes directory from the application's data
    // location, so the names decide where it looks.
    QCoreApplication::setOrganizationName(QString());
    QCoreApplication::setApplicationName(QStringLiteral("zib-notes"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataDir.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configDir.path()));
    writeCollection();
}

void NotesModuleTestSetup::qmlEngineAvailable(QQmlEngine *engine)
{
    QQmlContext *context = engine->rootContext();
    context->setContextProperty(QStringLiteral("testNoteCount"), noteCount);
    context->setContextProperty(QStringLiteral("testNotesDirectory"), notesDirectory());
    // The cards look for the window as `root`; the helper answers its file check.
    auto helper = new NotesTestHelper(notesDirectory(), engine);
    context->setContextProperty(QStringLiteral("root"), helper);
    context->setContextProperty(QStringLiteral("testHelper"), helper);
}

QString NotesModuleTestSetup::notesDirectory() const
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
        .replace(QStringLiteral("zib-launcher"), QStringLiteral("zib-notes"));
}

void NotesModuleTestSetup::writeNote(const QString &directory, int number) const
{
    const QString path = directory + QLatin1Char('/') + fileNameOf(number);
    QSettings note(path, QSettings::IniFormat);
    note.setValue(QStringLiteral("title"), QStringLiteral("Note %1").arg(number));
    note.setValue(QStringLiteral("background-color"), backgrounds.at(number % backgrounds.size()));
    note.setValue(QStringLiteral("foreground-color"), QStringLiteral("#333333"));
    note.setValue(QStringLiteral("creation-date"), baseDate);
    const bool reminder = number % 7 == 0;
    note.setValue(QStringLiteral("notify-type"), reminder ? 2 : 0);
    note.setValue(QStringLiteral("notify-date"), baseDate.addYears(1));

    switch (typeOf(number)) {
    case 0:
        note.setValue(QStringLiteral("text"), QStringLiteral("Text of note %1\nsecond line").arg(number));
        break;
    case 1:
        note.beginWriteArray(QStringLiteral("data"));
        note.setArrayIndex(0);
        note.setValue(QStringLiteral("checked"), true);
        note.setValue(QStringLiteral("text"), QStringLiteral("milk"));
        note.setArrayIndex(1);
        note.setValue(QStringLiteral("checked"), false);
        // Some entries look like markup; the list must show them as typed.
        note.setValue(QStringLiteral("text"),
                      number % 8 == 0 ? QStringLiteral("<img src=\"http://example.invalid/x.png\"> <b>bold</b> & co")
                                      : QStringLiteral("bread"));
        note.endArray();
        break;
    default: {
        note.setValue(QStringLiteral("line-width"), 5);
        if (number % 5 == 1)
            break; // a drawing that was never saved with a picture
        QImage picture(40, 30, QImage::Format_ARGB32);
        picture.fill(QColor(QStringLiteral("#3366cc")));
        picture.save(path + QStringLiteral("_0.png"), "PNG");
        break;
    }
    }
}

void NotesModuleTestSetup::writeCollection() const
{
    const QString directory = notesDirectory();
    QDir().mkpath(directory);

    QSettings conf(directory + QStringLiteral("/notes.conf"), QSettings::IniFormat);
    for (int number = 1; number <= noteCount; ++number) {
        writeNote(directory, number);
        conf.beginGroup(QStringLiteral("Notes"));
        conf.beginGroup(fileNameOf(number));
        conf.setValue(QStringLiteral("modification-date"), baseDate.addSecs(60 * number));
        conf.setValue(QStringLiteral("note-type"), typeOf(number));
        conf.endGroup();
        conf.endGroup();
    }
    conf.setValue(QStringLiteral("next-filename"), QString::number(noteCount + 1, 16));
}
