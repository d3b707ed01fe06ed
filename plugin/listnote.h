#pragma once

#include "abstractnote.h"

#include <QList>

class ListNote : public AbstractNote
{
    Q_OBJECT
    // QML sees both lists as arrays; every edit of an element, push, unshift
    // or splice comes back as a write of the whole list.
    Q_PROPERTY(QList<bool> checked READ checked WRITE setChecked NOTIFY checkedChanged)
    Q_PROPERTY(QList<QString> texts READ texts WRITE setTexts NOTIFY textsChanged)

public:
    explicit ListNote(QObject *parent = nullptr);

    NoteType type() const override { return ListType; }
    QString previewText() const override;

    QList<bool> checked() const { return m_checked; }
    void setChecked(const QList<bool> &checked);
    QList<QString> texts() const { return m_texts; }
    void setTexts(const QList<QString> &texts);

signals:
    void checkedChanged();
    void textsChanged();

protected:
    void saveContent(QSettings &settings) override;
    void loadContent(QSettings &settings) override;

private:
    QList<bool> m_checked;
    QList<QString> m_texts;
};
