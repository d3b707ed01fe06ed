import QtQuick 2.15
import QtQuick.Templates 2.15 as T

// A square icon button for title rows and tool bars. toolTipText is also the
// name a screen reader announces; Tab reaches the button, Space or Enter
// presses it.
T.AbstractButton {
    id: menuButton

    property alias image: buttonImage
    property string toolTipText: ""
    // Shown after the tool tip, such as "Ctrl+N"; not part of the name.
    property string shortcutText: ""

    implicitWidth: Math.round(48 * dpiRatio)
    implicitHeight: implicitWidth
    height: parent ? parent.height : implicitHeight
    width: height
    padding: 0
    hoverEnabled: true
    focusPolicy: Qt.StrongFocus

    Accessible.name: toolTipText
    Accessible.description: toolTipText

    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()

    background: Rectangle {
        radius: Math.round(4 * dpiRatio)
        color: menuButton.pressed ? styles.pressedColor
                                  : (menuButton.hovered && menuButton.enabled
                                     ? Qt.rgba(styles.colors.black.r, styles.colors.black.g, styles.colors.black.b, 0.08)
                                     : "transparent")
        border.width: menuButton.visualFocus ? Math.max(2, Math.round(2 * dpiRatio)) : 0
        border.color: styles.highlightColor
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

    // The template's tip: the style's document for it is read when a tip is
    // first shown, not with the window.
    T.ToolTip.visible: toolTipText !== "" && (hovered || visualFocus)
    T.ToolTip.text: shortcutText !== "" ? toolTipText + " (" + shortcutText + ")" : toolTipText
    T.ToolTip.delay: 700
}
