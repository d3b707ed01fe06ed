<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AddListItemButton</name>
    <message>
        <location filename="../plugin/qml/AddListItemButton.qml" line="+17"/>
        <location line="+36"/>
        <source>Add item</source>
        <translation>Eintrag hinzufügen</translation>
    </message>
</context>
<context>
    <name>CanvasNotePage</name>
    <message>
        <location filename="../plugin/qml/CanvasNotePage.qml" line="+7"/>
        <source>Canvas</source>
        <translation>Zeichnung</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>New canvas note</source>
        <translation>Neue Zeichennotiz</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The drawing could not be saved.</source>
        <translation>Die Zeichnung konnte nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>ChangedElsewhereBar</name>
    <message>
        <location filename="../plugin/qml/ChangedElsewhereBar.qml" line="+28"/>
        <source>This note was deleted elsewhere.</source>
        <translation>Diese Notiz wurde anderswo gelöscht.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>This note was changed elsewhere.</source>
        <translation>Diese Notiz wurde anderswo geändert.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Keep as a new note</source>
        <translation>Als neue Notiz behalten</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Load that version</source>
        <translation>Andere Fassung laden</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Keep mine</source>
        <translation>Meine behalten</translation>
    </message>
</context>
<context>
    <name>ListNotePage</name>
    <message>
        <location filename="../plugin/qml/ListNotePage.qml" line="+7"/>
        <source>New list note</source>
        <translation>Neue Checkliste</translation>
    </message>
    <message>
        <location line="+296"/>
        <source>Entry %1</source>
        <translation>Eintrag %1</translation>
    </message>
</context>
<context>
    <name>NotePage</name>
    <message>
        <location filename="../plugin/qml/NotePage.qml" line="+77"/>
        <location line="+57"/>
        <location line="+360"/>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <location line="-416"/>
        <source>You have unsaved data. Do you still want to continue?</source>
        <translation>Es gibt ungespeicherte Änderungen. Trotzdem fortfahren?</translation>
    </message>
    <message>
        <location line="+57"/>
        <source>Do you really want to delete this note?</source>
        <translation>Möchten Sie diese Notiz wirklich löschen?</translation>
    </message>
    <message>
        <location line="+55"/>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Delete note</source>
        <translation>Notiz löschen</translation>
    </message>
    <message>
        <location line="+57"/>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <location line="+71"/>
        <source>Background colour</source>
        <translation>Hintergrundfarbe</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Text colour</source>
        <translation>Textfarbe</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Reminder</source>
        <translation>Erinnerung</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Line width</source>
        <translation>Linienbreite</translation>
    </message>
    <message>
        <location line="+62"/>
        <source>Pen</source>
        <translation>Stift</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Eraser (hold to clear the drawing)</source>
        <translation>Radierer (gedrückt halten, um die Zeichnung zu leeren)</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Do you really want to clear canvas?</source>
        <translation>Möchten Sie die Zeichnung wirklich leeren?</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>The note could not be saved: %1</source>
        <translation>Die Notiz konnte nicht gespeichert werden: %1</translation>
    </message>
</context>
<context>
    <name>NotesController</name>
    <message>
        <location filename="../platform/notesmodule/NotesController.qml" line="+19"/>
        <source>Text note</source>
        <translation>Textnotiz</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>List note</source>
        <translation>Checkliste</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Canvas note</source>
        <translation>Zeichennotiz</translation>
    </message>
</context>
<context>
    <name>NotesList</name>
    <message>
        <location filename="../platform/notesmodule/NotesList.qml" line="+18"/>
        <source>Grid</source>
        <translation>Raster</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <location line="+98"/>
        <source>Notes</source>
        <translation>Notizen</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>Scroll the notes</source>
        <translation>Durch die Notizen blättern</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>No notes yet.
Press the + button or Ctrl+N to write your first note.</source>
        <translation>Noch keine Notizen.
Drücken Sie die Schaltfläche + oder Strg+N, um Ihre erste Notiz zu schreiben.</translation>
    </message>
</context>
<context>
    <name>NotesModel</name>
    <message>
        <location filename="../plugin/notesmodel.cpp" line="+302"/>
        <source>The note could not be added: %1</source>
        <translation>Die Notiz konnte nicht hinzugefügt werden: %1</translation>
    </message>
    <message>
        <location line="+65"/>
        <source>The note could not be deleted: %1</source>
        <translation>Die Notiz konnte nicht gelöscht werden: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The notes could not be deleted: %1</source>
        <translation>Die Notizen konnten nicht gelöscht werden: %1</translation>
    </message>
    <message>
        <location line="+98"/>
        <location line="+21"/>
        <source>The notes could not be brought back: %1</source>
        <translation>Die Notizen konnten nicht wiederhergestellt werden: %1</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Another program is changing the notes. Please try again.</source>
        <translation>Ein anderes Programm ändert gerade die Notizen. Bitte versuchen Sie es erneut.</translation>
    </message>
    <message>
        <location line="+160"/>
        <source>The list of notes could not be updated: %1</source>
        <translation>Die Liste der Notizen konnte nicht aktualisiert werden: %1</translation>
    </message>
    <message>
        <location line="+95"/>
        <location line="+7"/>
        <source>The note could not be kept: %1</source>
        <translation>Die Notiz konnte nicht behalten werden: %1</translation>
    </message>
</context>
<context>
    <name>RoundAddButton</name>
    <message>
        <location filename="../platform/notesmodule/private/RoundAddButton.qml" line="+62"/>
        <source>New note</source>
        <translation>Neue Notiz</translation>
    </message>
</context>
<context>
    <name>SafeIniFile</name>
    <message>
        <location filename="../plugin/safeinifile.cpp" line="+107"/>
        <source>no file can be created</source>
        <translation>es kann keine Datei angelegt werden</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+42"/>
        <location line="+53"/>
        <location line="+8"/>
        <source>the file could not be written</source>
        <translation>die Datei konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <location line="-81"/>
        <location line="+13"/>
        <source>the file cannot be read</source>
        <translation>die Datei kann nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+74"/>
        <source>the file could not be replaced</source>
        <translation>die Datei konnte nicht ersetzt werden</translation>
    </message>
</context>
<context>
    <name>TaskPage</name>
    <message>
        <location filename="../plugin/qml/TaskPage.qml" line="+19"/>
        <source>Reminder</source>
        <translation>Erinnerung</translation>
    </message>
    <message>
        <location line="+74"/>
        <source>How often</source>
        <translation>Wie oft</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Once</source>
        <translation>Einmal</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Every day</source>
        <translation>Jeden Tag</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Every week</source>
        <translation>Jede Woche</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Every month</source>
        <translation>Jeden Monat</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Every year</source>
        <translation>Jedes Jahr</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Date and time</source>
        <translation>Datum und Uhrzeit</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Date reminder</source>
        <translation>Datum der Erinnerung</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Week day</source>
        <translation>Wochentag</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Monday</source>
        <translation>Montag</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Tuesday</source>
        <translation>Dienstag</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Wednesday</source>
        <translation>Mittwoch</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Thursday</source>
        <translation>Donnerstag</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Friday</source>
        <translation>Freitag</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Saturday</source>
        <translation>Samstag</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Sunday</source>
        <translation>Sonntag</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Time reminder</source>
        <translation>Uhrzeit der Erinnerung</translation>
    </message>
</context>
<context>
    <name>TextNotePage</name>
    <message>
        <location filename="../plugin/qml/TextNotePage.qml" line="+7"/>
        <source>New text note</source>
        <translation>Neue Textnotiz</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Note text</source>
        <translation>Notiztext</translation>
    </message>
</context>
</TS>
