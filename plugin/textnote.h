#pragma once

#include "abstractnote.h"

class TextNote : public AbstractNote
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)

public:
    explicit TextNote(QObject *parent = nullptr);

    NoteType type() const override { return TextType; }
    QString previewText() const override { return m_text; }

    QString text() const { return m_text; }
    void setText(const QString &text);

signals:
    void textChanged();

protected:
    void saveContent(QSettings &settings) override;
    void loadContent(QSettings &settings) override;

private:
    QString m_text;
};
