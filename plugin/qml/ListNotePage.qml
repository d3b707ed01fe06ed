import QtQuick 2.15
import Zib.Components 1.0

NotePage {
    id: listNotePage

    title: noteData && noteData.loaded ? noteData.title : qsTr("New list note")
    titleImage.imagePath: "image://ThemeImageProvider/format-list-unordered"
    // The frame's double-click area covers only the title.
    _mouseArea.anchors.bottomMargin: _contentItem ? _contentItem.height : 0
    okFunction: saveListNote
    cancelFunction: saveOnCancel

    function saveListNote() {
        if (_textEditTitle.length === 0 && noteData.texts.length > 0)
            noteData.title = noteData.texts[0]
        return saveNote()
    }

    function saveOnCancel() {
        if (_isEditing)
            return cancelNote()
        // Ticks made while viewing; the page stays and says why when they
        // could not be written.
        return _changed && noteData.save() === false
    }

    function setEditMode(mouseX, mouseY) {
        if (_changed) {
            noteData.save()
            _changed = false
        }
        state = "editing"
        if (mouseX && mouseY)
            setCursorOnEdit(mouseX, mouseY)
    }

    // The note's arrays are edited on copies and written back whole, so
    // that each edit reaches the note as one property write.
    function _copy(list) {
        return Array.prototype.slice.call(list)
    }

    function _toggle(index) {
        var checked = _copy(noteData.checked)
        checked[index] = !checked[index]
        noteData.checked = checked
        _changed = true
    }

    function _setText(index, text) {
        var texts = _copy(noteData.texts)
        if (index < 0 || index >= texts.length || texts[index] === text)
            return
        texts[index] = text
        noteData.texts = texts
    }

    function _remove(index) {
        _changed = true
        var checked = _copy(noteData.checked)
        var texts = _copy(noteData.texts)
        checked.splice(index, 1)
        texts.splice(index, 1)
        noteData.checked = checked
        noteData.texts = texts
    }

    function _addTop() {
        _contentItem._upperItemCreated = true
        var checked = _copy(noteData.checked)
        var texts = _copy(noteData.texts)
        checked.unshift(false)
        texts.unshift("")
        noteData.checked = checked
        noteData.texts = texts
        if (_isEditing)
            _changed = true
    }

    // Enter in an entry: a new, empty entry right below it takes the cursor.
    function _insertAfter(index) {
        _contentItem._focusIndex = index + 1
        var checked = _copy(noteData.checked)
        var texts = _copy(noteData.texts)
        checked.splice(index + 1, 0, false)
        texts.splice(index + 1, 0, "")
        noteData.checked = checked
        noteData.texts = texts
        _changed = true
    }

    function _addBottom() {
        _contentItem._downItemCreated = true
        var checked = _copy(noteData.checked)
        var texts = _copy(noteData.texts)
        checked.push(false)
        texts.push("")
        noteData.checked = checked
        noteData.texts = texts
        if (_isEditing)
            _changed = true
    }

    function _move(from, to) {
        var checked = _copy(noteData.checked)
        var texts = _copy(noteData.texts)
        var before = texts.join("\n")
        checked.splice(to, 0, checked.splice(from, 1)[0])
        texts.splice(to, 0, texts.splice(from, 1)[0])
        noteData.checked = checked
        noteData.texts = texts
        // The entries were shifted on screen during the drag: lay them
        // out afresh from the new order. The list is empty for a moment, so
        // the page's scroll position is put back afterwards.
        var list = _contentItem
        var contentY = _flickable.contentY
        list.model = 0
        list.model = Qt.binding(function() { return listNotePage.noteData.texts.length })
        list.forceLayout()
        _flickable.contentY = contentY
        // Entries whose text changed through the move count as a change.
        if (texts.join("\n") !== before)
            _changed = true
    }

    Timer {
        id: focusTimer
        property var focusObject: null
        interval: 0
        onTriggered: {
            if (focusObject) {
                focusObject.forceActiveFocus()
                listNotePage._ensureVisible(focusObject)
            }
            focusObject = null
        }
    }

    function _ensureVisible(item) {
        var f = _flickable
        var y = item.mapToItem(f.contentItem, 0, 0).y
        if (y < f.contentY)
            f.contentY = Math.max(y, 0)
        else if (y + item.height > f.contentY + f.height)
            f.contentY = Math.min(y + item.height - f.height, Math.max(f.contentHeight - f.height, 0))
    }

    _contentComponent: Component {
        ListView {
            id: taskList
            objectName: "taskList"

            readonly property bool canBeSaved: count > 0
            property date _enteredTimestamp: new Date()
            property bool _upperItemCreated: false
            property bool _downItemCreated: false
            property int _focusIndex: -1

            // The page's scrolling area scrolls; the list itself is as
            // high as its content.
            interactive: false
            model: listNotePage.noteData ? listNotePage.noteData.texts.length : 0

            header: AddListItemButton {
                objectName: "addTopButton"
                visible: listNotePage._isEditing
                onClicked: listNotePage._addTop()
            }

            footer: AddListItemButton {
                objectName: "addBottomButton"
                visible: listNotePage._isEditing
                onClicked: listNotePage._addBottom()
            }

            delegate: DropArea {
                id: dropArea
                objectName: "entry" + index

                property int newIndex: index
                readonly property alias textEdit: textEdit
                readonly property alias dragArea: dragArea
                readonly property alias delegateItem: delegateItem

                width: taskList.width
                height: textEdit.height + 2 * textEdit.y
                z: delegateItem.Drag.active ? 999 : 1

                Component.onCompleted: {
                    var last = listNotePage.noteData.texts.length - 1
                    if ((taskList._upperItemCreated && index === 0)
                            || (taskList._downItemCreated && index === last)
                            || taskList._focusIndex === index) {
                        taskList._upperItemCreated = false
                        taskList._downItemCreated = false
                        taskList._focusIndex = -1
                        // Focusing during creation does not take effect.
                        focusTimer.focusObject = textEdit
                        focusTimer.restart()
                    }
                }

                onEntered: {
                    var source = drag.source
                    if (!source || source === delegateItem || source.draggedIndex === undefined)
                        return
                    if (Math.abs(newIndex - source.draggedIndex) > 1)
                        return
                    var now = new Date()
                    if (now - taskList._enteredTimestamp < 50)
                        return
                    taskList._enteredTimestamp = now

                    var dragged = source.parent
                    var draggedHeight = dragged.height
                    var ownHeight = dropArea.height
                    var draggedY = dragged.y
                    var ownY = dropArea.y
                    if (newIndex > source.draggedIndex) {
                        // The dragged entry moves down past this one.
                        dropArea.y = draggedY
                        delegateItem.y = draggedHeight
                        dragged.y = ownY + ownHeight - draggedHeight
                        source.y -= ownHeight
                    } else {
                        dropArea.y = draggedY + draggedHeight - ownHeight
                        delegateItem.y = -draggedHeight
                        dragged.y = ownY
                        source.y += ownHeight
                    }
                    yAnim.restart()

                    var swap = newIndex
                    newIndex = source.draggedIndex
                    source.draggedIndex = swap
                }

                Rectangle {
                    anchors.fill: parent
                    color: styles.highlightColor2
                    opacity: 0.5
                    visible: dragArea.drag.active && index !== delegateItem.draggedIndex
                }

                Item {
                    id: delegateItem

                    property int draggedIndex: index

                    width: dropArea.width
                    height: dropArea.height
                    clip: true
                    Drag.active: dragArea.drag.active
                    Drag.source: delegateItem
                    Drag.hotSpot.y: height / 2

                    ZibTouchAnimation {
                        anchors.fill: parent
                        mouseArea: ma1
                        backColor: root.getColorString(0x55, listNotePage.noteData.lightColor)
                        frontColor: root.getColorString(0x55, listNotePage.noteData.lightColor)
                    }

                    ZibLabel {
                        id: removeLabel
                        objectName: "removeLabel"
                        width: 25 * dpiRatio
                        height: parent.height
                        font.pixelSize: root.itemHeight * 0.4
                        text: "\u2717"
                        horizontalAlignment: Text.AlignHCenter
                        verticalAlignment: Text.AlignVCenter
                        color: styles.colors.crimson
                        visible: listNotePage._isEditing
                        enabled: visible

                        MouseArea {
                            objectName: "removeMouseArea"
                            anchors.fill: parent
                            onClicked: listNotePage._remove(index)
                        }
                    }

                    ZibTextEditRaw {
                        id: textEdit
                        objectName: "entryTextEdit"
                        y: 10 * dpiRatio
                        x: removeLabel.visible ? removeLabel.width + 10 * dpiRatio : 0
                        width: dropArea.width - checkedLabel.width - dragItem.width
                        height: contentHeight
                        textFormat: TextEdit.PlainText
                        wrapMode: TextEdit.Wrap
                        font.pixelSize: root.itemHeight * 0.4
                        text: {
                            var t = listNotePage.noteData.texts[index]
                            return t === undefined ? "" : t
                        }
                        color: listNotePage.noteData.checked[index] ? listNotePage.noteData.lightColor
                                                                    : listNotePage.noteData.fgColor
                        readOnly: !listNotePage._isEditing
                        selectByMouse: false
                        Accessible.name: qsTr("Entry %1").arg(index + 1)
                        // Enter makes the next entry; Shift+Enter breaks the line.
                        Keys.onReturnPressed: {
                            if (event.modifiers & (Qt.ShiftModifier | Qt.ControlModifier) || readOnly)
                                event.accepted = false
                            else
                                listNotePage._insertAfter(index)
                        }
                        Keys.onEnterPressed: {
                            if (event.modifiers & (Qt.ShiftModifier | Qt.ControlModifier) || readOnly)
                                event.accepted = false
                            else
                                listNotePage._insertAfter(index)
                        }
                        onTextChanged: {
                            if (listNotePage._isEditing)
                                listNotePage._changed = true
                            listNotePage._setText(index, text)
                        }
                    }

                    ZibLabel {
                        id: checkedLabel
                        objectName: "checkedLabel"
                        anchors.right: parent.right
                        width: 30 * dpiRatio
                        height: parent.height
                        font.pixelSize: root.itemHeight * 0.6
                        text: listNotePage.noteData.checked[index] ? "\u2713" : ""
                        horizontalAlignment: Text.AlignHCenter
                        verticalAlignment: Text.AlignVCenter
                        color: listNotePage.noteData.fgColor
                        visible: !listNotePage._isEditing
                    }

                    MouseArea {
                        id: ma1
                        objectName: "tickMouseArea"
                        anchors.fill: parent
                        enabled: !listNotePage._isEditing
                        onClicked: listNotePage._toggle(index)
                    }

                    Item {
                        id: dragItem
                        anchors.top: parent.top
                        anchors.right: parent.right
                        anchors.bottom: parent.bottom
                        width: 30 * dpiRatio
                        visible: listNotePage._isEditing
                        enabled: visible

                        ZibColoredImage {
                            anchors.centerIn: parent
                            width: parent.width * 0.8
                            height: width
                            imagePath: "image://ThemeImageProvider/transform-move"
                        }

                        MouseArea {
                            id: dragArea
                            objectName: "dragArea"
                            anchors.fill: parent
                            preventStealing: true
                            drag.target: delegateItem
                            drag.axis: Drag.YAxis
                            drag.minimumY: -dropArea.y + (root.itemHeight * 0.9 - dropArea.height) / 2
                            drag.maximumY: taskList.contentHeight - dropArea.y - dropArea.height
                                           - root.itemHeight * 2 - (root.itemHeight * 0.9 - dropArea.height) / 2

                            onPositionChanged: {
                                if (!drag.active)
                                    return
                                var f = listNotePage._flickable
                                var itemY = delegateItem.mapToItem(listNotePage.centerRect, 0, 0).y
                                if (itemY < 1.2 * delegateItem.height && !f.atYBeginning)
                                    f.flick(0, 0.7 * f.height)
                                else if (itemY + 1.7 * delegateItem.height >= f.height && !f.atYEnd)
                                    f.flick(0, -0.7 * f.height)
                            }

                            onReleased: {
                                if (!drag.active)
                                    return
                                if (index !== delegateItem.draggedIndex)
                                    listNotePage._move(index, delegateItem.draggedIndex)
                                else
                                    yAnim.restart()
                            }
                        }
                    }

                    ZibSeparator {
                        anchors.bottom: parent.bottom
                        width: parent.width
                    }

                    NumberAnimation {
                        id: yAnim
                        target: delegateItem
                        property: "y"
                        to: 0
                        running: false
                    }
                }
            }
        }
    }
}
