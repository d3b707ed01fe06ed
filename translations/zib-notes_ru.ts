<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
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
        <location line="+83"/>
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
        <location filename="../app/tray.cpp" line="+51"/>
        <source>Open task</source>
        <translation>Открыть задачу</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <location line="+52"/>
        <source>Task notification: </source>
        <translation>Напоминание о задаче: </translation>
    </message>
    <message>
        <location line="+1"/>
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
        <location filename="../app/main.cpp" line="+59"/>
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
        <location filename="../platform/notify/main.cpp" line="+15"/>
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
        <location line="+6"/>
        <source>Not a note file name: %1</source>
        <translation>Это не имя файла заметки: %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>zib-notes was not found.</source>
        <translation>zib-notes не найдена.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>zib-notes could not be started.</source>
        <translation>Не удалось запустить zib-notes.</translation>
    </message>
</context>
</TS>
