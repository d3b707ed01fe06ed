#include "zibsettings.h"

#include <QCoreApplication>
#include <QSettings>

namespace {
const QString organisation = QStringLiteral("zib");

bool usableKey(const QString &key)
{
    return !key.trimmed().isEmpty();
}
} // namespace

ZibSettings::ZibSettings(QObject *parent)
    : QObject(parent)
{ }

QString ZibSettings::applicationFor(const QString &group)
{
    QString name = group.trimmed();
    if (name.isEmpty())
        name = QCoreApplication::applicationName();
    // A group is a file name below the organisation's directory: keep it there.
    name.replace(QLatin1Char('/'), QLatin1Char('_'))
        .replace(QLatin1Char('\\'), QLatin1Char('_'))
        .replace(QLatin1Char(':'), QLatin1Char('_'));
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        name = QStringLiteral("default");
    return name;
}

void ZibSettings::setInt(const QString &key, int value, const QString &group)
{
    if (!usableKey(key))
        return;
    QSettings settings(organisation, applicationFor(group));
    settings.setValue(key, value);
    settings.sync();
}

int ZibSettings::getInt(const QString &key, int defaultValue, const QString &group) const
{
    if (!usableKey(key))
        return defaultValue;
    const QSettings settings(organisation, applicationFor(group));
    bool ok = false;
    const int value = settings.value(key, defaultValue).toInt(&ok);
    return ok ? value : defaultValue;
}

void ZibSettings::setString(const QString &key, const QString &value, const QString &group)
{
    if (!usableKey(key))
        return;
    QSettings settings(organisation, applicationFor(group));
    settings.setValue(key, value);
    settings.sync();
}

QString ZibSettings::getString(const QString &key, const QString &defaultValue, const QString &group) const
{
    if (!usableKey(key))
        return defaultValue;
    const QSettings settings(organisation, applicationFor(group));
    return settings.value(key, defaultValue).toString();
}
