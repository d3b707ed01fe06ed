import QtQuick 2.15
import Zib.NotesBase 1.0

// One note drawn as a card in the note's own colours: title, a preview of
// the content (text, formatted check-list or the drawing), the modification
// date and a mark for a reminder.
Item {
    id: card

    property var note: null
    property string fileName: ""
    // Flatter layout for the list mode: fewer title lines, smaller margins.
    property bool compact: false
    property bool checkMode: false
    property bool checked: false
    // The keyboard's current card: drawn with a focus frame.
    property bool current: false
    // Gap between the cell's edge and the card.
    property real inset: 0
    // The height of a line of the preview's font, which the list measures
    // once for all its cards.
    property real previewLineHeight: 16

    readonly property bool pressed: mouseArea.pressed
    readonly property real unit: typeof dpiRatio === "number" && dpiRatio > 0 ? dpiRatio : 1
    readonly property bool isCanvas: !!note && note.type === Note.CanvasType
    readonly property bool hasReminder: !!note && note.notifyType !== Note.RepeatNever
    readonly property color textColor: note ? note.fgColor : "#444444"
    readonly property string dateText: note ? Qt.formatDateTime(note.modifyDate, "dd.MM.yyyy hh:mm") : ""
    // A card shows only the start of a long note: no more characters than
    // its height holds lines, each of a character every two pixels (the
    // narrowest letters take three). Only those are laid out and checked, as
    // the whole text of a note of 20 KB made its card cost ten times as much
    // to make.
    readonly property int previewLimit: Math.ceil(height / Math.max(1, previewLineHeight))
                                        * Math.ceil(width / (2 * unit))
    // In the flat list a text note's line breaks would waste the few lines
    // there are, so its lines are run together there.
    readonly property string previewString: {
        if (!note || isCanvas)
            return "";
        var text = note.previewText;
        if (note.type === Note.ListType)
            return styledListPreview(text, previewLimit);
        // Blank lines run together in the flat list, so it cuts twice as much
        // first: a note that opens with them still fills its card.
        if (text.length > previewLimit)
            text = text.substring(0, compact ? 2 * previewLimit : previewLimit);
        if (compact)
            text = text.replace(/\s*\n\s*/g, " ").trim().substring(0, previewLimit);
        return text;
    }

    // Where the texts go inside the card's face.
    readonly property real contentMargin: (compact ? 8 : 10) * unit
    readonly property real contentWidth: background.width - 2 * contentMargin
    readonly property real footerY: background.height - contentMargin - dateLabel.height
    readonly property real bodyY: contentMargin + (titleText.visible ? titleText.height + 4 * unit : 0)
    readonly property real bodyHeight: Math.max(0, footerY - 4 * unit - bodyY)

    // OpenType shaping joins Arabic letters, places combining marks and makes
    // ligatures and emoji; Qt does not keep it on by itself for every script
    // that needs it. Latin, Greek and Cyrillic letters without combining
    // marks, punctuation and symbols need none, and skipping it there saves
    // a fifth of making a card.
    readonly property bool needsShaping: !!note
                                         && (hasLettersToShape(note.title) || hasLettersToShape(previewString))

    signal clicked()
    signal pressAndHold()

    // A check-list preview holds the entries as typed between the colour
    // marks of done entries. Only those marks stay markup; anything else that
    // looks like a tag (an <img> would even fetch a remote file) is shown as
    // text. The marks do not count towards the limit of characters shown.
    function styledListPreview(text, limit) {
        var marks = /<font color='#[0-9a-fA-F]{6}'>|<\/font>/g;
        var result = "";
        var last = 0;
        var shown = 0;
        var mark;
        while (shown < limit && (mark = marks.exec(text)) !== null) {
            var plain = text.substring(last, Math.min(mark.index, last + limit - shown));
            result += escapeMarkup(plain) + mark[0];
            shown += plain.length;
            last = mark.index + mark[0].length;
        }
        return result + escapeMarkup(text.substring(last, last + Math.max(0, limit - shown)));
    }

    function hasLettersToShape(text) {
        return /[^\u0000-\u02ff\u0370-\u0482\u048a-\u052f\u1e00-\u1fff\u2000-\u2bff]/.test(text);
    }

    function escapeMarkup(text) {
        return text.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;");
    }

    // A note's content is read from its file only when its card is first
    // made, so opening a large collection reads just the visible notes.
    function ensureLoaded() {
        if (note && !note.loaded)
            note.load();
    }

    onNoteChanged: ensureLoaded()
    Component.onCompleted: ensureLoaded()

    // A faint shadow under the card; shader effects are not available with
    // every scene graph backend. Only its rim shows below the card, so only
    // the rim is drawn, wide enough for a pressed card: a filled layer had
    // the software renderer blend every pixel under the card. Its faintness
    // is in the colour, as an opacity is a scene node of its own. It is one
    // layer, not two: each node costs the software renderer about as much
    // per frame as the pixels of a small card, and a second layer made a
    // tenth of the work of a frame of a fast scroll.
    Rectangle {
        x: background.x
        y: background.y
        width: background.width
        height: background.height + 2 * card.unit
        radius: background.radius + 1 * card.unit
        color: "transparent"
        border.color: "#26000000"
        border.width: (background.scale < 1 ? 5 : 3) * card.unit
    }

    // The geometry of everything down to the texts is given by bindings, not
    // anchors: anchors take effect only as each item is completed, after the
    // texts inside have been laid out once, so each text was laid out again.
    Rectangle {
        id: background
        x: card.inset
        y: card.inset
        width: card.width - 2 * card.inset
        height: card.height - 2 * card.inset
        radius: 8 * card.unit
        color: card.note ? card.note.bgColor : "#ffffcc"
        border.width: card.current ? 3 * card.unit : card.checked ? 2 * card.unit : 0
        border.color: card.current ? styles.textColor : styles.highlightColor
        scale: card.pressed ? 0.98 : 1

        Behavior on scale { NumberAnimation { duration: 80 } }

        // The texts sit straight in the card, not in layout items of their
        // own: every item is a node the renderer tracks while the list moves.
        Text {
            id: previewText
            objectName: "cardPreview"
            x: card.contentMargin
            y: card.bodyY
            width: card.contentWidth - (!titleText.visible && checkIndicator.item
                                        ? checkIndicator.item.width + 6 * card.unit : 0)
            height: card.bodyHeight
            visible: !card.isCanvas
            // A check-list preview carries <font> marks for done
            // entries; a text note is shown as typed.
            textFormat: card.note && card.note.type === Note.ListType ? Text.StyledText : Text.PlainText
            text: card.previewString
            color: card.textColor
            font.pixelSize: styles.label.small
            font.preferShaping: card.needsShaping
            wrapMode: Text.Wrap
            elide: Text.ElideRight
            maximumLineCount: Math.max(1, Math.floor(height / Math.max(1, card.previewLineHeight)))
            clip: true
        }

        // Only drawing notes carry images. The loaders' items place
        // themselves: a loader that makes nothing then costs no bindings.
        Loader {
            active: card.isCanvas
            visible: active
            sourceComponent: CardPicture {
                x: card.contentMargin
                y: card.bodyY
                width: card.contentWidth
                height: card.bodyHeight
                note: card.note
                alignLeft: card.compact
                unit: card.unit
            }
        }

        Text {
            id: dateLabel
            objectName: "cardDate"
            x: card.contentMargin
            y: card.footerY
            width: reminderMark.item ? reminderMark.item.x - x : card.contentWidth
            text: card.dateText
            textFormat: Text.PlainText
            // The note's own ink, not faded: faded it fell to 3.2:1.
            color: card.textColor
            font.pixelSize: styles.label.smallest
            font.preferShaping: false
            elide: Text.ElideRight
        }

        // Made only for a note with a reminder, as most have none.
        Loader {
            id: reminderMark
            active: card.hasReminder
            visible: active
            sourceComponent: Text {
                x: card.contentMargin + card.contentWidth - width
                y: card.footerY + (dateLabel.height - height) / 2
                objectName: "cardReminder"
                text: "\u25f7"
                textFormat: Text.PlainText
                color: card.textColor
                font.pixelSize: styles.label.small
            }
        }

        // The mark of marking mode, made only while marking.
        Loader {
            id: checkIndicator
            active: card.checkMode
            visible: active
            sourceComponent: Rectangle {
                x: card.contentMargin + card.contentWidth - width
                y: card.contentMargin
                objectName: "cardCheck"
                width: 22 * card.unit
                height: width
                radius: width / 2
                color: card.checked ? styles.highlightColor : "transparent"
                border.width: card.checked ? 0 : 2 * card.unit
                border.color: card.textColor
                opacity: card.checked ? 1 : 0.6

                Text {
                    anchors.centerIn: parent
                    visible: card.checked
                    text: "\u2713"
                    color: styles.onHighlightColor
                    font.pixelSize: parent.height * 0.7
                    font.bold: true
                }
            }
        }

        // Declared after the preview so that it is laid out first: the
        // preview's height then already leaves room for it, and is laid out
        // once.
        Text {
            id: titleText
            objectName: "cardTitle"
            x: card.contentMargin
            y: card.contentMargin
            width: checkIndicator.item ? checkIndicator.item.x - x - 6 * card.unit : card.contentWidth
            visible: text !== ""
            height: visible ? implicitHeight : 0
            text: card.note ? card.note.title : ""
            textFormat: Text.PlainText
            color: card.textColor
            font.pixelSize: styles.label.normal
            font.preferShaping: card.needsShaping
            font.bold: true
            wrapMode: Text.Wrap
            maximumLineCount: card.compact ? 1 : 2
            elide: Text.ElideRight
        }

        // Hover and press shade.
        Rectangle {
            objectName: "cardShade"
            anchors.fill: parent
            radius: parent.radius
            color: "#000000"
            opacity: card.pressed ? 0.08 : 0.03
            visible: card.pressed || mouseArea.containsMouse
        }
    }

    Accessible.role: Accessible.Button
    Accessible.name: note ? (note.title !== "" ? note.title : note.previewText) : ""
    Accessible.checkable: checkMode
    Accessible.checked: checked
    Accessible.description: dateText
    Accessible.focusable: true
    Accessible.focused: current
    Accessible.onPressAction: clicked()

    MouseArea {
        id: mouseArea
        anchors.fill: background
        cursorShape: Qt.PointingHandCursor
        hoverEnabled: true
        onClicked: card.clicked()
        onPressAndHold: card.pressAndHold()
    }
}
