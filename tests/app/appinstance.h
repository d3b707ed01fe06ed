#ifndef APPINSTANCE_H
#define APPINSTANCE_H

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

// A private copy of the built zib-notes (and zib-notes-notify) in a temporary
// bin/ beside a link to the build tree's qml/. Its own path gives it its own
// single-instance identity, so tests running at the same time never meet.
class AppInstance
{
public:
    AppInstance();
    ~AppInstance();

    bool isValid() const { return m_valid; }
    QString program() const;
    QString notifier() const;
    QString logPath() const;
    QString lockPath() const;
    QString socketPath() const;
    QStringList loggedMessages() const;
    QProcessEnvironment environment() const;

    // Starts the first instance and waits until it listens.
    bool startFirst(const QStringList &args = {});
    QProcess &first() { return m_first; }
    void stopFirst();

    // Runs a further start to its end; returns its exit code (-1 if it hung).
    int run(const QStringList &args, QByteArray *out = nullptr, QByteArray *err = nullptr,
            const QProcessEnvironment &env = QProcessEnvironment());
    // Waits until the log holds count lines.
    bool waitForMessages(int count) const;

private:
    QTemporaryDir m_dir;
    QProcess m_first;
    bool m_valid = false;
};

#endif // APPINSTANCE_H
