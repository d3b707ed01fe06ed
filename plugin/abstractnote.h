#pragma once

#include <QColor>
#include <QDateTime>
#include <QObject>
#include <QString>

class QSettings;

class AbstractNote : public QObject
{
    Q_OBJECT
    Q_PROPERTY(NoteType type READ type CONSTANT)
    Q_PROPERTY(bool loaded READ loaded NOTIFY loadedChanged)
    Q_PROPERTY(QString previewText READ previewText NOTIFY previewTextChanged)
    Q_PROPERTY(QString fullPath READ fullPath CONSTANT)
    Q_PROPERTY(QString file READ file NOTIFY fileChanged)
    Q_PROPERTY(QString title READ title WRITE setTitle NOTIFY titleChanged)
    Q_PROPERTY(QColor fgColor READ fgColor WRITE setFgColor NOTIFY fgColorChanged)
    Q_PROPERTY(QColor bgColor READ bgColor WRITE setBgColor NOTIFY bgColorChanged)
    Q_PROPERTY(QColor lightColor READ lightColor NOTIFY bgColorChanged)
    Q_PROPERTY(QDateTime creationDate READ creationDate CONSTANT)
    Q_PROPERTY(QDateTime modifyDate READ modifyDate WRITE setModifyDate NOTIFY modifyDateChanged)
    Q_PROPERTY(NotifyType notifyType READ notifyType WRITE setNotifyType NOTIFY notifyTypeChanged)
    Q_PROPERTY(QDateTime notifyDate READ notifyDate WRITE setNotifyDate NOTIFY notifyDateChanged)
    // Set by a page while the user edits the note: another program's change
    // of it is then not loaded over the edit but told (changedElsewhere).
    Q_PROPERTY(bool editing READ editing WRITE setEditing NOTIFY editingChanged)
    Q_PROPERTY(bool changedElsewhere READ changedElsewhere WRITE setChangedElsewhere NOTIFY changedElsewhereChanged)
    // Set by a page while it shows the note: a note removed elsewhere is
    // kept meanwhile, so that the page can still offer to keep it.
    Q_PROPERTY(bool shown READ shown WRITE setShown NOTIFY shownChanged)
    // Another program removed the note from the collection; saving it would
    // bring a lone file back, so it is refused (NotesModel::keepRemovedNote
    // makes it a note of the collection again).
    Q_PROPERTY(bool removedElsewhere READ removedElsewhere NOTIFY removedElsewhereChanged)
    // Why the last save failed, in one line; empty after a successful save.
    Q_PROPERTY(QString saveError READ saveError NOTIFY saveErrorChanged)

public:
    enum NoteType { TextType = 0, ListType = 1, CanvasType = 2 };
    Q_ENUM(NoteType)

    enum NotifyType {
        RepeatNever = 0,
        RepeatOnce = 1,
        RepeatEveryDay = 2,
        RepeatEveryWeek = 3,
        RepeatEveryMonth = 4,
        RepeatEveryYear = 5
    };
    Q_ENUM(NotifyType)

    explicit AbstractNote(QObject *parent = nullptr);
    ~AbstractNote() override;

    // A new, empty, parentless note of the given kind; null for an unknown kind.
    Q_INVOKABLE static AbstractNote *createNote(AbstractNote::NoteType type);

protected:
    // The kind's own keys, read from and written into the open note file.
    virtual void saveContent(QSettings &settings) = 0;
    virtual void loadContent(QSettings &settings) = 0;

public:
    virtual NoteType type() const = 0;
    virtual QString previewText() const = 0;

    bool loaded() const { return m_loaded; }
    QString fullPath() const;
    QString file() const { return m_file; }
    QString title() const { return m_title; }
    QColor fgColor() const { return m_fgColor; }
    QColor bgColor() const { return m_bgColor; }
    QColor lightColor() const { return m_lightColor; }
    QDateTime creationDate() const { return m_creationDate; }
    QDateTime modifyDate() const { return m_modifyDate; }
    NotifyType notifyType() const { return static_cast<NotifyType>(m_notifyType); }
    QDateTime notifyDate() const { return m_notifyDate; }
    bool editing() const { return m_editing; }
    bool changedElsewhere() const { return m_changedElsewhere; }
    bool shown() const { return m_shown; }
    bool removedElsewhere() const { return m_removedElsewhere; }
    QString saveError() const { return m_saveError; }
    // Whether anybody but the collection depends on this object: a page, a
    // state the user has still to see, or a binding or connection on its
    // properties. The collection may let go of a note not in use.
    bool inUse() const;

    void setTitle(const QString &title);
    void setFgColor(const QColor &color);
    void setBgColor(const QColor &color);
    void setModifyDate(const QDateTime &date);
    void setNotifyType(NotifyType type);
    void setNotifyDate(const QDateTime &date);
    void setEditing(bool editing);
    void setChangedElsewhere(bool changed);
    void setShown(bool shown);
    void setRemovedElsewhere(bool removed);

    // Used by the collection and by load(); not writable from QML.
    void setFile(const QString &file);
    void setLoaded(bool loaded);
    void setCreationDate(const QDateTime &date);
    // The collection reports a failed add of the note here.
    void setSaveError(const QString &error);

signals:
    void loadedChanged();
    void fileChanged();
    void titleChanged();
    void fgColorChanged();
    void bgColorChanged();
    void modifyDateChanged();
    void previewTextChanged();
    void notifyTypeChanged();
    void notifyDateChanged();
    void editingChanged();
    void changedElsewhereChanged();
    void shownChanged();
    void removedElsewhereChanged();
    void saved(const QString &file, const QDateTime &modifyDate);
    void saveErrorChanged();

public slots:
    void load(const QString &file = QString());
    // False when the note file could not be written; the old file is
    // then untouched, saveError says why and saved is not emitted.
    bool save();

public:
    // The file part of save(): writes the note's file and nothing else, no
    // crontab edit and no saved signal, so that the collection can do it
    // while it holds its lock and see to the reminder's line afterwards.
    bool writeFile();

private:
    bool m_loaded = false;
    QString m_file;
    QString m_title;
    QColor m_bgColor;
    QColor m_fgColor;
    QColor m_lightColor;
    QDateTime m_creationDate;
    QDateTime m_modifyDate;
    int m_notifyType = RepeatNever;
    QDateTime m_notifyDate;
    bool m_editing = false;
    bool m_changedElsewhere = false;
    bool m_shown = false;
    bool m_removedElsewhere = false;
    // The last write switched the reminder off (or it had expired).
    bool m_droppedReminder = false;
    QString m_saveError;
};
