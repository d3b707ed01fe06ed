#pragma once

#include "collectionindex.h"

#include <functional>

class QCryptographicHash;

// Reads "notes.conf" line by line when it is of the plain form QSettings
// itself writes, holding no more than one line and the listing: QSettings'
// own parse of a file of 100,000 groups takes some 50 MiB for a moment.
// Anything beyond that form (comments, quoting, escaped names, lists,
// continued lines, bytes beyond ASCII, a group given twice) is left to
// QSettings, which alone knows every rule of its format.
class NotesConfReader
{
public:
    enum Result { Read, NotPlain };
    // Every group of the section "Notes" into groups, in the order QSettings
    // lists them, and the keys of the file's top into listing. Given a hash,
    // every byte read is added to it: on Read it holds the whole file.
    static Result read(const QString &path, CollectionIndex::Listing *listing, QVector<CollectionIndex::Group> *groups,
                       QCryptographicHash *hash = nullptr);
    // Only the names of the groups of "Notes", handed to visit as they come,
    // in the file's order; a group given twice may be visited twice. On
    // NotPlain some names may have been visited already.
    using NameVisitor = std::function<void(const QString &)>;
    static Result readNames(const QString &path, const NameVisitor &visit);
    // Whether a whole file's content is of that form, with every name spelt
    // without escapes.
    static bool isPlain(const QByteArray &content);
    // A name of a section, or of a key whose group comes before a
    // backslash, as QSettings writes it when it needs no escapes.
    static bool isPlainName(const QByteArray &name, bool groupsAllowed);
    // One value as it stands after the "=" of its line, as QSettings would
    // give it; false for what only QSettings can tell.
    static bool decodeValue(const QByteArray &raw, QVariant *value);
};
