import QtQuick 2.3

// List stand-in with the members the main page uses.
Item {
    id: notesList
    objectName: "fakeNotesList"

    property alias list: listView
    property alias addNoteButton: addButton
    property int viewMode: 0
    property var viewModes: [{
            "image": "image://ThemeImageProvider/view-list-details",
            "name": "List"
        }, {
            "image": "image://ThemeImageProvider/view-grid",
            "name": "Grid"
        }, {
            "image": "image://ThemeImageProvider/view-list-text",
            "name": "Titles"
        }]
    property bool checkMode: false
    property var checkedNotes: []
    property int toggleCount: 0

    signal noteClicked(var note)
    signal deleteRequested(var files)

    function toggleCheckMode() {
        toggleCount++
        checkMode = !checkMode
    }

    FakeListView {
        id: listView
        anchors.fill: parent
    }

    Item {
        id: addButton
        width: 10
        height: 10
    }
}
