#include "listnote.h"

#include <QSettings>

#include <algorithm>

ListNote::ListNote(QObject *parent)
    : AbstractNote(parent)
{
    // Registering the list types also registers their conversion to a
    // sequential iterable, through which QVariant users walk them.
    qRegisterMetaType<QList<bool>>("QList<bool>");
    qRegisterMetaType<QList<QString>>("QList<QString>");
    // The preview shows done entries in the light colour.
    connect(this, &AbstractNote::bgColorChanged, this, &AbstractNote::previewTextChanged);
    connect(this, &ListNote::checkedChanged, this, &AbstractNote::previewTextChanged);
    connect(this, &ListNote::textsChanged, this, &AbstractNote::previewTextChanged);
}

QString ListNote::previewText() const
{
    const QString lightName = lightColor().name();
    QString preview;
    const int count = std::min(m_checked.size(), m_texts.size());
    for (int i = 0; i < count; ++i) {
        if (m_checked.at(i))
            preview += QStringLiteral("<font color='") + lightName + QStringLiteral("'>");
        preview += QStringLiteral("\u2022 ");
        preview += QString(m_texts.at(i)).replace(QLatin1Char('\n'), QLatin1Char(' '));
        if (m_checked.at(i))
            preview += QStringLiteral("</font>");
        preview += QLatin1Char(' ');
    }
    return preview;
}

void ListNote::setChecked(const QList<bool> &checked)
{
    if (m_checked == checked)
        return;
    m_checked = checked;
    emit checkedChanged();
}

void ListNote::setTexts(const QList<QString> &texts)
{
    if (m_texts == texts)
        return;
    m_texts = texts;
    emit textsChanged();
}

void ListNote::saveContent(QSettings &settings)
{
    settings.beginWriteArray(QStringLiteral("data"));
    const int count = std::min(m_checked.size(), m_texts.size());
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        settings.setValue(QStringLiteral("checked"), m_checked.at(i));
        settings.setValue(QStringLiteral("text"), m_texts.at(i));
    }
    settings.endArray();
}

void ListNote::loadContent(QSettings &settings)
{
    m_checked.clear();
    m_texts.clear();
    int size = settings.beginReadArray(QStringLiteral("data"));
    // A damaged length entry must not make us invent millions of entries:
    // nothing past the highest stored entry can hold data.
    int highest = 0;
    const QStringList entries = settings.childGroups();
    for (const QString &entry : entries)
        highest = std::max(highest, entry.toInt());
    size = std::min(size, highest);
    for (int i = 0; i < size; ++i) {
        settings.setArrayIndex(i);
        m_checked.append(settings.value(QStringLiteral("checked"), false).toBool());
        m_texts.append(settings.value(QStringLiteral("text"), QString()).toString());
    }
    settings.endArray();
    emit checkedChanged();
    emit textsChanged();
    emit previewTextChanged();
}
