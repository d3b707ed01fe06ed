<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>DeleteUndoNotice</name>
    <message numerus="yes">
        <location filename="../app/qml/pages/components/DeleteUndoNotice.qml" line="+16"/>
        <source>%n notes deleted</source>
        <translation>
            <numerusform>%n note deleted</numerusform>
            <numerusform>%n notes deleted</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MainPage</name>
    <message numerus="yes">
        <location filename="../app/qml/pages/MainPage.qml" line="+68"/>
        <source>Do you really want to delete %n note?</source>
        <translation>
            <numerusform>Do you really want to delete %n note?</numerusform>
            <numerusform>Do you really want to delete %n notes?</numerusform>
        </translation>
    </message>
</context>
</TS>
