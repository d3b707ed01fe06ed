import QtQuick 2.15
import QtQuick.Templates 2.15 as T

// The round accent button that confirms a page; reachable with Tab.
T.AbstractButton {
    id: roundButton

    property alias image: buttonImage
    property color color: styles.highlightColor
    property string toolTipText: qsTr("OK")

    implicitWidth: Math.round(56 * dpiRatio)
    implicitHeight: implicitWidth
    hoverEnabled: true
    focusPolicy: Qt.StrongFocus

    Accessible.name: toolTipText
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    // The template's tip: the style's document for it is read when a tip is
    // first shown, not with the window.
    T.ToolTip.visible: hovered || visualFocus
    T.ToolTip.text: toolTipText
    T.ToolTip.delay: 700

    background: Item {
        // Soft shadow made of rings; no graphical effects module needed.
        Repeater {
            model: 3
            Rectangle {
                x: -index
                y: -index + Math.round(2 * dpiRatio)
                width: roundButton.width + 2 * index
                height: width
                radius: width / 2
                color: "#000000"
                opacity: roundButton.enabled ? 0.08 : 0.04
            }
        }
        Rectangle {
            anchors.fill: parent
            radius: width / 2
            border.width: roundButton.visualFocus ? Math.max(2, Math.round(2 * dpiRatio)) : 0
            border.color: styles.textColor
            color: !roundButton.enabled ? styles.colors.lightGray
                                        : roundButton.pressed ? Qt.darker(roundButton.color, 1.25)
                                                              : roundButton.hovered ? Qt.lighter(roundButton.color, 1.1)
                                                                                    : roundButton.color
            Behavior on color { ColorAnimation { duration: 120 } }
        }
    }

    contentItem: Item {
        ZibColoredImage {
            id: buttonImage
            anchors.centerIn: parent
            width: Math.round(roundButton.width * 0.45)
            height: width
            imagePath: "image://ThemeImageProvider/dialog-ok"
            imageColorEnabled: true
            imageColor: styles.onHighlightColor
        }
    }
}
