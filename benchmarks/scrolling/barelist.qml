import QtQuick 2.15
import QtQuick.Controls 2.15

// The scrolling yardstick: the notes' cards as plainly as Qt Quick shows
// them, in a window of the main window's size, with a grid of the same
// cells below a bar of the tool bar's height. Each card is a rounded face
// with the title, the first lines of the text and the date.
ApplicationWindow {
    width: 750
    height: 667
    visible: true
    title: "Bare list"

    header: Rectangle { height: 52; color: "#eeeeee" }

    GridView {
        objectName: "list"
        anchors.fill: parent
        anchors.margins: 5
        model: itemCount
        cellWidth: Math.floor(width / 4)
        cellHeight: Math.round(cellWidth * 0.9)
        cacheBuffer: cellHeight * 2
        clip: true
        delegate: Rectangle {
            readonly property int number: itemCount - index
            width: GridView.view.cellWidth - 10
            height: GridView.view.cellHeight - 10
            radius: 8
            color: ["#ffffcc", "#ccffcc", "#cce5ff", "#ffd6cc", "#e6ccff"][number % 5]

            Text {
                id: title
                x: 10; y: 10; width: parent.width - 20
                text: "Note " + parent.number
                font.pixelSize: 16
                font.bold: true
                color: "#444444"
            }
            Text {
                x: 10; y: title.y + title.height + 4; width: parent.width - 20
                height: parent.height - y - 30
                text: parent.number % 5 == 0
                      ? "\u2022 Entry 0 of note " + parent.number + " \u2022 Entry 1 of note " + parent.number
                        + " \u2022 Entry 2 of note " + parent.number + " \u2022 Entry 3 of note " + parent.number
                      : "Note " + parent.number + "\nSome text to keep: milk, bread, call the office about "
                        + "the meeting on Thursday.\nLine three."
                font.pixelSize: 14
                color: "#444444"
                wrapMode: Text.Wrap
                elide: Text.ElideRight
                clip: true
            }
            Text {
                x: 10; y: parent.height - height - 10
                text: "10.11.2025 21:43"
                font.pixelSize: 11
                color: "#444444"
            }
        }
    }
}
