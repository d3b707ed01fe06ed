import QtQuick 2.15

// Press feedback for a MouseArea: the area darkens and a circle grows from
// the press point. Fills its parent unless anchored otherwise.
Item {
    id: touch

    property MouseArea mouseArea: null
    property color backColor: "#14000000"
    property color frontColor: "#1f000000"

    anchors.fill: parent
    clip: true

    Rectangle {
        anchors.fill: parent
        color: touch.backColor
        opacity: touch.mouseArea && touch.mouseArea.pressed ? 1 : 0
        Behavior on opacity { NumberAnimation { duration: 150 } }
    }

    Rectangle {
        id: ripple
        property real size: 0
        width: size
        height: size
        radius: size / 2
        color: touch.frontColor
        opacity: 0
    }

    ParallelAnimation {
        id: rippleAnimation
        NumberAnimation {
            target: ripple
            property: "size"
            from: 0
            to: 2.2 * Math.max(touch.width, touch.height)
            duration: 350
            easing.type: Easing.OutQuad
        }
        NumberAnimation { target: ripple; property: "opacity"; from: 1; to: 0; duration: 450 }
    }

    Connections {
        target: touch.mouseArea
        ignoreUnknownSignals: true
        function onPressed(mouse) {
            var p = touch.mapFromItem(touch.mouseArea, mouse.x, mouse.y)
            ripple.x = Qt.binding(function() { return p.x - ripple.size / 2 })
            ripple.y = Qt.binding(function() { return p.y - ripple.size / 2 })
            rippleAnimation.restart()
        }
    }
}
