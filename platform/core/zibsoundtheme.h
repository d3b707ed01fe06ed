#ifndef ZIBSOUNDTHEME_H
#define ZIBSOUNDTHEME_H

#include <QByteArray>
#include <QString>
#include <QStringList>

// Looks sounds up by the freedesktop sound theme rules in the XDG data
// directories. Paths are returned UTF-8 encoded; empty when not found.
class ZibSoundTheme
{
public:
    ZibSoundTheme(const QString &themeName, const QString &locale);

    // Path of soundName in the user's current sound theme.
    static QByteArray getSoundFilePathFromCurrentTheme(const QString &soundName, const QString &profile,
                                                       const QString &locale);

    QByteArray getSoundFilePath(const QString &soundName, const QString &profile, const QString &locale) const;

    QString themeName() const { return m_themeName; }

private:
    QString m_themeName;
    QString m_locale;
};

#endif // ZIBSOUNDTHEME_H
