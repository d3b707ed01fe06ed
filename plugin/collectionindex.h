#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <QVector>

#include <functional>

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

    // A group of "notes.conf" as it stands, before it is taken for a note.
    struct Group
    {
        QString file;
        QDateTime modifyDate;
        QVariant type;
    };

    // What one look at "notes.conf" tells; complete is false when the file
    // could not be read to its end (another program writing it, say).
    struct Listing
    {
        QVector<Entry> entries;
        QString lastModifiedFile;
        QDateTime lastModificationDate;
        QString nextFilename;
        bool complete = true;
    };

    // Only groups that can be notes of ours: a plain note file name (no
    // other could stay inside the directory or in a crontab line) and a
    // known kind. The others are passed over and the rest stay intact.
    static QVector<Entry> read(QSettings &conf);
    // The whole file, read line by line where it is of the plain form
    // QSettings writes (NotesConfReader), through QSettings otherwise.
    static Listing readFile(const QString &path);
    // The names of all groups that are note file names, whatever their kind,
    // without holding them all: a name may come more than once.
    static void forEachNoteGroup(const QString &path, const std::function<void(const QString &)> &visit);

    // Identity of the file's content, so that an unchanged file need not be
    // parsed again. Its content, not its inode and times: two writes within
    // one tick of the file system's clock can leave those alike, and a
    // replaced file's inode is often given again at once. Empty when the
    // file cannot be read. Given the previous stamp, a file that has not
    // been touched since a settled look is not read again.
    static QByteArray stamp(const QString &path, const QByteArray &previous = QByteArray());
    static bool sameContent(const QByteArray &stamp, const QByteArray &other);

    // The listing with the stamp of the very bytes it was read from, in one
    // pass where the file is plain. A stamp taken after the listing could be
    // that of a later write the listing does not hold.
    struct Look
    {
        Listing listing;
        QByteArray stamp;
    };
    static Look look(const QString &path);
};
