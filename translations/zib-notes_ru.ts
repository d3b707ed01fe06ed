<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>DeleteUndoNotice</name>
    <message>
        <location filename="../app/qml/pages/components/DeleteUndoNotice.qml" line="+16"/>
        <source>Note deleted</source>
        <translation>Заметка удалена</translation>
    </message>
    <message numerus="yes">
        <location line="+0"/>
        <source>%n notes deleted</source>
        <translation>
            <numerusform>%n заметка удалена</numerusform>
            <numerusform>%n заметки удалены</numerusform>
            <numerusform>%n заметок удалено</numerusform>
        </translation>
    </message>
    <message>
        <location line="+58"/>
        <source>Undo</source>
        <translation>Отменить</translation>
    </message>
</context>
<context>
    <name>DesktopNotifications</name>
    <message>
        <location filename="../app/desktopnotifications.cpp" line="+60"/>
        <source>Open</source>
        <translation>Открыть</translation>
    </message>
</context>
<context>
    <name>MainPage</name>
    <message>
        <location filename="../app/qml/pages/MainPage.qml" line="+40"/>
        <source>Add note:</source>
        <translation>Добавить заметку:</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Warning</source>
        <translation>Внимание</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Do you really want to delete %n note?</source>
        <translation>
            <numerusform>Вы действительно хотите удалить %n заметку?</numerusform>
            <numerusform>Вы действительно хотите удалить %n заметки?</numerusform>
            <numerusform>Вы действительно хотите удалить %n заметок?</numerusform>
        </translation>
    </message>
    <message>
        <location line="+104"/>
        <source>Delete the marked notes</source>
        <translation>Удалить отмеченные заметки</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop marking</source>
        <translation>Закончить выбор</translation>
    </message>
</context>
<context>
    <name>MainToolbar</name>
    <message>
        <location filename="../app/qml/pages/components/MainToolbar.qml" line="+85"/>
        <source>New note</source>
        <translation>Новая заметка</translation>
    </message>
</context>
<context>
    <name>Tray</name>
    <message>
        <location filename="../app/tray.cpp" line="+100"/>
        <source>Open task</source>
        <translation>Открыть задачу</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <location line="+94"/>
        <source>%1 (missed, due %2)</source>
        <translation>%1 (пропущено, срок %2)</translation>
    </message>
    <message>
        <location line="+36"/>
        <location line="+27"/>
        <source>Task notification: </source>
        <translation>Напоминание о задаче: </translation>
    </message>
    <message>
        <location line="-45"/>
        <source>Task notification</source>
        <translation>Напоминание о задаче</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../app/qml/main.qml" line="+16"/>
        <source>Notes</source>
        <translation>Заметки</translation>
    </message>
    <message>
        <location filename="../app/main.cpp" line="+75"/>
        <source>Notify task &lt;noteId&gt;.</source>
        <translation>Напомнить о задаче &lt;noteId&gt;.</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+3"/>
        <source>noteId</source>
        <translation>noteId</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Show task &lt;noteId&gt;.</source>
        <translation>Показать задачу &lt;noteId&gt;.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Create task.</source>
        <translation>Создать задачу.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Start in the background, without a window.</source>
        <translation>Запустить в фоне, без окна.</translation>
    </message>
    <message>
        <location filename="../platform/notify/main.cpp" line="+98"/>
        <source>Shows the reminder of a note through zib-notes.</source>
        <translation>Показывает напоминание заметки через zib-notes.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>File name of the note, such as 1a.note.</source>
        <translation>Имя файла заметки, например 1a.note.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Expected one note file name.</source>
        <translation>Ожидается одно имя файла заметки.</translation>
    </message>
    <message>
        <location filename="../app/main.cpp" line="-43"/>
        <location filename="../platform/notify/main.cpp" line="+6"/>
        <source>Not a note file name: %1</source>
        <translation>Это не имя файла заметки: %1</translation>
    </message>
</context>
</TS>
