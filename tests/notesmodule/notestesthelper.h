#pragma once

#include <QObject>
#include <QString>

// What the tests need beyond QML: the window's file check (the cards ask
// `root.isFileExist`) and a change made to the collection by another process.
class NotesTestHelper : public QObject
{
    Q_OBJECT
public:
    NotesTestHelper(const QString &notesDirectory, QObject *parent = nullptr);

    Q_INVOKABLE bool isFileExist(const QString &path) const;
    // Gives the note a new title in its file and records the change in
    // "notes.conf", as a save in another process does.
    Q_INVOKABLE void changeNoteElsewhere(const QString &file, const QString &title) const;

private:
    QString directory;
};
