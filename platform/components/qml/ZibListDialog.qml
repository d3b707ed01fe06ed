import QtQuick 2.15
import QtQuick.Controls 2.15

// options: title, model (texts, or objects with text/name), okFunction(index, entry).
ZibDialog {
    id: listDialog

    readonly property var entries: Array.isArray(options.model) ? options.model
                                   : (options.model && options.model.length !== undefined
                                      ? Array.prototype.slice.call(options.model) : [])
    property alias listView: list

    function entryText(entry) {
        if (entry === undefined || entry === null)
            return ""
        if (typeof entry === "object")
            return String(entry.text !== undefined ? entry.text : (entry.name !== undefined ? entry.name : entry))
        return String(entry)
    }

    // Runs okFunction for the entry and closes unless it returns true.
    function choose(index) {
        if (index < 0 || index >= entries.length)
            return
        var keep = typeof options.okFunction === "function" ? options.okFunction(index, entries[index]) === true
                                                             : false
        if (!keep) {
            _done = true
            close()
        }
    }

    title: options.title !== undefined ? String(options.title) : ""
    showOkButton: false
    showCancelButton: false
    cancelHandler: function() {
        return typeof options.cancelFunction === "function" ? options.cancelFunction() : undefined
    }

    ListView {
        id: list
        objectName: "listDialogView"
        width: parent.width
        height: Math.min(contentHeight, listDialog.unit * 7)
        clip: true
        model: listDialog.entries.length
        boundsBehavior: Flickable.StopAtBounds
        // Arrow keys choose, Enter takes the entry.
        focus: true
        activeFocusOnTab: true
        keyNavigationEnabled: true
        Keys.onReturnPressed: if (currentIndex >= 0) listDialog.choose(currentIndex)
        Keys.onEnterPressed: if (currentIndex >= 0) listDialog.choose(currentIndex)
        Accessible.role: Accessible.List
        Accessible.name: listDialog.title
        ScrollIndicator.vertical: ScrollIndicator {}

        delegate: Item {
            width: list.width
            height: listDialog.unit
            Accessible.role: Accessible.ListItem
            Accessible.name: listDialog.entryText(listDialog.entries[index])
            Accessible.selected: ListView.isCurrentItem
            Accessible.onPressAction: listDialog.choose(index)

            Rectangle {
                anchors.fill: parent
                visible: parent.ListView.isCurrentItem && list.activeFocus
                color: Qt.rgba(styles.highlightColor.r, styles.highlightColor.g, styles.highlightColor.b, 0.15)
                border.width: Math.max(2, Math.round(2 * dpiRatio))
                border.color: styles.highlightColor
            }

            ZibTouchAnimation {
                mouseArea: entryArea
            }
            ZibLabel {
                anchors.fill: parent
                anchors.leftMargin: Math.round(16 * dpiRatio)
                anchors.rightMargin: anchors.leftMargin
                verticalAlignment: Text.AlignVCenter
                text: listDialog.entryText(listDialog.entries[index])
                elide: Text.ElideRight
            }
            ZibSeparator {
                anchors.bottom: parent.bottom
                visible: index < list.count - 1
            }
            MouseArea {
                id: entryArea
                anchors.fill: parent
                onClicked: listDialog.choose(index)
            }
        }
    }
}
