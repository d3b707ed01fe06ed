import QtQuick 2.15
import QtQuick.Templates 2.15 as T

// Text in the desktop's colours; drawn lighter while disabled. The
// template, as the style's label only sets the colours set here.
T.Label {
    color: enabled ? styles.textColor : styles.disabledTextColor
    linkColor: styles.highlightColor
    font.pixelSize: styles.label.normal
    textFormat: Text.PlainText
}
