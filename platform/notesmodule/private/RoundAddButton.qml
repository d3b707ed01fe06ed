import QtQuick 2.15

// Floating round "+" button.
Item {
    id: button

    readonly property real unit: typeof dpiRatio === "number" && dpiRatio > 0 ? dpiRatio : 1
    readonly property bool pressed: mouseArea.pressed
    property color color: styles.highlightColor
    property color glyphColor: styles.onHighlightColor

    signal clicked()

    activeFocusOnTab: visible
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    Keys.onSpacePressed: clicked()

    width: 56 * unit
    height: width

    Rectangle {
        anchors.fill: face
        anchors.topMargin: 2 * button.unit
        anchors.bottomMargin: -4 * button.unit
        anchors.leftMargin: -1 * button.unit
        anchors.rightMargin: -1 * button.unit
        radius: width / 2
        color: "#000000"
        opacity: 0.12
    }

    Rectangle {
        id: face
        anchors.fill: parent
        radius: width / 2
        color: button.pressed ? Qt.darker(button.color, 1.15) : button.color
        scale: button.pressed ? 0.95 : 1
        border.width: button.activeFocus ? Math.max(2, Math.round(3 * button.unit)) : 0
        border.color: styles.textColor

        Behavior on scale { NumberAnimation { duration: 80 } }

        // The "+" is drawn rather than typed so it sits centred in any font.
        Rectangle {
            anchors.centerIn: parent
            width: parent.width * 0.4
            height: Math.max(2, Math.round(3 * button.unit))
            radius: height / 2
            color: button.glyphColor
        }
        Rectangle {
            anchors.centerIn: parent
            width: Math.max(2, Math.round(3 * button.unit))
            height: parent.height * 0.4
            radius: width / 2
            color: button.glyphColor
        }
    }

    Accessible.role: Accessible.Button
    Accessible.name: qsTr("New note")
    Accessible.onPressAction: clicked()

    MouseArea {
        id: mouseArea
        anchors.fill: parent
        cursorShape: Qt.PointingHandCursor
        onClicked: button.clicked()
    }
}
