#include "zibsoundtheme.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString fallbackTheme = QStringLiteral("freedesktop");
const QStringList extensions { QStringLiteral(".oga"), QStringLiteral(".ogg"), QStringLiteral(".wav") };
const int maximumInheritanceDepth = 16;

QStringList soundBaseDirs()
{
    QStringList dirs;
    const QStringList dataDirs = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const QString &dir : dataDirs)
        dirs << dir + QLatin1String("/sounds");
    dirs.removeDuplicates();
    return dirs;
}

bool isSafeName(const QString &name)
{
    return !name.isEmpty() && !name.startsWith(QLatin1Char('.')) && !name.contains(QLatin1Char('/'))
        && !name.contains(QLatin1Char('\\'));
}

// "de_DE.UTF-8@euro" -> de_DE@euro, de_DE, de
QStringList localeDirs(const QString &locale)
{
    QString name = locale.trimmed();
    QString modifier;
    const int at = name.indexOf(QLatin1Char('@'));
    if (at >= 0) {
        modifier = name.mid(at);
        name.truncate(at);
    }
    const int dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    QStringList result;
    if (name.isEmpty() || name == QLatin1String("C") || name == QLatin1String("POSIX"))
        return result;
    if (!modifier.isEmpty())
        result << name + modifier;
    result << name;
    const int underscore = name.indexOf(QLatin1Char('_'));
    if (underscore > 0)
        result << name.left(underscore);
    result.removeDuplicates();
    result.erase(std::remove_if(result.begin(), result.end(), [](const QString &l) { return !isSafeName(l); }),
                 result.end());
    return result;
}

QString findFile(const QString &dir, const QString &soundName)
{
    for (const QString &extension : extensions) {
        const QString path = dir + QLatin1Char('/') + soundName + extension;
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

struct ThemeDir
{
    QString path;
    QStringList subdirs; // in search order
    QStringList parents;
};

// Every installed copy of the theme (user's first), with its searchable subdirectories.
QList<ThemeDir> themeDirs(const QString &theme, const QString &profile)
{
    QList<ThemeDir> result;
    const QStringList bases = soundBaseDirs();
    for (const QString &base : bases) {
        const QString path = base + QLatin1Char('/') + theme;
        if (!QFileInfo(path).isDir())
            continue;
        ThemeDir entry;
        entry.path = path;
        const QString index = path + QLatin1String("/index.theme");
        if (!QFileInfo(index).isFile()) {
            entry.subdirs << QStringLiteral("stereo");
            result << entry;
            continue;
        }
        QSettings settings(index, QSettings::IniFormat);
        settings.beginGroup(QStringLiteral("Sound Theme"));
        const QStringList directories = settings.value(QStringLiteral("Directories")).toStringList();
        entry.parents = settings.value(QStringLiteral("Inherits")).toStringList();
        settings.endGroup();
        QStringList matching;
        QStringList stereo;
        for (const QString &directory : directories) {
            const QString subdir = directory.trimmed();
            if (subdir.isEmpty() || subdir.contains(QLatin1String("..")))
                continue;
            const QString dirProfile
                = settings.value(subdir + QLatin1String("/OutputProfile"), QStringLiteral("stereo"))
                      .toString()
                      .trimmed();
            if (dirProfile == profile)
                matching << subdir;
            else if (dirProfile == QLatin1String("stereo"))
                stereo << subdir;
        }
        entry.subdirs = matching + stereo;
        result << entry;
    }
    return result;
}

QString lookupInTheme(const QString &theme, const QString &soundName, const QString &profile,
                      const QStringList &locales, QSet<QString> &visited, int depth)
{
    if (depth > maximumInheritanceDepth || !isSafeName(theme) || visited.contains(theme))
        return QString();
    visited.insert(theme);

    const QList<ThemeDir> dirs = themeDirs(theme, profile);
    QStringList parents;
    for (const ThemeDir &dir : dirs) {
        for (const QString &subdir : dir.subdirs) {
            const QString subdirPath = dir.path + QLatin1Char('/') + subdir;
            for (const QString &locale : locales) {
                const QString found = findFile(subdirPath + QLatin1Char('/') + locale, soundName);
                if (!found.isEmpty())
                    return found;
            }
            const QString found = findFile(subdirPath, soundName);
            if (!found.isEmpty())
                return found;
        }
        for (const QString &parent : dir.parents) {
            if (!parents.contains(parent.trimmed()))
                parents << parent.trimmed();
        }
    }
    for (const QString &parent : qAsConst(parents)) {
        const QString found = lookupInTheme(parent, soundName, profile, locales, visited, depth + 1);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

QString lookupName(const QString &theme, const QString &soundName, const QString &profile, const QStringList &locales)
{
    QSet<QString> visited;
    QString found = lookupInTheme(theme, soundName, profile, locales, visited, 0);
    if (found.isEmpty())
        found = lookupInTheme(fallbackTheme, soundName, profile, locales, visited, 0);
    if (found.isEmpty()) {
        const QStringList bases = soundBaseDirs();
        for (const QString &base : bases) {
            found = findFile(base, soundName);
            if (!found.isEmpty())
                break;
        }
    }
    return found;
}

// The sound theme the user chose in the desktop's settings: KDE's
// kdeglobals, then GTK's settings.ini (which GNOME and Xfce keep in step).
QString desktopSoundTheme()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString kde = QSettings(config + QLatin1String("/kdeglobals"), QSettings::IniFormat)
                            .value(QStringLiteral("Sounds/Theme"))
                            .toString()
                            .trimmed();
    if (!kde.isEmpty())
        return kde;
    return QSettings(config + QLatin1String("/gtk-3.0/settings.ini"), QSettings::IniFormat)
        .value(QStringLiteral("Settings/gtk-sound-theme-name"))
        .toString()
        .trimmed();
}

} // namespace

ZibSoundTheme::ZibSoundTheme(const QString &themeName, const QString &locale)
    : m_themeName(themeName.trimmed().isEmpty() ? fallbackTheme : themeName.trimmed())
    , m_locale(locale)
{ }

QByteArray ZibSoundTheme::getSoundFilePathFromCurrentTheme(const QString &soundName, const QString &profile,
                                                           const QString &locale)
{
    QString theme = qEnvironmentVariable("ZIB_SOUND_THEME").trimmed();
    if (theme.isEmpty())
        theme = desktopSoundTheme();
    return ZibSoundTheme(theme, locale).getSoundFilePath(soundName, profile, locale);
}

QByteArray ZibSoundTheme::getSoundFilePath(const QString &soundName, const QString &profile,
                                           const QString &locale) const
{
    QString name = soundName.trimmed();
    if (!isSafeName(name))
        return QByteArray();
    const QString usedProfile = profile.trimmed().isEmpty() ? QStringLiteral("stereo") : profile.trimmed();
    const QStringList locales = localeDirs(locale.isEmpty() ? m_locale : locale);

    while (!name.isEmpty()) {
        const QString found = lookupName(m_themeName, name, usedProfile, locales);
        if (!found.isEmpty())
            return QDir::cleanPath(found).toUtf8();
        const int dash = name.lastIndexOf(QLatin1Char('-'));
        if (dash <= 0)
            break;
        name.truncate(dash);
    }
    return QByteArray();
}
