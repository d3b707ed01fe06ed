import QtQuick 2.3

// Stands in for the tray: records the paths it was asked to announce.
QtObject {
    property var shownPaths: []

    signal showTask(string taskId)

    property var missedPaths: []

    function showMessageTask(path) {
        shownPaths.push(path)
    }
    function showMissedTask(path, dueDate) {
        missedPaths.push(path + " " + dueDate.toISOString())
    }
    function reset() {
        shownPaths = []
        missedPaths = []
    }
}
