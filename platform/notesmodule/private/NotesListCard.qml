import QtQuick 2.15

// A card as the notes list's delegate. It is a document of its own so that
// the list can be shown before the cards are compiled (see NotesList); made
// by the list's view, it sees the list's `view`, `notesList` and
// `previewMetrics`.
NoteCard {
    id: card
    width: view.cellWidth
    height: view.cellHeight
    note: model.note
    fileName: model.fileName
    compact: notesList.listLayout
    checkMode: notesList.checkMode
    checked: notesList.checkMode && notesList.checkedNotes.indexOf(card.fileName) >= 0
    current: GridView.isCurrentItem && view.activeFocus
    onClicked: notesList.cardClicked(card.note, card.fileName)
    onPressAndHold: notesList.cardPressAndHold(card.fileName)
    inset: view.spacing / 2
    previewLineHeight: previewMetrics.height
    Component.onCompleted: ++notesList._cardsSinceCollection
}
