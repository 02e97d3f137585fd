<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="it_IT">
<context>
    <name>CommandLine</name>
    <message>
        <source>Lumivo Pro, il quiz dei film.</source>
        <translation>Lumivo Pro, the film quiz.</translation>
    </message>
    <message>
        <source>La finestra web di Lumivo Pro, che il gioco apre e comanda dal suo standard input.</source>
        <translation>The web window of Lumivo Pro, opened by the game and driven through its standard input.</translation>
    </message>
    <message>
        <source>%1: il gioco non ha la lingua &quot;%2&quot;; ha %3. Si gioca in italiano.</source>
        <translation>%1: the game has no language &quot;%2&quot;; it has %3. Playing in Italian.</translation>
    </message>
    <message>
        <source>it (italiano) ed en (inglese)</source>
        <translation>it (Italian) and en (English)</translation>
    </message>
    <message>
        <source>Argomento inatteso: %1</source>
        <translation>Unexpected argument: %1</translation>
    </message>
    <message>
        <source>Indirizzo del sito non valido (--site o LUMIVO_SITE): %1; si usa %2.</source>
        <translation>Not a valid site address (--site or LUMIVO_SITE): %1; using %2.</translation>
    </message>
    <message>
        <source>Mostra queste righe sulle opzioni.</source>
        <translation>Shows these lines about the options.</translation>
    </message>
    <message>
        <source>La lingua del gioco, it (italiano) o en (inglese) (predefinita: LUMIVO_LANG, poi it).</source>
        <translation>The game&apos;s language, it (Italian) or en (English) (default: LUMIVO_LANG, then it).</translation>
    </message>
    <message>
        <source>Indirizzo del sito del gioco, http:// o https:// (predefinito: LUMIVO_SITE, poi %1).</source>
        <translation>The game&apos;s site address, http:// or https:// (default: LUMIVO_SITE, then %1).</translation>
    </message>
    <message>
        <source>Lo zoom del gioco in percento (predefinito: 100).</source>
        <translation>The game&apos;s zoom in percent (default: 100).</translation>
    </message>
</context>
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
    <message>
        <source>Il sito del gioco non risponde: i tempi non sono stati inviati, potrai inviarli di nuovo dal menu.</source>
        <translation>The game&apos;s site does not answer: your times were not sent; you can send them again from the menu.</translation>
    </message>
    <message>
        <source>Il sito del gioco non risponde: riprova più tardi.</source>
        <translation>The game&apos;s site does not answer: try again later.</translation>
    </message>
</context>
</TS>
