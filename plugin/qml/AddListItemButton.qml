import QtQuick 2.15
import Zib.Components 1.0

// The "Add item" row above and below the entries of a check-list page.
// It reads noteData, root and dpiRatio from the page that creates it.
Item {
    id: addListItemButton

    signal clicked()
    signal doubleClicked()

    width: ListView.view ? ListView.view.width : (parent ? parent.width : 0)
    height: visible ? root.itemHeight : 0
    clip: true
    activeFocusOnTab: visible
    Accessible.role: Accessible.Button
    Accessible.name: qsTr("Add item")
    Accessible.onPressAction: clicked()
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    Keys.onSpacePressed: clicked()

    Rectangle {
        anchors.fill: parent
        color: "transparent"
        border.width: addListItemButton.activeFocus ? Math.max(2, Math.round(2 * dpiRatio)) : 0
        border.color: styles.highlightColor
    }

    ZibTouchAnimation {
        anchors.fill: parent
        mouseArea: addItemMouseArea
        backColor: root.getColorString(0x55, noteData.lightColor)
        frontColor: root.getColorString(0x55, noteData.lightColor)
    }

    ZibColoredImage {
        id: image
        width: 25 * dpiRatio
        height: parent.height
        imageSourceSize: Qt.size(height, height)
        imageFillMode: Image.PreserveAspectFit
        imagePath: "image://ThemeImageProvider/edit-add"
        imageColorEnabled: true
        imageColor: noteData.fgColor
    }

    ZibLabel {
        x: image.width + 10 * dpiRatio
        width: parent.width
        height: parent.height
        font.pixelSize: root.itemHeight * 0.4
        text: qsTr("Add item")
        verticalAlignment: Text.AlignVCenter
        color: noteData.fgColor
    }

    MouseArea {
        id: addItemMouseArea
        objectName: "addItemMouseArea"
        anchors.fill: parent
        onClicked: addListItemButton.clicked()
        onDoubleClicked: addListItemButton.doubleClicked()
    }

    ZibSeparator {
        anchors.bottom: parent.bottom
        width: parent.width
    }
}
