#include "abstractnote.h"

#include "canvasnote.h"
#include "crontab.h"
#include "listnote.h"
#include "notesdirectory.h"
#include "reminderhistory.h"
#include "safeinifile.h"
#include "textnote.h"

#include <QSettings>

namespace {

bool hasPassed(const QDateTime &date)
{
    return date < QDateTime::currentDateTime();
}

} // namespace

AbstractNote::AbstractNote(QObject *parent)
    : QObject(parent)
    , m_bgColor(QStringLiteral("#FFFFCC"))
    , m_fgColor(QStringLiteral("#444444"))
    , m_lightColor(QStringLiteral("#AAAA99"))
    , m_notifyDate(QDateTime::currentDateTime())
{ }

AbstractNote::~AbstractNote() = default;

AbstractNote *AbstractNote::createNote(AbstractNote::NoteType type)
{
    switch (type) {
    case TextType:
        return new TextNote;
    case ListType:
        return new ListNote;
    case CanvasType:
        return new CanvasNote;
    }
    return nullptr;
}

QString AbstractNote::fullPath() const
{
    return notesDirectory() + QLatin1Char('/') + m_file;
}

void AbstractNote::setTitle(const QString &title)
{
    if (m_title == title)
        return;
    m_title = title;
    emit titleChanged();
}

void AbstractNote::setFgColor(const QColor &color)
{
    if (m_fgColor == color)
        return;
    m_fgColor = color;
    emit fgColorChanged();
}

void AbstractNote::setBgColor(const QColor &color)
{
    if (m_bgColor == color)
        return;
    m_bgColor = color;
    // A darker shade on light backgrounds and a lighter one on dark ones.
    QColor light = color;
    const int lightness = light.lightness();
    const int newLightness = lightness > 127 ? lightness - 70 : lightness + 70;
    light.setHsl(color.hue(), color.saturation(), newLightness, 255);
    m_lightColor = light;
    emit bgColorChanged();
}

void AbstractNote::setModifyDate(const QDateTime &date)
{
    if (m_modifyDate == date)
        return;
    m_modifyDate = date;
    emit modifyDateChanged();
}

void AbstractNote::setNotifyType(NotifyType type)
{
    if (m_notifyType == type)
        return;
    m_notifyType = type;
    emit notifyTypeChanged();
}

void AbstractNote::setNotifyDate(const QDateTime &date)
{
    if (m_notifyDate == date)
        return;
    m_notifyDate = date;
    emit notifyDateChanged();
}

void AbstractNote::setFile(const QString &file)
{
    if (m_file == file)
        return;
    m_file = file;
    emit fileChanged();
}

void AbstractNote::setEditing(bool editing)
{
    if (m_editing == editing)
        return;
    m_editing = editing;
    emit editingChanged();
}

void AbstractNote::setChangedElsewhere(bool changed)
{
    if (m_changedElsewhere == changed)
        return;
    m_changedElsewhere = changed;
    emit changedElsewhereChanged();
}

bool AbstractNote::inUse() const
{
    if (m_shown || m_editing || m_changedElsewhere || m_removedElsewhere || !m_saveError.isEmpty())
        return true;
    // QML bindings are counted among the receivers of a property's signal.
    return receivers(SIGNAL(fileChanged())) > 0 || receivers(SIGNAL(titleChanged())) > 0
        || receivers(SIGNAL(fgColorChanged())) > 0 || receivers(SIGNAL(modifyDateChanged())) > 0
        || receivers(SIGNAL(previewTextChanged())) > 0 || receivers(SIGNAL(notifyTypeChanged())) > 0
        || receivers(SIGNAL(notifyDateChanged())) > 0;
}

void AbstractNote::setShown(bool shown)
{
    if (m_shown == shown)
        return;
    m_shown = shown;
    emit shownChanged();
}

void AbstractNote::setRemovedElsewhere(bool removed)
{
    if (m_removedElsewhere == removed)
        return;
    m_removedElsewhere = removed;
    emit removedElsewhereChanged();
}

void AbstractNote::setLoaded(bool loaded)
{
    if (m_loaded == loaded)
        return;
    m_loaded = loaded;
    emit loadedChanged();
}

void AbstractNote::setCreationDate(const QDateTime &date)
{
    if (m_creationDate == date)
        return;
    m_creationDate = date;
}

