import QtQuick 2.3

// Stands in for the tray: records the paths it was asked to announce.
QtObject {
    property var shownPaths: []

    signal showTask(string taskId)

    function showMessageTask(path) {
        shownPaths.push(path)
    }
    function reset() {
        shownPaths = []
    }
}
