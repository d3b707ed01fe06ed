#pragma once

#include <QDateTime>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <QVector>

#include <functional>

class QSettings;

// What the most recent removal of notes took away, kept so that it can be
// undone. The files are not unlinked but moved to the desktop trash, or to a
// private folder where there is no trash, so that they can still be found
// later; the notes' "notes.conf" groups are remembered, and their reminder
// lines are made anew when they come back.
class NoteTrash
{
public:
    struct RestoredNote
    {
        QString file;
        QDateTime modifyDate;
        int type = 0;
    };

    // Starts a new record for the notes about to be removed. Reads their
    // groups before the removal drops them.
    void remember(const QString &confPath, const QStringList &files);
    // Moves one file of the removal away; unlinks it when it cannot be kept.
    // originalPath is where it belongs when it comes back, when that is not
    // path itself (a note file hidden under another name while removed).
    void moveAway(const QString &path, const QString &originalPath = QString());
    // Moves away the hidden note files of a removal (CollectionRepair::hide)
    // and every side file of theirs.
    void moveAwayHidden(const QString &directory, const QStringList &files);
    // Brings back every remembered note with its files (and their dates) and
    // its group in conf; lists those of a kind the model shows. A note whose name has been taken since, in conf, in
    // the directory or as isTaken tells, comes back under freshName().
    // Empties the record.
    QVector<RestoredNote> restore(QSettings &conf, const std::function<bool(const QString &)> &isTaken,
                                  const std::function<QString()> &freshName);
    static void restoreReminders(const QVector<RestoredNote> &notes);

    // The folder used where the desktop has no trash.
    static QString privateFolder(const QString &directory);

private:
    struct RemovedNote
    {
        QString file;
        QString directory;
        QVariantMap group;
    };
    struct KeptFile
    {
        QString original;
        QString kept;
        bool inDesktopTrash = false;
    };

    static bool restoreFiles(const RemovedNote &note, const QString &name, const QVector<KeptFile> &kept);
    static QString owner(const QString &fileName, const QSet<QString> &names);

    QVector<RemovedNote> notes;
    QVector<KeptFile> files;
};
