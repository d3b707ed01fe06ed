import QtQuick 2.15

// options: date ("dd.MM.yyyy" text or Date), okFunction(text "dd.MM.yyyy").
ZibDialog {
    id: dateDialog

    property alias dayTumbler: days
    property alias monthTumbler: months
    property alias yearTumbler: years
    readonly property int firstYear: new Date().getFullYear() - 10
    readonly property string dateText: days.text(days.currentIndex) + "." + months.text(months.currentIndex) + "."
                                       + years.text(years.currentIndex)

    function daysInMonth(month, year) {
        return new Date(year, month, 0).getDate() // month counts from 1 here
    }

    // Accepts "dd.MM.yyyy" or a Date; anything else keeps today.
    function setDate(value) {
        var d = new Date()
        if (value instanceof Date && !isNaN(value.getTime())) {
            d = value
        } else if (typeof value === "string") {
            var parts = value.split(".")
            if (parts.length === 3) {
                var day = parseInt(parts[0], 10), month = parseInt(parts[1], 10), year = parseInt(parts[2], 10)
                if (day >= 1 && month >= 1 && month <= 12 && year >= 1 && day <= daysInMonth(month, year))
                    d = new Date(year, month - 1, day)
            }
        }
        if (d.getFullYear() < years.first || d.getFullYear() >= years.first + years.count)
            years.first = Math.min(d.getFullYear(), firstYear)
        years.setValue(d.getFullYear())
        months.setValue(d.getMonth() + 1)
        days.setValue(d.getDate())
    }

    title: options.title !== undefined ? String(options.title) : qsTr("Date")
    preferredWidth: Math.round(340 * dpiRatio)
    okHandler: function() {
        return typeof options.okFunction === "function" ? options.okFunction(dateText) : undefined
    }
    cancelHandler: function() {
        return typeof options.cancelFunction === "function" ? options.cancelFunction() : undefined
    }

    Component.onCompleted: setDate(options.date)

    Row {
        anchors.horizontalCenter: parent.horizontalCenter
        spacing: Math.round(8 * dpiRatio)

        ZibTumbler {
            id: days
            objectName: "dayTumbler"
            first: 1
            focus: true
            Accessible.name: qsTr("Day")
            model: dateDialog.daysInMonth(months.value, years.value)
        }
        ZibTumbler {
            id: months
            objectName: "monthTumbler"
            first: 1
            Accessible.name: qsTr("Month")
            model: 12
        }
        ZibTumbler {
            id: years
            objectName: "yearTumbler"
            first: dateDialog.firstYear
            Accessible.name: qsTr("Year")
            digits: 4
            width: Math.round(90 * dpiRatio)
            model: 51
        }
    }
}
