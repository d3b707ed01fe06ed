import QtQuick 2.15
import Zib.Components 1.0

// A short notice after notes were deleted, with Undo for about ten seconds.
// The notes model keeps what it removed; Undo asks it to bring that back.
Rectangle {
    id: notice
    objectName: "deleteUndoNotice"

    property var model: null
    property int count: 0
    property int showTime: 10000
    readonly property bool shown: hideTimer.running
    // Only while the main page is in view, not under a note page.
    readonly property bool _offered: shown && visible
    readonly property string text: count === 1 ? qsTr("Note deleted") : qsTr("%n notes deleted", "", count)

    function undo() {
        hideTimer.stop()
        if (!notice.model)
            return
        var refused = false
        var onRefused = function() { refused = true }
        notice.model.errorOccurred.connect(onRefused)
        notice.model.restoreRemovedItems()
        notice.model.errorOccurred.disconnect(onRefused)
        // Another program held the notes, say: Undo stays on offer.
        if (refused)
            hideTimer.restart()
    }

    width: Math.min(content.implicitWidth + 2 * content.x, parent ? parent.width - 20 * dpiRatio : content.implicitWidth)
    height: root.itemHeight
    radius: 4 * dpiRatio
    color: "#e0303030"
    opacity: shown ? 1 : 0
    visible: opacity > 0
    z: 100
    Behavior on opacity { NumberAnimation { duration: 150 } }

    // A model that goes takes what it could bring back with it.
    onModelChanged: hideTimer.stop()

    Connections {
        target: notice.model
        ignoreUnknownSignals: true
        function onItemsRemoved(files) {
            notice.count = files.length
            hideTimer.restart()
        }
    }

    Timer {
        id: hideTimer
        interval: notice.showTime
    }

    Shortcut {
        sequences: [StandardKey.Undo]
        enabled: notice._offered
        onActivated: notice.undo()
    }

    // Made while the notice shows: most starts never delete a note.
    Loader {
        id: content
        x: 15 * dpiRatio
        height: parent.height
        active: notice.opacity > 0
        sourceComponent: Row {
            spacing: 20 * dpiRatio

            ZibLabel {
                objectName: "deleteUndoText"
                anchors.verticalCenter: parent.verticalCenter
                text: notice.text
                color: "#ffffff"
                font.pixelSize: root.itemHeight * 0.35
            }

            ZibLabel {
                id: undoButton
                objectName: "undoButton"
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("Undo")
                color: styles.highlightColor2
                font.pixelSize: root.itemHeight * 0.35
                font.bold: true

                MouseArea {
                    anchors.fill: parent
                    anchors.margins: -10 * dpiRatio
                    enabled: notice._offered
                    onClicked: notice.undo()
                }
            }
        }
    }
}
