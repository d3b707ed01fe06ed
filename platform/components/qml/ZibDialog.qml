import QtQuick 2.15
import QtQuick.Controls 2.15

// Base of the window's dialogs: a centred card with a title row, content and
// Cancel/OK buttons. okHandler and cancelHandler return true to keep the
// dialog open. The dialog destroys itself once closed.
Popup {
    id: dialog

    property var options: ({})
    property string title: ""
    property bool showOkButton: true
    property bool showCancelButton: true
    property bool okEnabled: true
    property string okText: qsTr("OK")
    property string cancelText: qsTr("Cancel")
    property var okHandler: null
    property var cancelHandler: null
    property real preferredWidth: Math.round(420 * dpiRatio)
    default property alias content: contentHolder.data
    readonly property real unit: Math.round(50 * dpiRatio)
    property bool _done: false

    function accept() {
        if (_done || !okEnabled)
            return
        var keep = typeof okHandler === "function" ? okHandler() === true : false
        if (!keep) {
            _done = true
            close()
        }
    }

    function reject() {
        if (_done)
            return
        var keep = typeof cancelHandler === "function" ? cancelHandler() === true : false
        if (!keep) {
            _done = true
            close()
        }
    }

    parent: Overlay.overlay
    anchors.centerIn: parent
    width: Math.min(preferredWidth, (parent ? parent.width : preferredWidth) - 2 * Math.round(16 * dpiRatio))
    height: Math.min(implicitHeight, (parent ? parent.height : implicitHeight) - 2 * Math.round(16 * dpiRatio))
    modal: true
    focus: true
    closePolicy: Popup.NoAutoClose
    padding: 0

    onClosed: destroy()

    Overlay.modal: Rectangle { color: "#66000000" }

    enter: Transition {
        ParallelAnimation {
            NumberAnimation { property: "opacity"; from: 0; to: 1; duration: 140 }
            NumberAnimation { property: "scale"; from: 0.95; to: 1; duration: 140; easing.type: Easing.OutCubic }
        }
    }
    exit: Transition {
        NumberAnimation { property: "opacity"; from: 1; to: 0; duration: 100 }
    }

    background: Rectangle {
        radius: Math.round(6 * dpiRatio)
        color: styles.colors.white
        border.color: styles.separatorColor
    }

    contentItem: Item {
        implicitHeight: titleRow.height + contentHolder.implicitHeight + buttonRow.height

        Shortcut {
            sequences: ["Esc", "Back"]
            enabled: dialog.opened
            onActivated: dialog.reject()
        }
        Shortcut {
            sequences: ["Return", "Enter"]
            enabled: dialog.opened && dialog.showOkButton
            onActivated: dialog.accept()
        }

        Item {
            id: titleRow
            anchors.left: parent.left
            anchors.right: parent.right
            height: dialog.unit

            ZibLabel {
                anchors.left: parent.left
                anchors.leftMargin: Math.round(16 * dpiRatio)
                anchors.right: closeButton.left
                anchors.verticalCenter: parent.verticalCenter
                text: dialog.title
                font.pixelSize: styles.label.large
                font.bold: true
                elide: Text.ElideRight
            }

            ZibMenuButton {
                id: closeButton
                objectName: "dialogCloseButton"
                anchors.right: parent.right
                anchors.top: parent.top
                anchors.bottom: parent.bottom
                image.imagePath: "image://ThemeImageProvider/window-close"
                toolTipText: qsTr("Close")
                onClicked: dialog.reject()
            }
        }

        Item {
            id: contentHolder
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.top: titleRow.bottom
            anchors.bottom: buttonRow.top
            implicitHeight: childrenRect.height
        }

        Row {
            id: buttonRow
            anchors.right: parent.right
            anchors.rightMargin: Math.round(12 * dpiRatio)
            anchors.bottom: parent.bottom
            height: dialog.showOkButton || dialog.showCancelButton ? dialog.unit * 1.1 : Math.round(12 * dpiRatio)
            spacing: Math.round(8 * dpiRatio)

            Button {
                id: cancelButton
                objectName: "dialogCancelButton"
                anchors.verticalCenter: parent.verticalCenter
                visible: dialog.showCancelButton
                text: dialog.cancelText
                flat: true
                onClicked: dialog.reject()
            }

            Button {
                id: okButton
                objectName: "dialogOkButton"
                anchors.verticalCenter: parent.verticalCenter
                visible: dialog.showOkButton
                enabled: dialog.okEnabled
                text: dialog.okText
                onClicked: dialog.accept()
                contentItem: Text {
                    text: okButton.text
                    font: okButton.font
                    color: styles.onHighlightColor
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                }
                background: Rectangle {
                    implicitWidth: Math.round(88 * dpiRatio)
                    implicitHeight: Math.round(36 * dpiRatio)
                    radius: Math.round(4 * dpiRatio)
                    color: !okButton.enabled ? styles.colors.lightGray
                                             : okButton.down ? Qt.darker(styles.highlightColor, 1.2) : styles.highlightColor
                }
            }
        }
    }
}
