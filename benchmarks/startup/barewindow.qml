import QtQuick 2.9
import QtQuick.Controls 2.5

// The yardstick: a plain Qt Quick Controls window with a list of 100 texts.
ApplicationWindow {
    width: 720
    height: 640
    visible: true
    title: "Bare window"

    ListView {
        anchors.fill: parent
        model: 100
        delegate: Text {
            text: "Item " + index
            height: 40
            font.pixelSize: 16
        }
    }
}
