import QtQuick 2.9
import QtQuick.Controls 2.5

// A square icon button for title rows and tool bars.
AbstractButton {
    id: menuButton

    property alias image: buttonImage
    property string toolTipText: ""

    implicitWidth: Math.round(48 * dpiRatio)
    implicitHeight: implicitWidth
    height: parent ? parent.height : implicitHeight
    width: height
    padding: 0
    hoverEnabled: true
    focusPolicy: Qt.NoFocus

    background: Rectangle {
        radius: Math.round(4 * dpiRatio)
        color: menuButton.pressed ? styles.pressedColor
                                  : (menuButton.hovered && menuButton.enabled ? "#14000000" : "transparent")
        Behavior on color { ColorAnimation { duration: 100 } }
    }

    contentItem: Item {
        ZibColoredImage {
            id: buttonImage
            anchors.centerIn: parent
            width: Math.round(parent.height * 0.55)
            height: width
            opacity: menuButton.enabled ? 1 : 0.45
        }
    }

    ToolTip.visible: toolTipText !== "" && hovered
    ToolTip.text: toolTipText
    ToolTip.delay: 700
}
