<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>AddListItemButton</name>
    <message>
        <location filename="../plugin/qml/AddListItemButton.qml" line="+39"/>
        <source>Add item</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CanvasNotePage</name>
    <message>
        <location filename="../plugin/qml/CanvasNotePage.qml" line="+7"/>
        <source>Canvas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>New canvas note</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ListNotePage</name>
    <message>
        <location filename="../plugin/qml/ListNotePage.qml" line="+7"/>
        <source>New list note</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainPage</name>
    <message>
        <location filename="../app/qml/pages/MainPage.qml" line="+40"/>
        <source>Add note:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Do you really want to delete %n note?</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MainToolbar</name>
    <message>
        <location filename="../app/qml/pages/components/MainToolbar.qml" line="+80"/>
        <source>New note</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NotePage</name>
    <message>
        <location filename="../plugin/qml/NotePage.qml" line="+51"/>
        <location line="+51"/>
        <location line="+300"/>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-350"/>
        <source>You have unsaved data. Do you still want to continue?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Do you really want to delete this note?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+92"/>
        <source>Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+208"/>
        <source>Do you really want to clear canvas?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NotesController</name>
    <message>
        <location filename="../platform/notesmodule/NotesController.qml" line="+19"/>
        <source>Text note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>List note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Canvas note</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NotesList</name>
    <message>
        <location filename="../platform/notesmodule/NotesList.qml" line="+18"/>
        <source>Grid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>List</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RoundAddButton</name>
    <message>
        <location filename="../platform/notesmodule/private/RoundAddButton.qml" line="+55"/>
        <source>New note</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TaskPage</name>
    <message>
        <location filename="../plugin/qml/TaskPage.qml" line="+19"/>
        <source>Reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+74"/>
        <source>How often</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Never</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Once</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Every day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Every week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Every month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Every year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Date and time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Date reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Week day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Monday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Tuesday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Wednesday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Thursday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Friday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Saturday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Sunday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Time reminder</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextNotePage</name>
    <message>
        <location filename="../plugin/qml/TextNotePage.qml" line="+7"/>
        <source>New text note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Note text</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tray</name>
    <message>
        <location filename="../app/tray.cpp" line="+51"/>
        <source>Open task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+52"/>
        <source>Task notification: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Task notification</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../app/qml/main.qml" line="+14"/>
        <source>Notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../app/main.cpp" line="+56"/>
        <source>Notify task &lt;noteId&gt;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+3"/>
        <source>noteId</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Show task &lt;noteId&gt;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Create task.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
