import QtQuick 2.9
import QtQuick.Controls 2.5

// A wheel of numbers for the pickers; the current row sits in a band.
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
    function setValue(v) {
        var index = Math.round(Number(v)) - first
        if (!isNaN(index) && index >= 0 && index < count)
            currentIndex = index
    }

    implicitWidth: Math.round(64 * dpiRatio)
    implicitHeight: Math.round(180 * dpiRatio)
    visibleItemCount: 5

    background: Rectangle {
        y: Math.round((tumbler.height - height) / 2)
        width: tumbler.width
        height: tumbler.height / tumbler.visibleItemCount
        radius: Math.round(4 * dpiRatio)
        color: Qt.rgba(styles.highlightColor.r, styles.highlightColor.g, styles.highlightColor.b, 0.12)
    }

    delegate: Text {
        text: tumbler.text(index)
        font.pixelSize: styles.label.large
        font.bold: Tumbler.displacement === 0
        color: Math.abs(Tumbler.displacement) < 0.5 ? styles.highlightColor : styles.textColor
        opacity: 1.0 - Math.abs(Tumbler.displacement) / (tumbler.visibleItemCount / 2)
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }
}
