import QtQuick 2.3

QtObject {
    property int type: 0
    property string file: ""
    property bool loaded: false
    property int loadCount: 0
    property bool saved: false

    function load() {
        loadCount++
        loaded = true
    }
}
