import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Templates 2.15 as T

// The bar above a list: buttons on the left (leftRowItems), a search line,
// buttons on the right (rightRowItems). toggleHelperBar() swaps it for the
// helper bar with backButton and okButton (state "helper").
Rectangle {
    id: toolBar

    property alias leftRowItems: leftRow.data
    property alias rightRowItems: rightRow.data
    property alias searchLine: searchField
    property alias backButton: backButtonItem
    property alias okButton: okButtonItem
    property alias leftRow: leftRow
    property alias rightRow: rightRow

    // Esc in an empty search line: whoever shows the bar moves the focus on.
    signal searchLeft()

    function toggleHelperBar() {
        state = state === "" ? "helper" : ""
    }

    implicitHeight: Math.round(50 * dpiRatio)
    height: implicitHeight
    color: styles.colors.white

    Item {
        id: normalBar
        anchors.fill: parent
        enabled: opacity > 0.5
        Behavior on opacity { NumberAnimation { duration: 150 } }

        Row {
            id: leftRow
            anchors.left: parent.left
            anchors.top: parent.top
            anchors.bottom: parent.bottom
        }

        TextField {
            id: searchField
            objectName: "searchLine"
            anchors.left: leftRow.right
            anchors.right: rightRow.left
            anchors.leftMargin: Math.round(10 * dpiRatio)
            anchors.rightMargin: Math.round(10 * dpiRatio)
            anchors.verticalCenter: parent.verticalCenter
            height: Math.round(parent.height * 0.7)
            placeholderText: qsTr("Search")
            selectByMouse: true
            Accessible.name: qsTr("Search")
            // The template's tip: the style's document for it is read when a tip is
            // first shown, not with the window.
            T.ToolTip.visible: hovered && text === ""
            T.ToolTip.text: qsTr("Search the notes (Ctrl+F)")
            T.ToolTip.delay: 700
            // Esc first clears the text, then leaves the field; the window's
            // own Esc (leaving the page) waits until then.
            Keys.onShortcutOverride: event.accepted = event.key === Qt.Key_Escape && (text !== "" || activeFocus)
            Keys.onEscapePressed: {
                if (text !== "")
                    clear()
                else
                    toolBar.searchLeft()
            }
            leftPadding: searchIcon.width + Math.round(16 * dpiRatio)
            rightPadding: clearButton.active ? clearButton.width + Math.round(4 * dpiRatio) : Math.round(8 * dpiRatio)
            color: styles.textColor
            font.pixelSize: styles.label.normal
            background: Rectangle {
                radius: height / 2
                color: styles.backgroundColor
                border.color: searchField.activeFocus ? styles.highlightColor : "transparent"
            }

            ZibColoredImage {
                id: searchIcon
                anchors.left: parent.left
                anchors.leftMargin: Math.round(10 * dpiRatio)
                anchors.verticalCenter: parent.verticalCenter
                width: Math.round(parent.height * 0.5)
                height: width
                imagePath: "image://ThemeImageProvider/edit-find"
                imageColorEnabled: true
                imageColor: styles.disabledTextColor
            }

            Loader {
                id: clearButton
                anchors.right: parent.right
                anchors.top: parent.top
                anchors.bottom: parent.bottom
                width: height
                active: searchField.text.length > 0
                sourceComponent: ZibMenuButton {
                    image.imagePath: "image://ThemeImageProvider/edit-clear"
                    toolTipText: qsTr("Clear the search")
                    onClicked: searchField.clear()
                }
            }
        }

        Row {
            id: rightRow
            anchors.right: parent.right
            anchors.top: parent.top
            anchors.bottom: parent.bottom
        }
    }

    Item {
        id: helperBar
        anchors.fill: parent
        opacity: 0
        enabled: opacity > 0.5
        visible: opacity > 0
        Behavior on opacity { NumberAnimation { duration: 150 } }

        ZibMenuButton {
            id: backButtonItem
            objectName: "toolBarBackButton"
            anchors.left: parent.left
            anchors.top: parent.top
            anchors.bottom: parent.bottom
            image.imagePath: "image://ThemeImageProvider/go-previous"
            toolTipText: qsTr("Back")
        }

        ZibMenuButton {
            id: okButtonItem
            objectName: "toolBarOkButton"
            anchors.right: parent.right
            anchors.top: parent.top
            anchors.bottom: parent.bottom
            image.imagePath: "image://ThemeImageProvider/dialog-ok"
            toolTipText: qsTr("OK")
        }
    }

    ZibSeparator {
        anchors.bottom: parent.bottom
    }

    states: State {
        name: "helper"
        PropertyChanges { target: normalBar; opacity: 0 }
        PropertyChanges { target: helperBar; opacity: 1 }
    }
}
