import QtQuick 2.3

// Stands in for the message line: keeps what it was asked to show.
Item {
    property string text: ""
    property int timeout: 0

    function show(message) {
        text = message
    }

    visible: text !== ""
}
