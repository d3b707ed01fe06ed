import QtQuick 2.15
import QtQuick.Controls 2.15

// A slider over count positions; index is the chosen one (0..count-1).
Item {
    id: zibSlider

    property int index: 0
    property int count: 2
    readonly property bool mousePressed: slider.pressed
    property alias slider: slider
    // What a screen reader calls the slider.
    property string accessibleName: ""

    implicitWidth: Math.round(200 * dpiRatio)
    implicitHeight: Math.round(32 * dpiRatio)

    Slider {
        id: slider
        anchors.fill: parent
        padding: Math.round(Math.min(6 * dpiRatio, zibSlider.height / 5))
        from: 0
        to: Math.max(1, zibSlider.count - 1)
        stepSize: 1
        snapMode: Slider.SnapAlways
        enabled: zibSlider.count > 1
        value: Math.max(0, Math.min(zibSlider.index, zibSlider.count - 1))
        onMoved: zibSlider.index = Math.round(value)
        Accessible.name: zibSlider.accessibleName

        background: Rectangle {
            x: slider.leftPadding
            y: slider.topPadding + slider.availableHeight / 2 - height / 2
            width: slider.availableWidth
            height: Math.max(2, Math.round(4 * dpiRatio))
            radius: height / 2
            color: styles.separatorColor
            Rectangle {
                width: slider.visualPosition * parent.width
                height: parent.height
                radius: parent.radius
                color: styles.highlightColor
            }
        }

        handle: Rectangle {
            x: slider.leftPadding + slider.visualPosition * (slider.availableWidth - width)
            y: slider.topPadding + slider.availableHeight / 2 - height / 2
            width: Math.round(Math.min(slider.availableHeight, 20 * dpiRatio))
            height: width
            radius: width / 2
            color: slider.pressed ? Qt.darker(styles.highlightColor, 1.2) : styles.highlightColor
            border.color: styles.colors.white
            border.width: Math.max(1, Math.round(2 * dpiRatio))
        }
    }
}
