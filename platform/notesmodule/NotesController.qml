import QtQuick 2.15
import Zib.NotesBase 1.0

// Owns the notes of a view: the collection model (behind a Loader so that a
// host can drop it while hidden), the date-sorted search proxy over it and
// the list of note kinds with their editing pages.
Item {
    id: controller

    // True when a host program shows the notes as a widget; note pages then
    // report removals through noteRemoved().
    property bool isWidget: false

    property alias modelLoader: modelLoader
    readonly property var model: modelLoader.item
    readonly property alias proxyModel: proxyModel

    readonly property var notes: [
        { text: qsTr("Text note"), page: "qrc:/qml/TextNotePage.qml", type: Note.TextType },
        { text: qsTr("List note"), page: "qrc:/qml/ListNotePage.qml", type: Note.ListType },
        { text: qsTr("Canvas note"), page: "qrc:/qml/CanvasNotePage.qml", type: Note.CanvasType }
    ]

    signal noteRemoved()

    // The kind description for a note type, or null for an unknown type.
    function noteByType(type) {
        for (var i = 0; i < notes.length; ++i) {
            if (notes[i].type === type)
                return notes[i];
        }
        return null;
    }

    visible: false

    Loader {
        id: modelLoader
        active: true
        sourceComponent: Component {
            NotesModel {}
        }
    }

    NotesProxyModel {
        id: proxyModel
    }

    // The proxy sorts when it gets its source, so hand it over each time a
    // model appears (and drop it when the loader is switched off).
    onModelChanged: proxyModel.setSourceModel(model ? model : null)

    Component.onCompleted: {
        if (proxyModel.sourceModel !== model)
            proxyModel.setSourceModel(model ? model : null);
        NoteWatcher.start();
    }
}
