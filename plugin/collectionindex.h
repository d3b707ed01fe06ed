#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVector>

class QSettings;

// What "notes.conf" lists: the notes of the collection with their kind and
// modification date, in the order QSettings gives them.
class CollectionIndex
{
public:
    struct Entry
    {
        QString file;
        QDateTime modifyDate;
        int type = 0;
    };

    // Only groups that can be notes of ours: a plain note file name (no
    // other could stay inside the directory or in a crontab line) and a
    // known kind. The others are passed over and the rest stay intact.
    static QVector<Entry> read(QSettings &conf);

    // Identity of the file's content, so that an unchanged file need not be
    // parsed again. Its content, not its inode and times: two writes within
    // one tick of the file system's clock can leave those alike, and a
    // replaced file's inode is often given again at once. Empty when the
    // file cannot be read. Given the previous stamp, a file that has not
    // been touched since a settled look is not read again.
    static QByteArray stamp(const QString &path, const QByteArray &previous = QByteArray());
    static bool sameContent(const QByteArray &stamp, const QByteArray &other);
};
