import QtQuick 2.15

// options: hour, min (numbers or texts), okFunction(text "hh:mm").
ZibDialog {
    id: timeDialog

    property alias hourTumbler: hours
    property alias minuteTumbler: minutes
    readonly property string timeText: hours.text(hours.currentIndex) + ":" + minutes.text(minutes.currentIndex)

    title: options.title !== undefined ? String(options.title) : qsTr("Time")
    preferredWidth: Math.round(300 * dpiRatio)
    okHandler: function() {
        return typeof options.okFunction === "function" ? options.okFunction(timeText) : undefined
    }
    cancelHandler: function() {
        return typeof options.cancelFunction === "function" ? options.cancelFunction() : undefined
    }

    Component.onCompleted: {
        hours.setValue(parseInt(options.hour, 10) || 0)
        minutes.setValue(parseInt(options.min, 10) || 0)
    }

    Row {
        anchors.horizontalCenter: parent.horizontalCenter
        spacing: Math.round(8 * dpiRatio)

        ZibTumbler {
            id: hours
            objectName: "hourTumbler"
            model: 24
            focus: true
            Accessible.name: qsTr("Hour")
        }
        ZibLabel {
            anchors.verticalCenter: parent.verticalCenter
            text: ":"
            font.pixelSize: styles.label.largest
        }
        ZibTumbler {
            id: minutes
            objectName: "minuteTumbler"
            model: 60
            Accessible.name: qsTr("Minute")
        }
    }
}
