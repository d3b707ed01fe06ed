<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>AddListItemButton</name>
    <message>
        <location filename="../plugin/qml/AddListItemButton.qml" line="+17"/>
        <location line="+36"/>
        <source>Add item</source>
        <translation>Добавить пункт</translation>
    </message>
</context>
<context>
    <name>CanvasNotePage</name>
    <message>
        <location filename="../plugin/qml/CanvasNotePage.qml" line="+7"/>
        <source>Canvas</source>
        <translation>Рисунок</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>New canvas note</source>
        <translation>Новая заметка-рисунок</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Warning</source>
        <translation>Внимание</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The drawing could not be saved.</source>
        <translation>Не удалось сохранить рисунок.</translation>
    </message>
</context>
<context>
    <name>ChangedElsewhereBar</name>
    <message>
        <location filename="../plugin/qml/ChangedElsewhereBar.qml" line="+28"/>
        <source>This note was deleted elsewhere.</source>
        <translation>Эта заметка удалена в другом месте.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>This note was changed elsewhere.</source>
        <translation>Эта заметка изменена в другом месте.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Keep as a new note</source>
        <translation>Сохранить как новую заметку</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Load that version</source>
        <translation>Загрузить ту версию</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Keep mine</source>
        <translation>Оставить мою</translation>
    </message>
</context>
<context>
    <name>ListNotePage</name>
    <message>
        <location filename="../plugin/qml/ListNotePage.qml" line="+7"/>
        <source>New list note</source>
        <translation>Новый список дел</translation>
    </message>
    <message>
        <location line="+296"/>
        <source>Entry %1</source>
        <translation>Пункт %1</translation>
    </message>
</context>
<context>
    <name>NotePage</name>
    <message>
        <location filename="../plugin/qml/NotePage.qml" line="+77"/>
        <location line="+57"/>
        <location line="+360"/>
        <source>Warning</source>
        <translation>Внимание</translation>
    </message>
    <message>
        <location line="-416"/>
        <source>You have unsaved data. Do you still want to continue?</source>
        <translation>Есть несохранённые изменения. Всё равно продолжить?</translation>
    </message>
    <message>
        <location line="+57"/>
        <source>Do you really want to delete this note?</source>
        <translation>Вы действительно хотите удалить эту заметку?</translation>
    </message>
    <message>
        <location line="+55"/>
        <source>Edit</source>
        <translation>Изменить</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Delete note</source>
        <translation>Удалить заметку</translation>
    </message>
    <message>
        <location line="+57"/>
        <source>Title</source>
        <translation>Заголовок</translation>
    </message>
    <message>
        <location line="+71"/>
        <source>Background colour</source>
        <translation>Цвет фона</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Text colour</source>
        <translation>Цвет текста</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Reminder</source>
        <translation>Напоминание</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Line width</source>
        <translation>Толщина линии</translation>
    </message>
    <message>
        <location line="+62"/>
        <source>Pen</source>
        <translation>Карандаш</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Eraser (hold to clear the drawing)</source>
        <translation>Ластик (удерживайте, чтобы очистить рисунок)</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Do you really want to clear canvas?</source>
        <translation>Вы действительно хотите очистить рисунок?</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>The note could not be saved: %1</source>
        <translation>Не удалось сохранить заметку: %1</translation>
    </message>
</context>
<context>
    <name>NotesController</name>
    <message>
        <location filename="../platform/notesmodule/NotesController.qml" line="+19"/>
        <source>Text note</source>
        <translation>Текстовая заметка</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>List note</source>
        <translation>Список дел</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Canvas note</source>
        <translation>Заметка-рисунок</translation>
    </message>
</context>
<context>
    <name>NotesList</name>
    <message>
        <location filename="../platform/notesmodule/NotesList.qml" line="+18"/>
        <source>Grid</source>
        <translation>Сетка</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>List</source>
        <translation>Список</translation>
    </message>
    <message>
        <location line="+98"/>
        <source>Notes</source>
        <translation>Заметки</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>Scroll the notes</source>
        <translation>Прокрутка заметок</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>No notes yet.
