#include "notesfixture.h"

#include <QColor>
#include <QDateTime>
#include <QDir>
#include <QSettings>

QString NotesFixture::notesDirectory(const QString &dataHome)
{
    return dataHome + QLatin1String("/zib/zib-notes");
}

bool NotesFixture::write(const QString &dataHome, int count)
{
    const QString dir = notesDirectory(dataHome);
    if (!QDir().mkpath(dir))
        return false;
    const QDateTime base = QDateTime::currentDateTime().addDays(-400);
    const QStringList colors { "#ffffcc", "#ccffcc", "#cce5ff", "#ffd6cc", "#e6ccff" };

    QSettings index(dir + QLatin1String("/notes.conf"), QSettings::IniFormat);
    for (int i = 1; i <= count; ++i) {
        const QString file = QString::number(i, 16) + QLatin1String(".note");
        const bool isList = i % 5 == 0;
        const QDateTime modified = base.addSecs(qint64(i) * 600);
        {
            QSettings note(dir + QLatin1Char('/') + file, QSettings::IniFormat);
            note.setValue(QStringLiteral("title"), QStringLiteral("Note %1").arg(i));
            note.setValue(QStringLiteral("background-color"), colors.at(i % colors.size()));
            note.setValue(QStringLiteral("foreground-color"), QStringLiteral("#444444"));
            note.setValue(QStringLiteral("creation-date"), modified);
            note.setValue(QStringLiteral("notify-type"), 0);
            note.setValue(QStringLiteral("notify-date"), modified);
            if (isList) {
                note.beginWriteArray(QStringLiteral("data"));
                for (int e = 0; e < 6; ++e) {
                    note.setArrayIndex(e);
                    note.setValue(QStringLiteral("checked"), e % 2 == 0);
                    note.setValue(QStringLiteral("text"), QStringLiteral("Entry %1 of note %2").arg(e).arg(i));
                }
                note.endArray();
            } else {
                note.setValue(QStringLiteral("text"),
                              QStringLiteral("Note %1\nSome text to keep: milk, bread, call the office about "
                                             "the meeting on Thursday.\nLine three.")
                                  .arg(i));
            }
        }
        index.beginGroup(QStringLiteral("Notes"));
        index.beginGroup(file);
        index.setValue(QStringLiteral("modification-date"), modified);
        index.setValue(QStringLiteral("note-type"), isList ? 1 : 0);
        index.endGroup();
        index.endGroup();
    }
    index.setValue(QStringLiteral("next-filename"), QString::number(count + 1, 16));
    index.sync();
    return index.status() == QSettings::NoError;
}
