import QtQuick 2.9

// A key shortcut of the window, for documents that import an older QtQuick.
Shortcut {
    context: Qt.WindowShortcut
}
