#pragma once

#include <QString>

#include <memory>

class QSettings;

// Writes an INI file through QSettings so that the file in place is always
// whole, old or new. The edits go to a copy in the same directory; on
// commit() the copy is checked to hold a whole line for every key, flushed
// to the disk and only then renamed over the file. A full disk therefore never
// leaves a file cut short: QSettings and QSaveFile do not notice a short
// write. The rename replaces a symbolic link in place of the file with the
// new file; nothing is ever written through a link.
class SafeIniFile
{
public:
    explicit SafeIniFile(const QString &path);
    ~SafeIniFile();

    SafeIniFile(const SafeIniFile &) = delete;
    SafeIniFile &operator=(const SafeIniFile &) = delete;

    // False when no copy could be made; settings() is null then and
    // errorString() says why.
    bool isOpen() const { return m_settings != nullptr; }
    // The copy, holding the file's current keys; valid until commit().
    QSettings *settings() const { return m_settings.get(); }
    // Puts the edited copy in place. False, with the old file untouched and
    // errorString() set, when anything went wrong.
    bool commit();
    QString errorString() const { return m_error; }

    // A plain file, or a link to one: FIFOs, devices and directories are
    // never opened, since reading them blocks or makes no sense.
    static bool isRegularFile(const QString &path);
    // A copy (or its lock) left behind by a process that died while writing:
    // a hidden name of a copy, older than any write takes.
    static bool isStaleCopy(const QString &directory, const QString &name);

    // Puts content in place of the file the same way, without QSettings:
    // for a caller that made the whole new text itself. False, with the old
    // file untouched and *error set, when anything went wrong.
    static bool replace(const QString &path, const QByteArray &content, QString *error);

private:
    SafeIniFile(const QString &path, const QByteArray *content);
    bool copyCurrentContent(int targetFd);
    bool writeContent(int targetFd, const QByteArray &content);
    bool putCopyInPlace();
    bool fail(const QString &what, int error);
    void discardCopy();

    QString m_path;
    QString m_copyPath;
    QString m_error;
    std::unique_ptr<QSettings> m_settings;
    // The copy holds its whole new content already (replace()): only its
    // flush and rename are left.
    bool m_contentWritten = false;
};
