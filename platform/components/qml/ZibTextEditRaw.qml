import QtQuick 2.9

// A bare multi-line editor (no frame) with a placeholder text.
TextEdit {
    id: textEdit

    property string placeholderText: ""
    property color placeholderTextColor: styles.disabledTextColor

    wrapMode: TextEdit.Wrap
    textFormat: TextEdit.PlainText
    color: styles.textColor
    selectionColor: styles.highlightColor
    selectedTextColor: styles.colors.white
    font.pixelSize: styles.label.normal
    activeFocusOnTab: true
    Accessible.name: placeholderText

    Text {
        anchors.fill: parent
        visible: textEdit.length === 0 && textEdit.preeditText.length === 0
        text: textEdit.placeholderText
        textFormat: Text.PlainText
        color: textEdit.placeholderTextColor
        font: textEdit.font
        wrapMode: textEdit.wrapMode
        horizontalAlignment: textEdit.horizontalAlignment
        verticalAlignment: textEdit.verticalAlignment
        elide: Text.ElideRight
    }
}
