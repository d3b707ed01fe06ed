import QtQuick 2.15
import Zib.Components 1.0

NotePage {
    id: textNotePage

    title: noteData && noteData.loaded ? noteData.title : qsTr("New text note")
    titleImage.imagePath: "image://ThemeImageProvider/leftjust"
    okFunction: saveTextNote

    function saveTextNote() {
        var content = _contentItem
        if (_textEditTitle.length === 0) {
            // The first visual line of the text becomes the title.
            var end = content.positionAt(content.width, 0)
            var firstLine = content.getText(0, end)
            noteData.title = content.length > firstLine.length ? firstLine + "..." : firstLine
        }
        // Edits reach the note object only here.
        noteData.text = content.text
        return saveNote()
    }

    _contentComponent: Component {
        ZibTextEditRaw {
            id: textEdit
            objectName: "noteTextEdit"
            readonly property bool canBeSaved: length > 0
            textFormat: TextEdit.PlainText
            wrapMode: TextEdit.Wrap
            font.pixelSize: root.itemHeight * 0.4
            placeholderText: qsTr("Note text")
            text: textNotePage.noteData ? textNotePage.noteData.text : ""
            color: textNotePage.noteData ? textNotePage.noteData.fgColor : "black"
            placeholderTextColor: color
            placeholderItalic: true
            readOnly: !textNotePage._isEditing
            selectByMouse: false
            onTextChanged: if (textNotePage._isEditing) textNotePage._changed = true
        }
    }
}