Press the + button or Ctrl+N to write your first note.</source>
        <translation>Заметок пока нет.
Нажмите кнопку + или Ctrl+N, чтобы написать первую заметку.</translation>
    </message>
</context>
<context>
    <name>NotesModel</name>
    <message>
        <location filename="../plugin/notesmodel.cpp" line="+302"/>
        <source>The note could not be added: %1</source>
        <translation>Не удалось добавить заметку: %1</translation>
    </message>
    <message>
        <location line="+65"/>
        <source>The note could not be deleted: %1</source>
        <translation>Не удалось удалить заметку: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The notes could not be deleted: %1</source>
        <translation>Не удалось удалить заметки: %1</translation>
    </message>
    <message>
        <location line="+98"/>
        <location line="+21"/>
        <source>The notes could not be brought back: %1</source>
        <translation>Не удалось восстановить заметки: %1</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Another program is changing the notes. Please try again.</source>
        <translation>Другая программа сейчас изменяет заметки. Повторите попытку.</translation>
    </message>
    <message>
        <location line="+160"/>
        <source>The list of notes could not be updated: %1</source>
        <translation>Не удалось обновить список заметок: %1</translation>
    </message>
    <message>
        <location line="+95"/>
        <location line="+7"/>
        <source>The note could not be kept: %1</source>
        <translation>Не удалось оставить заметку: %1</translation>
    </message>
</context>
<context>
    <name>RoundAddButton</name>
    <message>
        <location filename="../platform/notesmodule/private/RoundAddButton.qml" line="+62"/>
        <source>New note</source>
        <translation>Новая заметка</translation>
    </message>
</context>
<context>
    <name>SafeIniFile</name>
    <message>
        <location filename="../plugin/safeinifile.cpp" line="+107"/>
        <source>no file can be created</source>
        <translation>не удаётся создать файл</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+42"/>
        <location line="+53"/>
        <location line="+8"/>
        <source>the file could not be written</source>
        <translation>не удалось записать файл</translation>
    </message>
    <message>
        <location line="-81"/>
        <location line="+13"/>
        <source>the file cannot be read</source>
        <translation>не удаётся прочитать файл</translation>
    </message>
    <message>
        <location line="+74"/>
        <source>the file could not be replaced</source>
        <translation>не удалось заменить файл</translation>
    </message>
</context>
<context>
    <name>TaskPage</name>
    <message>
        <location filename="../plugin/qml/TaskPage.qml" line="+19"/>
        <source>Reminder</source>
        <translation>Напоминание</translation>
    </message>
    <message>
        <location line="+74"/>
        <source>How often</source>
        <translation>Как часто</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Never</source>
        <translation>Никогда</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Once</source>
        <translation>Один раз</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Every day</source>
        <translation>Каждый день</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Every week</source>
        <translation>Каждую неделю</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Every month</source>
        <translation>Каждый месяц</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Every year</source>
        <translation>Каждый год</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Date and time</source>
        <translation>Дата и время</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Date reminder</source>
        <translation>Дата напоминания</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Week day</source>
        <translation>День недели</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Monday</source>
        <translation>Понедельник</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Tuesday</source>
        <translation>Вторник</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Wednesday</source>
        <translation>Среда</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Thursday</source>
        <translation>Четверг</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Friday</source>
        <translation>Пятница</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Saturday</source>
        <translation>Суббота</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Sunday</source>
        <translation>Воскресенье</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Time reminder</source>
        <translation>Время напоминания</translation>
    </message>
</context>
<context>
    <name>TextNotePage</name>
    <message>
        <location filename="../plugin/qml/TextNotePage.qml" line="+7"/>
        <source>New text note</source>
        <translation>Новая текстовая заметка</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Note text</source>
        <translation>Текст заметки</translation>
    </message>
</context>
</TS>
