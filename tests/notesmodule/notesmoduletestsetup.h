#pragma once

#include <QObject>
#include <QTemporaryDir>

class QQmlEngine;

// Gives every QML test run a fresh notes collection of its own: the data and
// config locations point into temporary directories and the notes directory
// is filled with noteCount notes of all three kinds before QML starts.
class NotesModuleTestSetup : public QObject
{
    Q_OBJECT
public:
    static constexpr int noteCount = 500;

    explicit NotesModuleTestSetup(QObject *parent = nullptr);

public slots:
    void applicationAvailable();
    void qmlEngineAvailable(QQmlEngine *engine);

private:
    QString notesDirectory() const;
    void writeNote(const QString &directory, int number) const;
    void writeCollection() const;

    QTemporaryDir dataDir;
    QTemporaryDir configDir;
};
