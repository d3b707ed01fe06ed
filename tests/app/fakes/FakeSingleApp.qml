import QtQuick 2.3

// Stands in for the single-application object: only its signal is used.
QtObject {
    signal messageReceived(string message)
}
