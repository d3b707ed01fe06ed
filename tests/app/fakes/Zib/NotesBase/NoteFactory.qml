pragma Singleton
import QtQuick 2.3

// Records every note it makes; none of them is stored anywhere.
QtObject {
    property var created: []
    property Component noteComponent: Component {
        FakeNote {}
    }

    function createNote(type) {
        var note = noteComponent.createObject(null, {
                                                  "type": type
                                              })
        created.push(note)
        return note
    }
    function reset() {
        created = []
    }
}
