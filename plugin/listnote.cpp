#include "listnote.h"

#include <QSettings>
#include <QVector>

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
    const int size = settings.beginReadArray(QStringLiteral("data"));
    // The length entry may be damaged: only entries really present are read,
    // in their numbered order, so that a file of a few bytes can never make
    // millions of entries. Entries beyond the length are leftovers of a
    // longer list and do not count.
    QVector<int> numbers;
    const QStringList entries = settings.childGroups();
    for (const QString &entry : entries) {
        bool ok = false;
        const int number = entry.toInt(&ok);
        if (ok && number >= 1 && number <= size && QString::number(number) == entry)
            numbers.append(number);
    }
    std::sort(numbers.begin(), numbers.end());
    for (const int number : qAsConst(numbers)) {
        settings.setArrayIndex(number - 1);
        m_checked.append(settings.value(QStringLiteral("checked"), false).toBool());
        m_texts.append(settings.value(QStringLiteral("text"), QString()).toString());
    }
    settings.endArray();
    emit checkedChanged();
    emit textsChanged();
    emit previewTextChanged();
}
