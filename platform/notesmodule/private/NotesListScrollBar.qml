import QtQuick 2.15
import QtQuick.Controls 2.15

// The notes list's scroll bar, a document of its own so that the list can
// be shown before it is compiled (see NotesList).
ScrollBar {
    Accessible.name: qsTranslate("NotesList", "Scroll the notes")
}
