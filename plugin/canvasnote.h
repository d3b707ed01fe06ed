#pragma once

#include "abstractnote.h"

#include <QUrl>

class CanvasNote : public AbstractNote
{
    Q_OBJECT
    Q_PROPERTY(QString nextImagePath READ nextImagePath)
    Q_PROPERTY(QString imagePath READ imagePath NOTIFY imagePathChanged)
    // The picture as a URL, its path encoded: "#", "?" or "%" in a directory
    // name would otherwise end the URL's path.
    Q_PROPERTY(QUrl imageUrl READ imageUrl NOTIFY imagePathChanged)
    Q_PROPERTY(int lineWidth READ lineWidth WRITE setLineWidth NOTIFY lineWidthChanged)

public:
    explicit CanvasNote(QObject *parent = nullptr);

    NoteType type() const override { return CanvasType; }
    QString previewText() const override { return QString(); }

    QString nextImagePath() const;
    QString imagePath() const;
    QUrl imageUrl() const;
    int lineWidth() const { return m_lineWidth; }
    void setLineWidth(int width);

    int imageIndex() const { return m_imageIndex; }
    int loadedImageIndex() const { return m_loadedImageIndex; }

signals:
    void imagePathChanged();
    void lineWidthChanged();

public slots:
    // Called once the next version of the picture has been written to
    // nextImagePath. False, with the note still on its previous picture,
    // when the new one cannot be read.
    bool updateImagePath();

protected:
    void saveContent(QSettings &settings) override;
    void loadContent(QSettings &settings) override;

private:
    QString imagePathFor(int index) const;
    int nextImageIndex() const;

    int m_imageIndex = 0;
    int m_loadedImageIndex = 0;
    int m_lineWidth = 5;
};
