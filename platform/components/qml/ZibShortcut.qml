import QtQuick 2.15

// A key shortcut of the window, for documents that import an older QtQuick.
Shortcut {
    context: Qt.WindowShortcut
}
