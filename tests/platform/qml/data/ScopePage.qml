import QtQuick 2.3
import Zib.Components 1.0

// A page document outside the module: everything it reads comes from the
// scope that ZibRoot gives pushed pages.
ZibPage {
    id: scopePage

    property string note: ""
    readonly property real seenItemHeight: root.itemHeight
    readonly property bool seenStyles: styles !== undefined && styles.colors.white !== undefined
                                       && styles.label.smallest > 0
    readonly property bool seenSettings: typeof settings.setInt === "function"
    readonly property real seenDpiRatio: dpiRatio
    readonly property bool seenDebug: debug
    readonly property bool seenDesktopMode: isDesktopMode
    readonly property string colorFromRoot: root.getColorString(0x55, styles.colors.black)

    title: "Scope " + note
}
