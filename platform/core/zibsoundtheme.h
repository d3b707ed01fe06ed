#ifndef ZIBSOUNDTHEME_H
#define ZIBSOUNDTHEME_H

#include <QByteArray>
#include <QString>
#include <QStringList>

// Looks sounds up by the freedesktop sound theme rules in the XDG data
// directories. Paths are returned UTF-8 encoded; empty when not found.
//
// Search order: the theme, then the themes it inherits (index.theme,
// "Sound Theme"/Inherits), then "freedesktop", then loose files in
// <data dir>/sounds. In a theme only the subdirectories listed in
// Directories are searched, those whose OutputProfile matches the requested
// profile ("stereo" when empty) first, then the "stereo" ones; in each the
// locale subdirectories (de_DE, de) come before the files themselves, and the
// extensions .oga, .ogg and .wav are tried in that order. When nothing
// matches, the name is shortened at its last "-" and looked up again
// ("message-new-instant" -> "message-new" -> "message").
//
// The current theme is the one named by the environment variable
// ZIB_SOUND_THEME, else the one chosen in the desktop's settings (KDE's
// kdeglobals [Sounds] Theme, GTK's settings.ini gtk-sound-theme-name), else
// "freedesktop".
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
