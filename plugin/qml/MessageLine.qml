import QtQuick 2.15
import Zib.Components 1.0

// One line across the bottom of a page telling what went wrong, such as a
// note that could not be saved. Hidden while the text is empty; a click
// hides it, and with a timeout it goes by itself.
Rectangle {
    id: messageLine

    property string text: ""
    property int timeout: 0

    function show(message) {
        text = message
        hideTimer.restart()
    }

    visible: text !== ""
    height: visible ? Math.round(content.implicitHeight + 12 * dpiRatio) : 0
    color: "#b3261e"
    z: 100

    // Made when there is something to say: most pages never show the line.
    Loader {
        id: content
        anchors.fill: parent
        active: messageLine.text !== ""
        sourceComponent: ZibLabel {
            objectName: "messageLabel"
            leftPadding: 10 * dpiRatio
            rightPadding: 10 * dpiRatio
            verticalAlignment: Text.AlignVCenter
            text: messageLine.text
            color: "white"
            elide: Text.ElideRight
            maximumLineCount: 1

            MouseArea {
                anchors.fill: parent
                onClicked: messageLine.text = ""
            }
        }
    }

    Timer {
        id: hideTimer
        interval: messageLine.timeout
        running: false
        onTriggered: if (messageLine.timeout > 0) messageLine.text = ""
    }
}
