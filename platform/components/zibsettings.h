#ifndef ZIBSETTINGS_H
#define ZIBSETTINGS_H

#include <QObject>
#include <QString>

// The `settings` object of the QML scope: small values kept with QSettings in
// the config location, organisation "zib", one file per group (application).
class ZibSettings : public QObject
{
    Q_OBJECT

public:
    explicit ZibSettings(QObject *parent = nullptr);

    Q_INVOKABLE void setInt(const QString &key, int value, const QString &group = QString());
    Q_INVOKABLE int getInt(const QString &key, int defaultValue = 0, const QString &group = QString()) const;
    Q_INVOKABLE void setString(const QString &key, const QString &value, const QString &group = QString());
    Q_INVOKABLE QString getString(const QString &key, const QString &defaultValue = QString(),
                                  const QString &group = QString()) const;

    // Name of the settings file used for group: the group itself, or the
    // application's name when none is given; characters that could leave the
    // config directory are replaced.
    static QString applicationFor(const QString &group);
};

#endif // ZIBSETTINGS_H
