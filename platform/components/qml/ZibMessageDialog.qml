import QtQuick 2.15

// options: title, message, showCancelButton, okFunction, cancelFunction.
ZibDialog {
    id: messageDialog

    title: options.title !== undefined ? String(options.title) : ""
    showCancelButton: options.showCancelButton === true
    okHandler: function() {
        return typeof options.okFunction === "function" ? options.okFunction() : undefined
    }
    cancelHandler: function() {
        return typeof options.cancelFunction === "function" ? options.cancelFunction() : undefined
    }

    ZibLabel {
        objectName: "messageLabel"
        x: Math.round(16 * dpiRatio)
        width: parent.width - 2 * x
        text: options.message !== undefined ? String(options.message) : ""
        wrapMode: Text.Wrap
        bottomPadding: Math.round(8 * dpiRatio)
    }
}
