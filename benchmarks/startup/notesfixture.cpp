#include "notesfixture.h"

#include <QColor>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>

#include <unistd.h>

namespace {
// A note file as QSettings writes it, with NUMBER where the note's number goes.
QByteArray noteTemplate(const QString &dir, bool isList, const QString &color, const QDateTime &date)
{
    const QString path = dir + QLatin1String("/template.note");
    {
        QSettings note(path, QSettings::IniFormat);
        note.setValue(QStringLiteral("title"), QStringLiteral("Note NUMBER"));
        note.setValue(QStringLiteral("background-color"), color);
        note.setValue(QStringLiteral("foreground-color"), QStringLiteral("#444444"));
        note.setValue(QStringLiteral("creation-date"), date);
        note.setValue(QStringLiteral("notify-type"), 0);
        note.setValue(QStringLiteral("notify-date"), date);
        if (isList) {
            note.beginWriteArray(QStringLiteral("data"));
            for (int e = 0; e < 6; ++e) {
                note.setArrayIndex(e);
                note.setValue(QStringLiteral("checked"), e % 2 == 0);
                note.setValue(QStringLiteral("text"), QStringLiteral("Entry %1 of note NUMBER").arg(e));
            }
            note.endArray();
        } else {
            note.setValue(QStringLiteral("text"),
                          QStringLiteral("Note NUMBER\nSome text to keep: milk, bread, call the office about "
                                         "the meeting on Thursday.\nLine three."));
        }
    }
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    file.close();
    file.remove();
    return bytes;
}
} // namespace

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
    // Written from templates: QSettings per note file takes minutes for 100,000.
    QVector<QByteArray> templates;
    for (int i = 0; i < colors.size(); ++i)
        templates << noteTemplate(dir, i % 5 == 0, colors.at(i), base);

    QSettings index(dir + QLatin1String("/notes.conf"), QSettings::IniFormat);
    for (int i = 1; i <= count; ++i) {
        const QString file = QString::number(i, 16) + QLatin1String(".note");
        const bool isList = i % 5 == 0;
        const QDateTime modified = base.addSecs(qint64(i) * 600);
        QFile note(dir + QLatin1Char('/') + file);
        if (!note.open(QIODevice::WriteOnly))
            return false;
        note.write(QByteArray(templates.at(i % colors.size())).replace("NUMBER", QByteArray::number(i)));
        index.beginGroup(QStringLiteral("Notes"));
        index.beginGroup(file);
        index.setValue(QStringLiteral("modification-date"), modified);
        index.setValue(QStringLiteral("note-type"), isList ? 1 : 0);
        index.endGroup();
        index.endGroup();
    }
    index.setValue(QStringLiteral("next-filename"), QString::number(count + 1, 16));
    index.sync();
    // Written back by the kernel half a minute later, the files would
    // share the disk and the processors with the program measured then.
    ::sync();
    return index.status() == QSettings::NoError;
}
