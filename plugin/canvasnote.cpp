#include "canvasnote.h"

#include "notesdirectory.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSettings>

#include <algorithm>

CanvasNote::CanvasNote(QObject *parent)
    : AbstractNote(parent)
{ }

QString CanvasNote::imagePathFor(int index) const
{
    return fullPath() + QLatin1Char('_') + QString::number(index) + QStringLiteral(".png");
}

int CanvasNote::nextImageIndex() const
{
    // Never the current number and never the one found at load, so that a
    // picture still shown (or cached by the image engine) is not overwritten.
    if (m_imageIndex == m_loadedImageIndex)
        return m_imageIndex == 0 ? 1 : 0;
    if (m_imageIndex + 1 == m_loadedImageIndex)
        return m_imageIndex + 2;
    return m_imageIndex + 1;
}

QString CanvasNote::nextImagePath() const
{
    return imagePathFor(nextImageIndex());
}

QString CanvasNote::imagePath() const
{
    if (file().isEmpty())
        return QString();
    return imagePathFor(m_imageIndex);
}

QUrl CanvasNote::imageUrl() const
{
    const QString path = imagePath();
    return path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path);
}

void CanvasNote::setLineWidth(int width)
{
    if (m_lineWidth == width)
        return;
    m_lineWidth = width;
    emit lineWidthChanged();
}

bool CanvasNote::updateImagePath()
{
    // The previous picture goes only once the new one can be read back; a
    // failed or partial write (full disk, unwritable path) keeps the note on
    // its previous picture and leaves no broken file to be found at load.
    const QString next = nextImagePath();
    if (QImage(next).isNull()) {
        QFile::remove(next);
        return false;
    }
    const QString previous = imagePath();
    if (!previous.isEmpty() && QFile::exists(previous))
        QFile::remove(previous);
    m_imageIndex = nextImageIndex();
    emit imagePathChanged();
    return true;
}

void CanvasNote::saveContent(QSettings &settings)
{
    settings.setValue(QStringLiteral("line-width"), m_lineWidth);
}

void CanvasNote::loadContent(QSettings &settings)
{
    bool ok = false;
    const int width = settings.value(QStringLiteral("line-width"), 5).toInt(&ok);
    if (ok) {
        m_lineWidth = std::max(width, 1);
        emit lineWidthChanged();
    }

    QStringList pictures
        = QDir(notesDirectory())
              .entryList({ file() + QStringLiteral("_*") }, QDir::Files | QDir::Hidden, QDir::Unsorted);
    // Plain string order: with _10 and _9 present, _9 is the current picture.
    std::sort(pictures.begin(), pictures.end());
    if (!pictures.isEmpty()) {
        QString number = pictures.last().split(QLatin1Char('_')).last();
        number.remove(QStringLiteral(".png"));
        const int index = number.toInt();
        m_imageIndex = index;
        m_loadedImageIndex = index;
    }
    emit imagePathChanged();
}
