import QtQuick 2.15
import QtQuick.Controls 2.15

// A wheel of numbers for the pickers; the current row sits in a band. Besides
// dragging: the mouse wheel, a click on a row, and the arrow keys (Page Up and
// Page Down by five, Home and End) turn it.
Tumbler {
    id: tumbler

    property int first: 0
    property int digits: 2
    readonly property int value: currentIndex + first

    function text(index) {
        var t = String(index + first)
        while (t.length < digits)
            t = "0" + t
        return t
    }
    function step(rows) {
        if (count > 0)
            currentIndex = ((currentIndex + rows) % count + count) % count
    }
    function setValue(v) {
        var index = Math.round(Number(v)) - first
        if (!isNaN(index) && index >= 0 && index < count)
            currentIndex = index
    }

    implicitWidth: Math.round(64 * dpiRatio)
    implicitHeight: Math.round(180 * dpiRatio)
    visibleItemCount: 5
    focusPolicy: Qt.StrongFocus
    wrap: true

    Accessible.role: Accessible.SpinBox
    Accessible.description: text(currentIndex)

    Keys.onUpPressed: step(-1)
    Keys.onDownPressed: step(1)
    Keys.onPressed: {
        if (event.key === Qt.Key_PageUp)
            step(-5)
        else if (event.key === Qt.Key_PageDown)
            step(5)
        else if (event.key === Qt.Key_Home)
            currentIndex = 0
        else if (event.key === Qt.Key_End)
            currentIndex = count - 1
        else
            return
        event.accepted = true
    }

    // Wheel only: presses and drags stay the view's.
    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.NoButton
        property real pending: 0
        onWheel: {
            pending += wheel.angleDelta.y
            var rows = Math.trunc(pending / 120)
            if (rows === 0 && Math.abs(wheel.angleDelta.y) > 0 && Math.abs(wheel.angleDelta.y) < 120 && wheel.pixelDelta.y === 0)
                return
            pending -= rows * 120
            tumbler.step(-rows)
        }
    }

    background: Rectangle {
        y: Math.round((tumbler.height - height) / 2)
        width: tumbler.width
        height: tumbler.height / tumbler.visibleItemCount
        radius: Math.round(4 * dpiRatio)
        color: Qt.rgba(styles.highlightColor.r, styles.highlightColor.g, styles.highlightColor.b, 0.12)
        border.width: tumbler.visualFocus ? Math.max(2, Math.round(2 * dpiRatio)) : 0
        border.color: styles.highlightColor
    }

    delegate: Text {
        text: tumbler.text(index)
        font.pixelSize: styles.label.large
        font.bold: Tumbler.displacement === 0
        color: Math.abs(Tumbler.displacement) < 0.5 ? styles.highlightColor : styles.textColor
        opacity: 1.0 - Math.abs(Tumbler.displacement) / (tumbler.visibleItemCount / 2)
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter

        MouseArea {
            anchors.fill: parent
            onClicked: tumbler.currentIndex = index
        }
    }
}
