import QtQuick 2.15

// A hair line: across its parent (horizontal) or upright in a row, where it
// leaves a little space above and below.
Item {
    property bool horizontal: true
    property alias color: line.color

    width: horizontal ? (parent ? parent.width : 0) : Math.max(1, Math.round(dpiRatio))
    height: horizontal ? Math.max(1, Math.round(dpiRatio)) : (parent ? parent.height : 0)

    Rectangle {
        id: line
        color: styles.separatorColor
        width: parent.width
        height: parent.horizontal ? parent.height : Math.round(parent.height * 0.6)
        anchors.verticalCenter: parent.verticalCenter
    }
}
