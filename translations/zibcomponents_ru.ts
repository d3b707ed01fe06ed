<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>ZibColorPickerDialog</name>
    <message>
        <location filename="../platform/components/qml/ZibColorPickerDialog.qml" line="+41"/>
        <source>Colour</source>
        <translation>Цвет</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Colour %1</source>
        <translation>Цвет %1</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Red</source>
        <translation>Красный</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Green</source>
        <translation>Зелёный</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Blue</source>
        <translation>Синий</translation>
    </message>
</context>
<context>
    <name>ZibDatePickerDialog</name>
    <message>
        <location filename="../platform/components/qml/ZibDatePickerDialog.qml" line="+38"/>
        <source>Date</source>
        <translation>Дата</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Day</source>
        <translation>День</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Month</source>
        <translation>Месяц</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Year</source>
        <translation>Год</translation>
    </message>
</context>
<context>
    <name>ZibDialog</name>
    <message>
        <location filename="../platform/components/qml/ZibDialog.qml" line="+15"/>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <location line="+95"/>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>ZibPage</name>
    <message>
        <location filename="../platform/components/qml/ZibPage.qml" line="+150"/>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>ZibRoundButton</name>
    <message>
        <location filename="../platform/components/qml/ZibRoundButton.qml" line="+10"/>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
</context>
<context>
    <name>ZibScrollBar</name>
    <message>
        <location filename="../platform/components/qml/ZibScrollBar.qml" line="+17"/>
        <source>Scroll</source>
        <translation>Прокрутка</translation>
    </message>
</context>
<context>
    <name>ZibTimePickerDialog</name>
    <message>
        <location filename="../platform/components/qml/ZibTimePickerDialog.qml" line="+11"/>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Hour</source>
        <translation>Час</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Minute</source>
        <translation>Минута</translation>
    </message>
</context>
<context>
    <name>ZibToolBar</name>
    <message>
        <location filename="../platform/components/qml/ZibToolBar.qml" line="+51"/>
        <location line="+2"/>
        <source>Search</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Search the notes (Ctrl+F)</source>
        <translation>Поиск по заметкам (Ctrl+F)</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Clear the search</source>
        <translation>Очистить поиск</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Back</source>
        <translation>Назад</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
</context>
</TS>
