<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="it_IT">
<context>
    <name>frmWeb</name>
    <message>
        <source>Caricamento della pagina…</source>
        <translation>Loading the page…</translation>
    </message>
    <message>
        <source>Lumivo Pro - WebBrowser</source>
        <translation>Lumivo Pro - Web Browser</translation>
    </message>
</context>
</TS>
