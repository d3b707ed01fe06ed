#include "textnote.h"

#include <QSettings>

TextNote::TextNote(QObject *parent)
    : AbstractNote(parent)
{ }

void TextNote::setText(const QString &text)
{
    if (m_text == text)
        return;
    m_text = text;
    emit textChanged();
    emit previewTextChanged();
}

void TextNote::saveContent(QSettings &settings)
{
    settings.setValue(QStringLiteral("text"), m_text);
}

void TextNote::loadContent(QSettings &settings)
{
    setText(settings.value(QStringLiteral("text"), QString()).toString());
}
