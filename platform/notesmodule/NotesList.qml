import QtQuick 2.15
import QtQuick.Templates 2.15 as T
import QtQuick.Window 2.15
import Zib.Components 1.0
import Zib.NotesBase 1.0
import "private"

// The notes as cards, in a grid or as a one-column list, with marking of
// notes for deletion and a floating button for a new note.
Item {
    id: notesList

    // The view; its model is set by the user (normally the controller's proxy).
    property alias list: view
    property alias addNoteButton: addNoteButton

    property int viewMode: 0
    readonly property var viewModes: [
        { image: "image://ThemeImageProvider/view-grid", name: qsTr("Grid") },
        { image: "image://ThemeImageProvider/view-list-details", name: qsTr("List") }
    ]

    // Marking: file names of the marked notes, as removeItems takes them.
    property bool checkMode: false
    property var checkedNotes: []

    signal noteClicked(var note)
    // Delete on the keyboard: the marked notes, or else the current card's.
    signal deleteRequested(var files)
    // Sent by the add button when no page offers showNewNotePageList().
    signal addNoteClicked()

    readonly property real unit: typeof dpiRatio === "number" && dpiRatio > 0 ? dpiRatio : 1
    readonly property bool listLayout: viewMode === 1
    readonly property bool _windowFramed: typeof root === "undefined" || !root || root.framed !== false
    property Item _scrollBar: null
    on_WindowFramedChanged: _makeScrollBar()

    // Cards made since QML's collector last ran here. The garbage that making
    // cards leaves had the collector run by itself about every fifty cards of
    // a scroll, in the middle of making the cards for a frame, and most late
    // frames were those. It runs instead right after a frame is on the
    // screen, while the window waits for the next, before it would by itself.
    property int _cardsSinceCollection: 0
    readonly property int _cardsBetweenCollections: 32

    Connections {
        target: notesList.Window.window
        enabled: notesList._cardsSinceCollection >= notesList._cardsBetweenCollections
        function onFrameSwapped() {
            notesList._cardsSinceCollection = 0;
            gc();
        }
    }

    function _makeScrollBar() {
        if (_windowFramed && !_scrollBar)
            _scrollBar = Qt.createComponent("private/NotesListScrollBar.qml").createObject(view);
    }

    function toggleCheckMode() {
        checkMode = !checkMode;
    }

    function isChecked(file) {
        return checkedNotes.indexOf(file) >= 0;
    }

    function setChecked(file, on) {
        if (!file || isChecked(file) === on)
            return;
        var marks = checkedNotes.slice();
        if (on)
            marks.push(file);
        else
            marks.splice(marks.indexOf(file), 1);
        checkedNotes = marks;
    }

    // The stored mode, or the grid for a value that names no mode.
    function storedViewMode() {
        var mode = settings.getInt("view-mode", 0, "Notes");
        if (typeof mode !== "number" || mode !== Math.floor(mode) || mode < 0 || mode >= viewModes.length)
            return 0;
        return mode;
    }

    function requestNewNote() {
        if (typeof mainPage !== "undefined" && mainPage && typeof mainPage.showNewNotePageList === "function")
            mainPage.showNewNotePageList();
        else
            addNoteClicked();
    }

    function cardClicked(note, file) {
        if (checkMode)
            setChecked(file, !isChecked(file));
        else if (note)
            noteClicked(note);
    }

    function deleteCurrent() {
        if (checkMode && checkedNotes.length > 0)
            deleteRequested(checkedNotes.slice())
        else if (view.currentItem && view.currentItem.fileName)
            deleteRequested([view.currentItem.fileName])
    }

    function cardPressAndHold(file) {
        checkMode = true;
        setChecked(file, true);
    }

    // Leaving marking mode, however it happens, drops the marks.
    onCheckModeChanged: {
        if (!checkMode && checkedNotes.length > 0)
            checkedNotes = [];
    }

    Component.onCompleted: {
        viewMode = storedViewMode();
        _makeScrollBar();
    }

    GridView {
        id: view

        readonly property real spacing: 10 * notesList.unit
        readonly property int columns: notesList.listLayout
                                       ? 1 : Math.max(1, Math.floor(width / (170 * notesList.unit)))

        anchors.fill: parent
        anchors.leftMargin: spacing / 2
        anchors.rightMargin: spacing / 2
        clip: true
        // The cards are one stop of Tab; the arrow keys move between them,
        // Enter opens (or in marking toggles) a card, Delete asks to delete.
        focus: true
        activeFocusOnTab: count > 0
        keyNavigationEnabled: true
        Keys.onReturnPressed: if (currentItem) notesList.cardClicked(currentItem.note, currentItem.fileName)
        Keys.onEnterPressed: if (currentItem) notesList.cardClicked(currentItem.note, currentItem.fileName)
        Keys.onSpacePressed: if (currentItem) notesList.cardClicked(currentItem.note, currentItem.fileName)
        Keys.onDeletePressed: notesList.deleteCurrent()
        Accessible.role: Accessible.List
        Accessible.name: qsTr("Notes")
        boundsBehavior: Flickable.StopAtBounds
        cellWidth: Math.max(1, Math.floor(width / columns))
        cellHeight: notesList.listLayout ? Math.round(96 * notesList.unit) : Math.round(cellWidth * 0.9)
        // Delegates exist only for the visible rows plus this margin; each
        // loads its note when made.
        cacheBuffer: Math.round(cellHeight * 2)

        header: Item { width: 1; height: view.spacing / 2 }
        // Room below the last row so the add button never covers a card.
        footer: Item {
            width: 1
            height: addNoteButton.visible ? addNoteButton.height + 2 * addNoteButton.margin : view.spacing
        }

        // No card exists before the collection is read, which waits for the
        // window's first frame: the cards' documents are compiled after it.
        delegate: notesList._windowFramed ? Qt.createComponent("private/NotesListCard.qml") : null

        displaced: Transition {
            NumberAnimation { properties: "x,y"; duration: 200; easing.type: Easing.OutQuad }
        }
        move: Transition {
            NumberAnimation { properties: "x,y"; duration: 200; easing.type: Easing.OutQuad }
        }

        // Made with the cards, after the first frame; the template's
        // attached property leaves the style's document unread until then.
        T.ScrollBar.vertical: notesList._scrollBar
    }

    // The cards' preview font, measured once for them all.
    FontMetrics {
        id: previewMetrics
        font.pixelSize: styles.label.small
    }

    // What an empty window offers a first-time user.
    Text {
        objectName: "emptyHint"
        anchors.centerIn: parent
        width: Math.min(parent.width - 40 * notesList.unit, 420 * notesList.unit)
        visible: addNoteButton.visible && view.count === 0
        // Laid out only when shown: hidden, as at the window's first frame,
        // it would still be.
        text: visible ? qsTr("No notes yet.\nPress the + button or Ctrl+N to write your first note.") : ""
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
        color: styles.textColor
        font.pixelSize: styles.label.normal
    }

    RoundAddButton {
        id: addNoteButton

        readonly property real margin: 20 * notesList.unit

        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.rightMargin: margin
        anchors.bottomMargin: margin
        z: 1
        onClicked: notesList.requestNewNote()
    }
}
