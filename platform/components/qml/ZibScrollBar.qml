import QtQuick 2.15
import QtQuick.Controls 2.15

// A vertical scroll bar along the right edge for the Flickable contentItem.
// Placed over the Flickable (e.g. anchors.fill: sameParent); only the bar
// itself takes mouse input.
Item {
    id: zibScrollBar

    property Flickable contentItem: null
    property alias bar: bar

    ScrollBar {
        id: bar
        readonly property Flickable flick: zibScrollBar.contentItem
        readonly property real total: flick ? flick.contentHeight + flick.topMargin + flick.bottomMargin : 0
        Accessible.name: qsTr("Scroll")

        anchors.right: parent.right
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        orientation: Qt.Vertical
        size: flick && total > 0 ? Math.min(1, flick.height / total) : 1
        position: flick ? flick.visibleArea.yPosition : 0
        active: flick ? (flick.moving || hovered || pressed) : false
        policy: size < 1 ? ScrollBar.AsNeeded : ScrollBar.AlwaysOff
        interactive: true

        onPositionChanged: {
            if (pressed && flick)
                flick.contentY = position * total - flick.topMargin + flick.originY
        }
    }
}
