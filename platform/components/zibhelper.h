#ifndef ZIBHELPER_H
#define ZIBHELPER_H

#include <QObject>
#include <QString>

// Small services the QML side cannot do itself (singleton ZibHelper).
class ZibHelper : public QObject
{
    Q_OBJECT

public:
    explicit ZibHelper(QObject *parent = nullptr);

    // True when path (a plain path or a file: URL) names an existing regular file.
    Q_INVOKABLE bool fileExists(const QString &path) const;

    // Gives the window the theme icon iconName; false when window is no window.
    Q_INVOKABLE bool setWindowIcon(QObject *window, const QString &iconName) const;

    // Builds the index of theme icon files on another thread.
    Q_INVOKABLE void prepareIcons() const;
};

#endif // ZIBHELPER_H
