import QtQuick 2.15
import Zib.Components 1.0
import Zib.NotesBase 1.0

ZibToolBar {
    id: mainToolbar

    property alias addNoteButton: addNoteButton
    property alias delaySearchTimer: delaySearchTimer

    Rectangle {
        id: viewModeHighlight
        x: notesList.viewMode * width
        width: addNoteButton.width
        height: parent.height
        color: root.getColorString(51, styles.colors.black)
        opacity: mainToolbar.state === "" ? 1 : 0

        Behavior on x {
            NumberAnimation {
                easing.type: Easing.InOutQuad
            }
        }
        Behavior on opacity {
            NumberAnimation {}
        }

        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 3
            color: styles.highlightColor2
        }
    }

    leftRowItems: [
        Repeater {
            model: notesList.viewModes.length
            delegate: ZibMenuButton {
                image.imagePath: notesList.viewModes[index].image
                image.imageSourceSize: Qt.size(parent.height + 10, parent.height + 10)
                checked: notesList.viewMode === index
                checkable: false
                toolTipText: notesList.viewModes[index].name
                Accessible.role: Accessible.RadioButton
                Accessible.checkable: true
                Accessible.checked: checked
                opacity: checked ? 1 : 0.7
                Behavior on opacity {
                    NumberAnimation {}
                }
                onClicked: {
                    if (index === notesList.viewMode)
                        return
                    settings.setInt("view-mode", index, "Notes")
                    notesList.viewMode = index
                }
            }
        },
        ZibSeparator {
            horizontal: false
        }
    ]

    searchLine.inputMethodHints: Qt.ImhNoPredictiveText

    Connections {
        target: mainToolbar.searchLine
        function onTextChanged() {
            delaySearchTimer.restart()
        }
    }

    Timer {
        id: delaySearchTimer
        interval: 200
        repeat: false
        running: false
        onTriggered: controller.proxyModel.setFilter(mainToolbar.searchLine.text)
    }

    rightRowItems: [
        ZibMenuButton {
            id: addNoteButton
            readonly property string menuName: qsTr("New note")
            toolTipText: menuName
            shortcutText: "Ctrl+N"
            image.imagePath: "image://ThemeImageProvider/edit-add"
            onClicked: mainPage.showNewNotePageList()
        }
    ]
}
