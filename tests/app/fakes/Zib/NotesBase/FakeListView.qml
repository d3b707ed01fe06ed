import QtQuick 2.3

// Only what the main page touches of the list view: the model it sets and
// the count it reads.
Item {
    property var model: null
    readonly property int count: model ? model.count : 0
}
