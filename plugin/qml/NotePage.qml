import QtQuick 2.15
import Zib.Components 1.0
import Zib.NotesBase 1.0

// Common frame of the note pages: title editor above the kind's content,
// edit tool bar, dates in the bottom corners and the save, cancel and
// delete logic. The kind pages supply _contentComponent and their own OK.
ZibPage {
    id: notePage

    property var controller: null
    property var noteData: null
    readonly property bool _isEditing: state === "editing"
    readonly property alias _flickable: flickable
    readonly property alias _contentItem: contentLoader.item
    readonly property alias _mouseArea: mouseArea
    readonly property alias _textEditTitle: textEditTitle
    readonly property alias _eraserEnabled: eraserButton.checked
    property alias _lineWidth: lineWidthSlider.index
    property Component _contentComponent: null
    property bool _changed: false
    property string _removeError: ""
    // The note this page has told that it is shown.
    property var _shownNote: null

    leftMargin: 0
    topMargin: 0
    titleImage.imageColorEnabled: false
    titleImage.imageShadow: false
    // Titles are the user's text, never markup.
    titleLabel.textFormat: Text.PlainText
    titleLabel.anchors.right: (removeButton.parent === titleRect && !_isEditing) ? removeButton.left
                                                                                : closeButton.left
    centerRect.color: noteData ? noteData.bgColor : "transparent"
    centerRectShadow: true
    okButtonEnabled: ((_contentItem && _contentItem.canBeSaved) || textEditTitle.length > 0) && _changed
    showOkButton: _isEditing
    okFunction: saveNote
    cancelFunction: cancelNote

    // True, which keeps the page open with the edits, when the note could
    // not be written; the page then says why.
    function saveNote() {
        if (textEditTitle.length > 0)
            noteData.title = textEditTitle.text
        // Removed by another program while being edited: the edit becomes a
        // note of its own rather than being lost.
        if (noteData.removedElsewhere && controller.model.keepRemovedNote(noteData) === "")
            return true
        // A note of the collection whose file has gone missing is written
        // again; only a note without a name is new.
        var ok = noteData.loaded || noteData.file !== "" ? noteData.save() : controller.model.addItem(noteData)
        return ok === false
    }

    // Saves what the page holds without closing it: the program is quitting
    // or the session ends, and there is nobody left to ask. The drawing
    // page replaces it.
    function keepEdits() {
        if (!noteData || !_changed)
            return
        if (!_isEditing)
            noteData.save() // ticks made while viewing
        else if (okButtonEnabled && okFunction)
            okFunction()
        _changed = false
    }

    Connections {
        target: SessionGuard
        function onSaveRequested() {
            notePage.keepEdits()
        }
    }

    function cancelNote() {
        var ask = _changed && _isEditing
        if (ask) {
            root.showMessagePage({
                title: qsTr("Warning"),
                message: qsTr("You have unsaved data. Do you still want to continue?"),
                showCancelButton: true,
                okFunction: function() {
                    // Throw away the edits already written into the note object.
                    noteData.load()
                    _changed = false
                    notePage.closePage(false)
                }
            })
        }
        return ask
    }

    function _focusContent() {
        var next = textEditTitle.nextItemInFocusChain(true)
        if (next && next !== textEditTitle)
            next.forceActiveFocus(Qt.TabFocusReason)
    }

    function setEditMode(mouseX, mouseY) {
        state = "editing"
        if (mouseX && mouseY)
            notePage.setCursorOnEdit(mouseX, mouseY)
    }

    function setCursorOnEdit(mouseX, mouseY) {
        if (!noteData || noteData.type === Note.CanvasType)
            return
        var inTitle = mouseY < contentLoader.y
        if (!inTitle && noteData.type !== Note.TextType)
            return
        var editor = inTitle ? textEditTitle : contentLoader.item
        if (!editor)
            return
        var y = inTitle ? mouseY : mouseY - contentLoader.y
        editor.forceActiveFocus(Qt.MouseFocusReason)
        editor.cursorPosition = editor.positionAt(mouseX, y)
    }

    function _chooseColor(isBackground) {
        var current = isBackground ? noteData.bgColor : noteData.fgColor
        root.showColorPicker({
            colorArray: root.getColorArrayString(current).split(":"),
            selectFunction: function(c) {
                var color = Qt.rgba(c[0], c[1], c[2], c[3])
                if (isBackground)
                    noteData.bgColor = color
                else
                    noteData.fgColor = color
                _changed = true
            }
        })
    }

    function _askRemove() {
        root.showMessagePage({
            title: qsTr("Warning"),
            message: qsTr("Do you really want to delete this note?"),
            showCancelButton: true,
            okFunction: notePage._removeNote
        })
    }

    function _removeNote() {
        // Keep our own references: closePage() may tear the page down.
        var ctrl = controller
        var file = noteData ? noteData.file : ""
        if (!file) {
            // A note without a file name is not in the collection; an empty
            // name would match every file of the notes directory.
            notePage.closePage(false)
            return
        }
        var wasActive = ctrl.modelLoader.active
        if (!wasActive)
            ctrl.modelLoader.active = true
        // Refused (another program holds the notes, a full disk): the page
        // stays and says why.
        var removed = ctrl.model.removeItems([file])
        if (removed === false)
            _removeError = ctrl.model.lastError
        else
            notePage.closePage(false)
        if (!wasActive)
            ctrl.modelLoader.active = false
        if (removed === false)
            return
        if (ctrl.isWidget)
            ctrl.noteRemoved()
    }

    function _openReminder() {
        root.addPage("qrc:/qml/TaskPage.qml", {
            notifyType: noteData.notifyType,
            notifyDate: noteData.notifyDate,
            okFunction: function(type, date) {
                noteData.notifyType = type
                noteData.notifyDate = date
                _changed = true
            }
        })
    }

    // Ctrl+S and Ctrl+Enter save, as the round OK button does.
    ZibShortcut {
        sequences: ["Ctrl+S", "Ctrl+Return", "Ctrl+Enter"]
        enabled: notePage._isEditing && notePage.okButtonEnabled && root.currentPage === notePage
        onActivated: notePage.zibAccept()
    }

    ZibMenuButton {
        id: editButton
        objectName: "editButton"
        parent: titleRect
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        anchors.right: closeButton.left
        anchors.rightMargin: height * 0.2
        image.imagePath: "image://ThemeImageProvider/pencil"
        toolTipText: qsTr("Edit")
        opacity: notePage._isEditing ? 0 : 1
        // An invisible button must not react either.
        enabled: !notePage._isEditing
        Behavior on opacity { NumberAnimation {} }
        onClicked: notePage.setEditMode()
    }

    ZibMenuButton {
        id: removeButton
        objectName: "removeButton"
        parent: titleRect
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        anchors.right: closeButton.left
        anchors.rightMargin: height * 0.4 + editButton.width
        image.imagePath: "image://ThemeImageProvider/user-trash-empty"
        toolTipText: qsTr("Delete note")
        opacity: notePage._isEditing ? 0 : 1
        enabled: !notePage._isEditing
        Behavior on opacity { NumberAnimation {} }
        onClicked: notePage._askRemove()
    }

    // While editing, the note is not reloaded under the user's hands.
    // (the state itself, not _isEditing, whose binding may not have followed yet)
    // A note shown here is kept by the collection even when another program
    // removes it, so that the page can offer to keep it.
    onStateChanged: if (noteData) noteData.editing = state === "editing"
    function _markShown() {
        if (_shownNote && _shownNote !== noteData) {
            _shownNote.shown = false
            _shownNote.editing = false
        }
        _shownNote = noteData
        if (noteData)
            noteData.shown = true
    }
    onNoteDataChanged: {
        if (noteData)
            noteData.editing = state === "editing"
        _markShown()
    }
    Component.onCompleted: _markShown()
    Component.onDestruction: {
        if (noteData)
            noteData.editing = false
        if (_shownNote)
            _shownNote.shown = false
    }

    ChangedElsewhereBar {
        id: changedElsewhereBar
        objectName: "changedElsewhereBar"
        parent: centerRect
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        z: 1
        noteData: notePage.noteData
        model: notePage.controller ? notePage.controller.model : null
    }

    Flickable {
        id: flickable
        objectName: "flickable"
        parent: centerRect
        anchors.fill: parent
        anchors.topMargin: changedElsewhereBar.height
        anchors.leftMargin: topMargin
        anchors.rightMargin: topMargin
        topMargin: 15 * dpiRatio
        bottomMargin: topMargin
        flickableDirection: Flickable.VerticalFlick
        contentWidth: width
        contentHeight: textEditTitle.height + contentLoader.height + contentLoader.anchors.topMargin
        clip: true

        ZibTextEditRaw {
            id: textEditTitle
            objectName: "textEditTitle"
            width: flickable.width
            height: contentHeight
            textFormat: TextEdit.PlainText
            wrapMode: TextEdit.Wrap
            font.pixelSize: root.itemHeight * 0.65
            placeholderText: qsTr("Title")
            text: notePage.noteData ? notePage.noteData.title : ""
            color: notePage.noteData ? notePage.noteData.fgColor : "black"
            // On the note's own colours only its ink is sure to be readable.
            placeholderTextColor: color
            placeholderItalic: true
            focus: true
            readOnly: !notePage._isEditing
            selectByMouse: false
            onTextChanged: if (notePage._isEditing) notePage._changed = true
            // A title is one line: Tab and Enter go on to the note's content.
            Keys.onTabPressed: notePage._focusContent()
            Keys.onReturnPressed: {
                if (event.modifiers & Qt.ControlModifier)
                    event.accepted = false
                else
                    notePage._focusContent()
            }
            Keys.onEnterPressed: {
                if (event.modifiers & Qt.ControlModifier)
                    event.accepted = false
                else
                    notePage._focusContent()
            }
        }

        Loader {
            id: contentLoader
            objectName: "contentLoader"
            anchors.top: textEditTitle.bottom
            anchors.topMargin: flickable.topMargin
            width: flickable.width
            height: Math.max(item ? item.contentHeight : 0, flickable.height - y)
            sourceComponent: notePage._contentComponent
        }

        MouseArea {
            id: mouseArea
            objectName: "noteMouseArea"
            anchors.fill: parent
            enabled: !notePage._isEditing
            onDoubleClicked: notePage.setEditMode(mouse.x, mouse.y)
        }
    }

    ZibScrollBar {
        parent: centerRect
        anchors.fill: parent
        contentItem: flickable
    }

    Row {
        id: editToolbar
        objectName: "editToolbar"
        parent: frontRect
        anchors.left: parent.left
        anchors.right: rightToolbar.left
        anchors.top: parent.top
        anchors.leftMargin: 15 * dpiRatio
        anchors.rightMargin: 15 * dpiRatio
        height: titleRect.height
        visible: y !== 0
        enabled: visible
        spacing: 10 * dpiRatio

        ZibMenuButton {
            id: bgColorButton
            objectName: "bgColorButton"
            height: editToolbar.height
            width: height
            image.imagePath: "image://ThemeImageProvider/fill"
            toolTipText: qsTr("Background colour")
            onClicked: notePage._chooseColor(true)
            Rectangle {
                anchors.bottom: parent.bottom
                width: parent.width
                height: 6 * dpiRatio
                color: notePage.noteData ? notePage.noteData.bgColor : "transparent"
            }
        }

        ZibMenuButton {
            id: fgColorButton
            objectName: "fgColorButton"
            height: editToolbar.height
            width: height
            image.imagePath: "image://ThemeImageProvider/format-stroke-color"
            toolTipText: qsTr("Text colour")
            onClicked: notePage._chooseColor(false)
            Rectangle {
                anchors.bottom: parent.bottom
                width: parent.width
                height: 6 * dpiRatio
                color: notePage.noteData ? notePage.noteData.fgColor : "transparent"
            }
        }

        ZibMenuButton {
            id: reminderButton
            objectName: "reminderButton"
            height: editToolbar.height
            width: height
            image.imagePath: "image://ThemeImageProvider/task-reminder"
            toolTipText: qsTr("Reminder")
            onClicked: notePage._openReminder()
        }

        Item {
            id: brushBox
            objectName: "brushBox"
            visible: !!notePage.noteData && notePage.noteData.type === Note.CanvasType
            enabled: visible
            width: root.itemHeight * 3
            height: editToolbar.height

            Image {
                x: parent.width / 2
                width: height
                height: parent.height / 2
                sourceSize: Qt.size(width, height)
                source: "image://ThemeImageProvider/draw-brush"
            }

            ZibLabel {
                id: lineWidthLabel
                objectName: "lineWidthLabel"
                anchors.right: parent.right
                anchors.rightMargin: height / 2
                anchors.verticalCenter: parent.verticalCenter
                height: parent.height / 2
                verticalAlignment: Text.AlignVCenter
                font.pixelSize: height * 0.6
                text: notePage._lineWidth + 2
            }

            ZibSlider {
                id: lineWidthSlider
                objectName: "lineWidthSlider"
                anchors.bottom: parent.bottom
                width: parent.width
                height: parent.height / 2
                count: Math.floor(root.itemHeight * 2)
                accessibleName: qsTr("Line width")
            }
        }
    }

    // Brush preview while the width slider is held.
    Rectangle {
        parent: centerRect.parent
        anchors.left: centerRect.left
        anchors.leftMargin: root.itemHeight * 6
        anchors.verticalCenter: centerRect.top
        anchors.verticalCenterOffset: -root.itemHeight / 2
        width: notePage._lineWidth + 2
        height: width
        radius: width / 2
        color: notePage.noteData ? (notePage._eraserEnabled ? notePage.noteData.bgColor
                                                           : notePage.noteData.fgColor)
                                 : "transparent"
        border.width: 1
        border.color: styles.colors.black
        visible: lineWidthSlider.mousePressed
        z: 999
    }

    // Highlight under the chosen tool.
    Rectangle {
        parent: frontRect
        y: rightToolbar.y
        x: rightToolbar.x + (pencilButton.checked ? 0 : pencilButton.width + rightToolbar.spacing)
        width: pencilButton.width
        height: rightToolbar.height
        color: root.getColorString(0x55, styles.highlightColor)
        visible: rightToolbar.visible
        Behavior on x { NumberAnimation { easing.type: Easing.InOutQuad } }

        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 3
            color: styles.highlightColor
        }
    }

    Row {
        id: rightToolbar
        objectName: "rightToolbar"
        parent: frontRect
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.rightMargin: 15 * dpiRatio
        height: titleRect.height
        visible: y !== 0 && !!notePage.noteData && notePage.noteData.type === Note.CanvasType
        enabled: visible
        spacing: 10 * dpiRatio
        z: 1

        ZibMenuButton {
            id: pencilButton
            objectName: "pencilButton"
            height: rightToolbar.height
            width: height
            image.imagePath: "image://ThemeImageProvider/draw-freehand"
            toolTipText: qsTr("Pen")
            checked: true
            opacity: checked ? 1 : 0.6
            Behavior on opacity { NumberAnimation {} }
            onClicked: {
                pencilButton.checked = true
                eraserButton.checked = false
            }
        }

        ZibMenuButton {
            id: eraserButton
            objectName: "eraserButton"
            height: rightToolbar.height
            width: height
            image.imagePath: "image://ThemeImageProvider/eraser"
            toolTipText: qsTr("Eraser (hold to clear the drawing)")
            checked: false
            opacity: checked ? 1 : 0.6
            Behavior on opacity { NumberAnimation {} }
            onClicked: {
                eraserButton.checked = true
                pencilButton.checked = false
            }
            onPressAndHold: {
                root.showMessagePage({
                    title: qsTr("Warning"),
                    message: qsTr("Do you really want to clear canvas?"),
                    showCancelButton: true,
                    okFunction: function() {
                        if (notePage._contentItem)
                            notePage._contentItem.clearCanvas()
                    }
                })
            }
        }
    }

    ZibLabel {
        objectName: "modifyDateLabel"
        parent: bottomLeftSpace
        anchors.fill: parent
        text: "\u270e " + (notePage.noteData ? Qt.formatDateTime(notePage.noteData.modifyDate, "dd.MM.yyyy hh:mm") : "")
        font.pixelSize: styles.label.smallest
        wrapMode: Text.Wrap
        elide: Text.ElideRight
        enabled: false
    }

    ZibLabel {
        objectName: "notifyDateLabel"
        parent: bottomRightSpace
        anchors.fill: parent
        text: (notePage.noteData ? Qt.formatDateTime(notePage.noteData.notifyDate, "dd.MM.yyyy hh:mm") : "") + " \u25f7"
        font.pixelSize: styles.label.smallest
        wrapMode: Text.Wrap
        elide: Text.ElideRight
        horizontalAlignment: Text.AlignRight
        enabled: false
        visible: !!notePage.noteData && notePage.noteData.notifyType !== Note.RepeatNever
    }

    MessageLine {
        objectName: "saveErrorLine"
        parent: frontRect
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        text: notePage.noteData && notePage.noteData.saveError !== ""
              ? qsTr("The note could not be saved: %1").arg(notePage.noteData.saveError) : notePage._removeError
    }

    states: State {
        name: "editing"
        PropertyChanges {
            target: centerRect
            y: frontRect.y + 2 * titleRect.height + centerRect.margin
        }
        AnchorChanges {
            target: editToolbar
            anchors.top: titleRect.bottom
        }
        AnchorChanges {
            target: rightToolbar
            anchors.top: titleRect.bottom
        }
    }

    transitions: Transition {
        NumberAnimation { properties: "y"; duration: 300 }
        AnchorAnimation { duration: 300 }
    }
}