void AbstractNote::setSaveError(const QString &error)
{
    if (m_saveError == error)
        return;
    m_saveError = error;
    emit saveErrorChanged();
}

void AbstractNote::load(const QString &file)
{
    if (!file.isEmpty())
        setFile(file);
    // A name with separators or shell characters never names a note file.
    if (!isPlainNoteFileName(m_file))
        return;
    const QString path = fullPath();
    // Only a plain file: reading a FIFO would block for good.
    if (!SafeIniFile::isRegularFile(path))
        return;

    QSettings settings(path, QSettings::IniFormat);
    setTitle(settings.value(QStringLiteral("title"), m_title).toString());

    QColor bg;
    bg.setNamedColor(settings.value(QStringLiteral("background-color"), m_bgColor.name()).toString());
    setBgColor(bg);
    QColor fg;
    fg.setNamedColor(settings.value(QStringLiteral("foreground-color"), m_fgColor.name()).toString());
    setFgColor(fg);

    const QDateTime now = QDateTime::currentDateTime();
    setCreationDate(settings.value(QStringLiteral("creation-date"), now).toDateTime());
    setNotifyType(static_cast<NotifyType>(settings.value(QStringLiteral("notify-type"), m_notifyType).toInt()));
    setNotifyDate(settings.value(QStringLiteral("notify-date"), now).toDateTime());

    // A one-time reminder whose moment has passed is over: the only write a load makes.
    if (m_notifyType == RepeatOnce && hasPassed(m_notifyDate)) {
        ReminderHistory::recordExpired(m_file, m_notifyDate);
        setNotifyType(RepeatNever);
        SafeIniFile expired(path);
        if (expired.isOpen()) {
            expired.settings()->setValue(QStringLiteral("notify-type"), int(RepeatNever));
            expired.commit();
        }
        removeCronLine(m_file);
    }

    loadContent(settings);
    setChangedElsewhere(false);
    // Whatever failed before concerned edits that the file now replaces.
    setSaveError(QString());
    setLoaded(true);
}

bool AbstractNote::save()
{
    if (!writeFile())
        return false;
    // A reminder switched off or expired loses its line; any other keeps
    // exactly the one it has now.
    if (m_droppedReminder)
        removeCronLine(m_file);
    else if (m_notifyType != RepeatNever)
        replaceCronLine(m_file, cronLine(*this));
    emit saved(m_file, m_modifyDate);
    return true;
}

bool AbstractNote::writeFile()
{
    // Only the collection names notes; without a proper name there is nothing to write.
    // Nor for a note another program removed: the file would come back alone.
    if (!isPlainNoteFileName(m_file) || m_removedElsewhere)
        return false;

    SafeIniFile file(fullPath());
    QSettings *settings = file.settings();
    if (!settings) {
        setSaveError(file.errorString());
        return false;
    }
    const int previousType = settings->value(QStringLiteral("notify-type"), m_notifyType).toInt();
    const bool expire = m_notifyType == RepeatOnce && hasPassed(m_notifyDate);
    const bool dropReminder = expire || (m_notifyType == RepeatNever && previousType != RepeatNever);

    settings->setValue(QStringLiteral("title"), m_title);
    settings->setValue(QStringLiteral("background-color"), m_bgColor.name());
    settings->setValue(QStringLiteral("foreground-color"), m_fgColor.name());
    settings->setValue(QStringLiteral("creation-date"), m_creationDate);
    settings->setValue(QStringLiteral("notify-type"), m_notifyType);
    settings->setValue(QStringLiteral("notify-date"), m_notifyDate);
    saveContent(*settings);
    if (dropReminder)
        settings->setValue(QStringLiteral("notify-type"), int(RepeatNever));
    // Other processes reload the note as soon as they hear of the save: the
    // file must be complete before anybody is told. A failed write changes
    // neither the file nor the crontab.
    if (!file.commit()) {
        setSaveError(file.errorString());
        return false;
    }

    m_droppedReminder = dropReminder;
    if (expire)
        setNotifyType(RepeatNever);
    setSaveError(QString());
    setModifyDate(QDateTime::currentDateTime());
    // What is on disk now is the user's version, and what the note holds.
    setChangedElsewhere(false);
    setLoaded(true);
    return true;
}
