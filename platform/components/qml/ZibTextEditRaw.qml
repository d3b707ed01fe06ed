import QtQuick 2.15

// A bare multi-line editor (no frame) with a placeholder text.
TextEdit {
    id: textEdit

    property string placeholderText: ""
    property color placeholderTextColor: styles.disabledTextColor
    // Tells a placeholder drawn in the text's own colour from a text.
    property bool placeholderItalic: false

    wrapMode: TextEdit.Wrap
    textFormat: TextEdit.PlainText
    color: styles.textColor
    selectionColor: styles.highlightColor
    selectedTextColor: styles.onHighlightColor
    font.pixelSize: styles.label.normal
    activeFocusOnTab: true
    Accessible.name: placeholderText

    Text {
        anchors.fill: parent
        visible: textEdit.length === 0 && textEdit.preeditText.length === 0
        text: textEdit.placeholderText
        textFormat: Text.PlainText
        color: textEdit.placeholderTextColor
        font.family: textEdit.font.family
        font.pixelSize: textEdit.font.pixelSize
        font.italic: textEdit.placeholderItalic
        wrapMode: textEdit.wrapMode
        horizontalAlignment: textEdit.horizontalAlignment
        verticalAlignment: textEdit.verticalAlignment
        elide: Text.ElideRight
    }
}
