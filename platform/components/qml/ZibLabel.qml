import QtQuick 2.9
import QtQuick.Controls 2.5

// Text in the desktop's colours; drawn lighter while disabled.
Label {
    color: enabled ? styles.textColor : styles.disabledTextColor
    linkColor: styles.highlightColor
    font.pixelSize: styles.label.normal
    textFormat: Text.PlainText
}
