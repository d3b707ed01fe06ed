#pragma once

#include <QObject>

// Tells the open note pages to keep their edits before the program goes:
// when it quits (the tray's "Close") and when the desktop session ends and
// asks the program to commit its data. One instance per process, handed to
// QML as a singleton.
class SessionGuard : public QObject
{
    Q_OBJECT

public:
    explicit SessionGuard(QObject *parent = nullptr);

    static SessionGuard *instance();

signals:
    // The pages save what they hold; the event loop may not run again.
    void saveRequested();
};
