// libFuzzer target over the two loaders that read user files: a note file
// (for each kind of note) and "notes.conf" (the collection index). The first
// input byte picks the loader; the rest becomes the file's content.
#include "abstractnote.h"
#include "notesdirectory.h"
#include "notesmodel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QVariant>

#include <cstdint>
#include <cstdlib>

namespace {

QCoreApplication *application()
{
    static int argc = 1;
    static char name[] = "zib-notes";
    static char *argv[] = { name, nullptr };
    static QCoreApplication *app = [] {
        QCoreApplication::setApplicationName(QStringLiteral("zib-notes"));
        return new QCoreApplication(argc, argv);
    }();
    return app;
}

void writeFile(const QString &path, const uint8_t *data, size_t size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        abort();
    file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
}

void loadNote(AbstractNote::NoteType type, const QString &dir, const uint8_t *data, size_t size)
{
    writeFile(dir + QStringLiteral("/1.note"), data, size);
    QScopedPointer<AbstractNote> note(AbstractNote::createNote(type));
    note->load(QStringLiteral("1.note"));
    // Touch everything a view would read.
    (void)note->previewText();
    (void)note->title();
    (void)note->bgColor().name();
    (void)note->lightColor().name();
    (void)note->notifyDate().toString();
    (void)note->creationDate().toString();
}

void loadCollection(const QString &dir, const uint8_t *data, size_t size)
{
    writeFile(dir + QStringLiteral("/notes.conf"), data, size);
    NotesModel model;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex index = model.index(row);
        (void)model.data(index, Qt::UserRole + 1);
        (void)model.data(index, Qt::UserRole + 2);
        const QString file = model.data(index, Qt::UserRole + 3).toString();
        (void)model.getNoteData(file);
        (void)model.getNotePath(file);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    application();
    const QString dir = notesDirectory();
    QDir().mkpath(dir);
    switch (data[0] % 4) {
    case 0:
        loadNote(AbstractNote::TextType, dir, data + 1, size - 1);
        break;
    case 1:
        loadNote(AbstractNote::ListType, dir, data + 1, size - 1);
        break;
    case 2:
        loadNote(AbstractNote::CanvasType, dir, data + 1, size - 1);
        break;
    default:
        loadCollection(dir, data + 1, size - 1);
        break;
    }
    return 0;
}
