import QtQuick 2.15
import QtQuick.Controls 2.15

// options: colorArray [r, g, b, a] (numbers or texts, 0..1), selectFunction(c)
// with c = [r, g, b, a] numbers 0..1. A palette plus red, green and blue
// sliders. Colours are kept without opacity, so none is offered: the chosen
// colour is always opaque.
ZibDialog {
    id: colorDialog

    property real red: 1
    property real green: 1
    property real blue: 1
    readonly property real alpha: 1
    readonly property color currentColor: Qt.rgba(red, green, blue, 1)
    readonly property var swatches: [
        "#fff9c4", "#ffe082", "#ffcc80", "#ffab91", "#f8bbd0", "#e1bee7",
        "#c5cae9", "#bbdefb", "#b2ebf2", "#c8e6c9", "#dcedc8", "#ffffff",
        "#fbc02d", "#f57c00", "#e64a19", "#d32f2f", "#c2185b", "#7b1fa2",
        "#303f9f", "#1976d2", "#0097a7", "#388e3c", "#5d4037", "#000000"
    ]

    function clamp01(v) {
        var n = Number(v)
        return isNaN(n) ? 0 : Math.max(0, Math.min(1, n))
    }
    function setColorArray(array) {
        if (!array || array.length === undefined || array.length < 3)
            return
        red = clamp01(array[0])
        green = clamp01(array[1])
        blue = clamp01(array[2])
    }
    function pick(colorText) {
        var c = Qt.lighter(colorText, 1.0)
        red = c.r
        green = c.g
        blue = c.b
    }

    title: options.title !== undefined ? String(options.title) : qsTr("Colour")
    preferredWidth: Math.round(420 * dpiRatio)
    okHandler: function() {
        return typeof options.selectFunction === "function" ? options.selectFunction([red, green, blue, 1])
                                                             : undefined
    }
    cancelHandler: function() {
        return typeof options.cancelFunction === "function" ? options.cancelFunction() : undefined
    }

    Component.onCompleted: setColorArray(options.colorArray)

    Column {
        x: Math.round(16 * dpiRatio)
        width: parent.width - 2 * x
        spacing: Math.round(10 * dpiRatio)

        Grid {
            id: grid
            objectName: "paletteGrid"
            columns: 6
            spacing: Math.round(6 * dpiRatio)
            readonly property real cell: Math.floor((parent.width - (columns - 1) * spacing) / columns)

            Repeater {
                model: colorDialog.swatches
                Rectangle {
                    objectName: "swatch" + index
                    width: grid.cell
                    height: Math.round(grid.cell * 0.7)
                    radius: Math.round(4 * dpiRatio)
                    color: modelData
                    border.color: Qt.colorEqual(Qt.rgba(colorDialog.red, colorDialog.green, colorDialog.blue, 1), modelData)
                                  ? styles.highlightColor : styles.separatorColor
                    border.width: Qt.colorEqual(Qt.rgba(colorDialog.red, colorDialog.green, colorDialog.blue, 1), modelData)
                                  || activeFocus ? Math.round(3 * dpiRatio) : 1
                    activeFocusOnTab: true
                    Accessible.role: Accessible.Button
                    // The colour's value, such as #fdd835, names it for a screen reader.
                    Accessible.name: qsTr("Colour %1").arg(String(modelData))
                    Accessible.onPressAction: colorDialog.pick(modelData)
                    Keys.onReturnPressed: colorDialog.pick(modelData)
                    Keys.onEnterPressed: colorDialog.pick(modelData)
                    Keys.onSpacePressed: colorDialog.pick(modelData)
                    MouseArea {
                        anchors.fill: parent
                        onClicked: colorDialog.pick(modelData)
                    }
                }
            }
        }

        Repeater {
            id: channels
            model: [
                { name: qsTr("Red"), key: "red" },
                { name: qsTr("Green"), key: "green" },
                { name: qsTr("Blue"), key: "blue" }
            ]
            Row {
                width: parent.width
                height: Math.round(32 * dpiRatio)
                ZibLabel {
                    width: Math.round(70 * dpiRatio)
                    anchors.verticalCenter: parent.verticalCenter
                    text: modelData.name
                    font.pixelSize: styles.label.small
                }
                Slider {
                    objectName: "slider_" + modelData.key
                    width: parent.width - Math.round(70 * dpiRatio) - Math.round(40 * dpiRatio)
                    anchors.verticalCenter: parent.verticalCenter
                    from: 0
                    to: 255
                    stepSize: 1
                    value: Math.round(colorDialog[modelData.key] * 255)
                    onMoved: colorDialog[modelData.key] = value / 255
                    Accessible.name: modelData.name
                }
                ZibLabel {
                    width: Math.round(40 * dpiRatio)
                    anchors.verticalCenter: parent.verticalCenter
                    horizontalAlignment: Text.AlignRight
                    text: Math.round(colorDialog[modelData.key] * 255)
                    font.pixelSize: styles.label.small
                }
            }
        }

        Rectangle {
            objectName: "colorPreview"
            width: parent.width
            height: Math.round(36 * dpiRatio)
            color: colorDialog.currentColor
            border.color: styles.separatorColor
        }
    }
}
