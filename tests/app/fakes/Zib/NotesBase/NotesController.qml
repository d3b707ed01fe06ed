import QtQuick 2.3

// Controller stand-in: a fake model with a few notes and a recording proxy.
Item {
    id: controller
    objectName: "fakeController"

    property bool isWidget: true
    property alias modelLoader: loader
    property alias model: notesModel
    property alias proxyModel: proxy
    property var notes: [{
            "text": "Text",
            "page": "qrc:/qml/TextNotePage.qml",
            "type": 0
        }, {
            "text": "List",
            "page": "qrc:/qml/ListNotePage.qml",
            "type": 1
        }, {
            "text": "Canvas",
            "page": "qrc:/qml/CanvasNotePage.qml",
            "type": 2
        }]

    function noteByType(type) {
        for (var i = 0; i < notes.length; ++i) {
            if (notes[i].type === type)
                return notes[i]
        }
        return notes[0]
    }

    // Holds nothing: the fake model is always there; only the switch counts.
    Loader {
        id: loader
        active: true
    }

    Component {
        id: noteComponent
        FakeNote {}
    }

    QtObject {
        id: notesModel

        // file name -> note; filled by the tests through addNote()
        property var byFile: ({})
        property var removed: []

        function addNote(file, type, loaded) {
            var note = noteComponent.createObject(controller, {
                                                      "file": file,
                                                      "type": type,
                                                      "loaded": loaded
                                                  })
            byFile[file] = note
            return note
        }
        function getNoteData(file) {
            return byFile.hasOwnProperty(file) ? byFile[file] : false
        }
        function getNotePath(id) {
            return "/notes/" + id
        }
        property var notDue: []
        function reminderDue(id) {
            return notDue.indexOf(id) < 0
        }
        // file names told as announced; reminders the tests make "missed"
        property var announced: []
        property var missed: []
        function reminderAnnounced(file) {
            announced.push(file)
        }
        signal missedRemindersFound(var missed)
        function findMissedReminders() {
            var result = missed
            missed = []
            missedRemindersFound(result)
        }
        // A FIFO in the notes directory, for the tests.
        function isSpecialFile(id) {
            return id === "fifo.note"
        }
        signal errorOccurred(string message)
        function removeItems(files) {
            removed.push(files.slice())
        }
    }

    ListModel {
        id: proxy

        property var filters: []

        function setFilter(text) {
            filters.push(text)
        }
    }
}
