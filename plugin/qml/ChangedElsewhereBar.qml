import QtQuick 2.15
import QtQuick.Controls 2.15
import Zib.Components 1.0

// One line over a note being edited when another program has saved the same
// note meanwhile (load that version, or keep editing: saving then writes this
// one), or over a note shown at all when another program has removed it
// (keep it as a new note).
Rectangle {
    id: bar

    property var noteData: null
    property var model: null
    readonly property bool _removed: !!noteData && noteData.removedElsewhere

    visible: _removed || (!!noteData && noteData.editing && noteData.changedElsewhere)
    height: visible ? row.height + 8 * dpiRatio : 0
    color: "#fff4ce"
    border.color: "#8a6d00"

    Row {
        id: row
        anchors.centerIn: parent
        spacing: 12 * dpiRatio

        ZibLabel {
            anchors.verticalCenter: parent.verticalCenter
            text: bar._removed ? qsTr("This note was deleted elsewhere.") : qsTr("This note was changed elsewhere.")
            color: "#3d3000"
        }
        Button {
            objectName: "keepAsNewNoteButton"
            visible: bar._removed
            text: qsTr("Keep as a new note")
            onClicked: bar.model.keepRemovedNote(bar.noteData)
        }
        Button {
            objectName: "loadOtherVersionButton"
            visible: !bar._removed
            text: qsTr("Load that version")
            onClicked: bar.noteData.load()
        }
        Button {
            objectName: "keepEditingButton"
            visible: !bar._removed
            text: qsTr("Keep mine")
            onClicked: bar.noteData.changedElsewhere = false
        }
    }
}
