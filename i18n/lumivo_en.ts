<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="it_IT">
<context>
    <name>AlphaPlayScreen</name>
    <message>
        <source>Eccoti finalmente alla modalità Alpha; hai presente il gioco dei 15 in cui devi ordinare i tasselli? Bene, la modalità Alpha funziona allo stesso modo, ma dovrai ordinare i film in ordine &quot;alfabetico&quot; guardando 15 scene scelte casualmente dalla categoria Classic. Il gioco è piuttosto difficile, una volta ordinati i film sarà sbloccata l&apos;ultima modalità della categoria Puzzle. Per giocare clicca sulle immagini per spostarle nella casella vuota; non appena i film saranno riordinati il tempo si fermerà e verrà visualizzato un messaggio. È molto importante riconoscere i film &quot;al volo&quot; per ottenere un buon tempo; le prime volte il gioco potrebbe risultare impossibile, ricorda che puoi sempre accedere alla modalità Classic e consultare il titolo dei film. In questa modalità la tua unica speranza è la tua memoria visiva ed una massiccia dose di pazienza.</source>
        <translation>Here you are at last in Alpha mode! Do you know the 15 puzzle, where you slide the tiles into order? Well, Alpha mode works the same way, except that you put the films in &quot;alphabetical&quot; order, looking at 15 scenes picked at random from the Classic category. The game is rather hard; once the films are in order, the last of the Puzzle games unlocks. To play, click a picture to slide it into the empty square; as soon as the films are back in order, the clock stops and a message appears. It is very important to recognize the films &quot;on the fly&quot; to get a good time; the first few times the game may seem impossible, but remember that you can always go to Classic mode and look up the titles of the films. In this mode your only hope is your visual memory and a massive dose of patience.</translation>
    </message>
    <message>
        <source>Alpha</source>
        <translation>Alpha</translation>
    </message>
    <message>
        <source>Per giocare ad Alpha servono 15 immagini Classic con titoli diversi, ma le categorie Classic installate ne hanno %1 e non bastano. Scarica le categorie Classic che mancano e riprova.</source>
        <translation>Alpha needs 15 Classic pictures with different titles, but the installed Classic categories only have %1, which is not enough. Download the missing Classic categories and try again.</translation>
    </message>
    <message>
        <source>Per giocare ad Alpha servono 15 immagini Classic con titoli diversi, ma tra le %1 installate non se ne trovano abbastanza. Scarica altre categorie Classic e riprova.</source>
        <translation>Alpha needs 15 Classic pictures with different titles, but there are not enough among the %1 installed. Download more Classic categories and try again.</translation>
    </message>
    <message>
        <source>L&apos;immagine n. %1 non si può leggere: il file %2 è danneggiato.</source>
        <translation>Picture no. %1 cannot be read: the file %2 is damaged.</translation>
    </message>
    <message>
        <source>La lista delle immagini %1 manca o è danneggiata.</source>
        <translation>The picture list %1 is missing or damaged.</translation>
    </message>
    <message>
        <source>Alpha: %1</source>
        <translation>Alpha: %1</translation>
    </message>
    <message>
        <source>Impossibile preparare la partita Alpha.

%1

Si torna al menu.</source>
        <translation>The Alpha game could not be set up.

%1

Back to the menu.</translation>
    </message>
</context>
<context>
    <name>Artwork</name>
    <message>
        <source>indovina il film dalla scena</source>
        <translation>guess the film from the scene</translation>
    </message>
    <message>
        <source>Entra</source>
        <translation>Log in</translation>
    </message>
    <message>
        <source>Esci</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Indietro</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Avanti</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>i film per genere</source>
        <translation>films by genre</translation>
    </message>
    <message>
        <source>categorie a tema</source>
        <translation>themed categories</translation>
    </message>
    <message>
        <source>i titoli in ordine</source>
        <translation>titles in order</translation>
    </message>
    <message>
        <source>BLOCCATO</source>
        <translation>LOCKED</translation>
    </message>
    <message>
        <source>Incontri al cinema</source>
        <translation>Meet at the movies</translation>
    </message>
    <message>
        <source>il forum dei giocatori: aiuti, trucchi e novità</source>
        <translation>the players&apos; forum: help, tips and news</translation>
    </message>
    <message>
        <source>Il tuo gioco, presto!</source>
        <translation>Your game, coming soon!</translation>
    </message>
    <message>
        <source>hai completato tutto: un nuovo tipo di gioco è in arrivo</source>
        <translation>all done: a new kind of game is on its way</translation>
    </message>
</context>
<context>
    <name>BonusPlayScreen</name>
    <message>
        <source>A differenza della modalità Classic, dovrai indovinare il titolo dei film guardando una scena in cui i volti degli attori sono stati sostituiti da elementi di disturbo. Non avrai un tempo limite, tuttavia più sarai veloce e migliore sarà la tua posizione in classifica, usa i comandi ai lati della finestra per spostarti tra le pagine; ogni pagina comprende tre immagini, quando le avrai indovinate tutte avrai vinto questa categoria. Ricordati che premendo F1 potrai vedere il codice dell&apos;immagine, utile per dare suggerimenti e per segnalare eventuali errori.</source>
        <translation>Unlike Classic mode, here you guess the titles of the films from a scene in which the actors&apos; faces have been replaced with distractions. There is no time limit, but the faster you are, the higher you will rank; use the controls at the sides of the window to move between pages. Each page has three pictures, and once you have guessed them all you have won this category. Remember that pressing F1 shows each picture&apos;s code, which is handy for giving hints and reporting mistakes.</translation>
    </message>
    <message>
        <source>Bonus: %1</source>
        <translation>Bonus: %1</translation>
    </message>
</context>
<context>
    <name>CategoryPlay</name>
    <message>
        <source>Complimenti, hai vinto questa categoria; controlla se sono disponibili nuove opzioni. Potrai consultare questa categoria in qualsiasi momento.</source>
        <translation>Congratulations, you have won this category; check whether new options are available. You can come back to this category whenever you like.</translation>
    </message>
    <message>
        <source>Impossibile salvare la soluzione nel file utente: controlla che la cartella User esista e che si possa scrivere. L&apos;immagine resta da indovinare.</source>
        <translation>The solution could not be saved in the user file: check that the User folder exists and can be written to. The picture is still to be guessed.</translation>
    </message>
    <message>
        <source>Impossibile salvare la vittoria della categoria nel file utente: controlla che la cartella User esista e che si possa scrivere.</source>
        <translation>The category win could not be saved in the user file: check that the User folder exists and can be written to.</translation>
    </message>
    <message>
        <source>Impossibile salvare la vittoria della modalità Alpha nel file utente: controlla che la cartella User esista e che si possa scrivere.</source>
        <translation>The Alpha win could not be saved in the user file: check that the User folder exists and can be written to.</translation>
    </message>
    <message>
        <source>%1 e %2</source>
        <translation>%1 and %2</translation>
    </message>
    <message>
        <source>la modalità %1</source>
        <translation>the %1 mode</translation>
    </message>
    <message>
        <source>le modalità %1</source>
        <translation>the %1 modes</translation>
    </message>
    <message>
        <source>la categoria %1</source>
        <translation>the %1 category</translation>
    </message>
    <message>
        <source>le categorie %1</source>
        <translation>the %1 categories</translation>
    </message>
    <message>
        <source>Hai sbloccato %1.</source>
        <translation>You have unlocked %1.</translation>
    </message>
</context>
<context>
    <name>CategorySelection</name>
    <message>
        <source>Al posto delle miniature mancanti compare il nome della categoria; le categorie aperte si possono giocare lo stesso.</source>
        <translation>The category&apos;s name takes the place of each missing thumbnail; open categories can still be played.</translation>
    </message>
    <message>
        <source>La miniatura della categoria %1 non è un&apos;immagine leggibile.</source>
        <translation>The thumbnail of the %1 category is not a readable picture.</translation>
    </message>
</context>
<context>
    <name>CategoryTable</name>
    <message>
        <source>La categoria %1 non esiste.</source>
        <translation>Category %1 does not exist.</translation>
    </message>
    <message>
        <source>Manca la cartella %1.</source>
        <translation>The folder %1 is missing.</translation>
    </message>
    <message>
        <source>Impossibile leggere il file %1.</source>
        <translation>The file %1 cannot be read.</translation>
    </message>
</context>
<context>
    <name>ClassicPlayScreen</name>
    <message>
        <source>Clicca per iniziare il gioco; dovrai indovinare il titolo dei film guardando una scena a cui sono stati tolti i volti degli attori. Non avrai un tempo limite, tuttavia più sarai veloce e migliore sarà la tua posizione in classifica, usa i comandi ai lati della finestra per spostarti tra le pagine; ogni pagina comprende nove immagini, quando le avrai indovinate tutte avrai vinto questa categoria. Ricordati che premendo F1 potrai vedere il codice dell&apos;immagine, utile per dare suggerimenti e per segnalare eventuali errori.</source>
        <translation>Click to start the game. You have to guess the titles of the films from scenes with the actors&apos; faces taken out. There is no time limit, but the faster you are, the higher you will rank; use the controls at the sides of the window to move between pages. Each page has nine pictures, and once you have guessed them all you have won this category. Remember that pressing F1 shows each picture&apos;s code, which is handy for giving hints and reporting mistakes.</translation>
    </message>
    <message>
        <source>Classic:</source>
        <translation>Classic:</translation>
    </message>
    <message>
        <source>Pagina precedente</source>
        <translation>Previous page</translation>
    </message>
    <message>
        <source>Pagina successiva</source>
        <translation>Next page</translation>
    </message>
    <message>
        <source>Classic: %1</source>
        <translation>Classic: %1</translation>
    </message>
    <message>
        <source>La lista delle immagini %1 ha %2 righe, ma una pagina ne mostra %3.</source>
        <translation>The picture list %1 has %2 lines, but a page shows %3.</translation>
    </message>
</context>
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
    <name>ContentFiles</name>
    <message>
        <source>non si trova</source>
        <translation>it cannot be found</translation>
    </message>
    <message>
        <source>Impossibile leggere il file %1.</source>
        <translation>The file %1 cannot be read.</translation>
    </message>
    <message>
        <source>Il file %1 manca o è danneggiato: %2.</source>
        <translation>The file %1 is missing or damaged: %2.</translation>
    </message>
    <message>
        <source>i numeri delle immagini non tornano</source>
        <translation>the picture counts do not add up</translation>
    </message>
    <message>
        <source>il titolo dell&apos;immagine %1 non è leggibile</source>
        <translation>the title of picture %1 cannot be read</translation>
    </message>
    <message>
        <source>finisce prima della voce %1</source>
        <translation>it ends before entry %1</translation>
    </message>
    <message>
        <source>la voce %1 ha una lunghezza non valida (%2)</source>
        <translation>entry %1 has an invalid length (%2)</translation>
    </message>
    <message>
        <source>manca il titolo dell&apos;immagine %1</source>
        <translation>the title of picture %1 is missing</translation>
    </message>
    <message>
        <source>è più corto delle immagini che l&apos;indice %1 gli assegna</source>
        <translation>it is shorter than the pictures that the index %1 gives it</translation>
    </message>
</context>
<context>
    <name>DownloadState</name>
    <message>
        <source>Connessione in corso, attendere...</source>
        <translation>Connecting, please wait...</translation>
    </message>
    <message>
        <source>download in corso; attendere e sperare, specie con un 56k :) ...</source>
        <translation>downloading; wait and hope, especially on a 56k modem :) ...</translation>
    </message>
    <message>
        <source>Controllo dei file scaricati, attendere...</source>
        <translation>Checking the downloaded files, please wait...</translation>
    </message>
    <message>
        <source>aggiornamento completato!</source>
        <translation>update complete!</translation>
    </message>
    <message>
        <source>impossibile proseguire, controllare la connessione ed i permessi e riprovare.</source>
        <translation>cannot go on; check the connection and the permissions and try again.</translation>
    </message>
</context>
<context>
    <name>DownloadWindow</name>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>&amp;Download</source>
        <translation>&amp;Download</translation>
    </message>
    <message>
        <source>pronto</source>
        <translation>ready</translation>
    </message>
    <message>
        <source>connessione…</source>
        <translation>connecting…</translation>
    </message>
    <message>
        <source>controllo…</source>
        <translation>checking…</translation>
    </message>
    <message>
        <source>completato</source>
        <translation>done</translation>
    </message>
    <message>
        <source>non riuscito</source>
        <translation>failed</translation>
    </message>
    <message>
        <source>%1 di %2 KB</source>
        <translation>%1 of %2 KB</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>Download: %1</source>
        <translation>Download: %1</translation>
    </message>
</context>
<context>
    <name>Extraction</name>
    <message>
        <source>Impossibile scrivere il file Temp/%1: controlla che la cartella Temp esista e che il disco non sia pieno.</source>
        <translation>The file Temp/%1 cannot be written: check that the Temp folder exists and that the disk is not full.</translation>
    </message>
    <message>
        <source>La pagina %1 della categoria %2 non esiste.</source>
        <translation>Page %1 of the %2 category does not exist.</translation>
    </message>
</context>
<context>
    <name>GameVersion</name>
    <message>
        <source>Versione %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
</context>
<context>
    <name>LoginRules</name>
    <message>
        <source>Scrivi il nome utente prima di entrare.</source>
        <translation>Type your user name before logging in.</translation>
    </message>
    <message>
        <source>Il nome utente non può contenere i caratteri / \ : * ? &quot; &lt; &gt; | né caratteri di controllo; scegli un altro nome.</source>
        <translation>The user name cannot contain the characters / \ : * ? &quot; &lt; &gt; | or control characters; choose another name.</translation>
    </message>
    <message>
        <source>Il nome utente non può cominciare con un punto né finire con un punto o uno spazio; scegli un altro nome.</source>
        <translation>The user name cannot begin with a dot or end with a dot or a space; choose another name.</translation>
    </message>
    <message>
        <source>Il nome utente contiene caratteri che il gioco non può salvare; usa lettere, cifre e segni comuni.</source>
        <translation>The user name contains characters that the game cannot save; use letters, digits and common symbols.</translation>
    </message>
    <message>
        <source>Il nome utente è troppo lungo: al massimo 43 caratteri.</source>
        <translation>The user name is too long: 43 characters at most.</translation>
    </message>
    <message>
        <source>La password contiene caratteri che il gioco non può salvare; usa lettere, cifre e segni comuni.</source>
        <translation>The password contains characters that the game cannot save; use letters, digits and common symbols.</translation>
    </message>
    <message>
        <source>La password è troppo lunga: al massimo 43 caratteri.</source>
        <translation>The password is too long: 43 characters at most.</translation>
    </message>
</context>
<context>
    <name>LoginWindow</name>
    <message>
        <source>Utente:</source>
        <translation>User:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>Entra</source>
        <translation>Log in</translation>
    </message>
    <message>
        <source>Esci dal gioco</source>
        <translation>Quit the game</translation>
    </message>
    <message>
        <source>L&apos;utente non esiste, crearlo?</source>
        <translation>This user does not exist. Create it?</translation>
    </message>
</context>
<context>
    <name>MenuScreen</name>
    <message>
        <source>Selezione tipo di gioco</source>
        <translation>Choose a game mode</translation>
    </message>
    <message>
        <source>Ancora bloccato: vinci altre categorie per aprirlo</source>
        <translation>Still locked: win more categories to open it</translation>
    </message>
    <message>
        <source>Informazioni e aggiornamenti</source>
        <translation>Information and updates</translation>
    </message>
    <message>
        <source>Il forum dei giocatori</source>
        <translation>The players&apos; forum</translation>
    </message>
    <message>
        <source>Record!</source>
        <translation>Record!</translation>
    </message>
    <message>
        <source>Classifica</source>
        <translation>Ranking</translation>
    </message>
    <message>
        <source>La classifica dei giocatori sul sito</source>
        <translation>The players&apos; ranking on the site</translation>
    </message>
    <message>
        <source>Aggiornamenti</source>
        <translation>Updates</translation>
    </message>
    <message>
        <source>Chiudi</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Prima di proseguire, assicurarsi di essere connessi ad internet e di avere i permessi per scaricare file. In caso di problemi ripetere l&apos;aggiornamento o consultare il forum di %1</source>
        <translation>Before you go on, make sure you are connected to the internet and allowed to download files. If anything goes wrong, run the update again or ask on the %1 forum</translation>
    </message>
    <message>
        <source>Scarica la categoria %1</source>
        <translation>Download the %1 category</translation>
    </message>
    <message>
        <source>Iscriviti al forum di %1!</source>
        <translation>Join the %1 forum!</translation>
    </message>
    <message>
        <source>(per ricevere aiuto ed assistenza sul gioco)</source>
        <translation>(for help and support with the game)</translation>
    </message>
    <message>
        <source>Fotogrammi dei film raccolti e ordinati dalla redazione di Lumivo Pro</source>
        <translation>Film stills collected and arranged by the Lumivo Pro team</translation>
    </message>
    <message>
        <source>Desideri inviare il tuo punteggio sul web?
(Dovrai essere già connesso ad internet)</source>
        <translation>Would you like to send your score to the web?
(You need to be connected to the internet already)</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>Funzionalità in fase di sviluppo, conserva il file del salvataggio ;)</source>
        <translation>This feature is still in the works, so hold on to your save file ;)</translation>
    </message>
</context>
<context>
    <name>PackCheck</name>
    <message>
        <source>è più corto dell&apos;intestazione di un pacchetto (%1 byte invece di almeno %2)</source>
        <translation>it is shorter than a pack header (%1 bytes instead of at least %2)</translation>
    </message>
    <message>
        <source>il titolo è vuoto</source>
        <translation>the title is empty</translation>
    </message>
    <message>
        <source>il titolo %1 contiene &quot;:&quot;, che separa i campi della lista delle immagini</source>
        <translation>the title %1 contains &quot;:&quot;, which separates the fields of the picture list</translation>
    </message>
    <message>
        <source>il titolo %1 contiene un carattere di controllo</source>
        <translation>the title %1 contains a control character</translation>
    </message>
    <message>
        <source>il titolo %1 contiene caratteri che non esistono in Windows-1252: %2</source>
        <translation>the title %1 contains characters that do not exist in Windows-1252: %2</translation>
    </message>
    <message>
        <source>il titolo %1 contiene &quot;ÿ&quot;, che l&apos;indice dei titoli non può cifrare</source>
        <translation>the title %1 contains &quot;ÿ&quot;, which the title index cannot encode</translation>
    </message>
    <message>
        <source>il titolo %1 è lungo %2 byte, al massimo %3</source>
        <translation>the title %1 is %2 bytes long, and %3 is the most allowed</translation>
    </message>
</context>
<context>
    <name>PackDownload</name>
    <message>
        <source>Memoria insufficiente per scaricare il file %1: chiudere altri programmi e riprovare.</source>
        <translation>Not enough memory to download the file %1: close other programs and try again.</translation>
    </message>
    <message>
        <source>Il download del file %1 non è riuscito per un errore interno.</source>
        <translation>The download of the file %1 failed because of an internal error.</translation>
    </message>
    <message>
        <source>Il sito ha risposto %1 per %2.</source>
        <translation>The site answered %1 for %2.</translation>
    </message>
    <message>
        <source>Il file %1 inviato dal sito è troppo grande: %2 byte, dove gli indici ne descrivono %3.</source>
        <translation>The file %1 sent by the site is too large: %2 bytes, where the indexes describe %3.</translation>
    </message>
    <message>
        <source>Il file %1 inviato dal sito è troppo grande: supera i %2 byte che gli indici descrivono.</source>
        <translation>The file %1 sent by the site is too large: it goes past the %2 bytes that the indexes describe.</translation>
    </message>
    <message>
        <source>Il sito %1 rifiuta la connessione: forse è spento, o l&apos;indirizzo non è quello giusto.</source>
        <translation>The site %1 refuses the connection: perhaps it is down, or the address is not the right one.</translation>
    </message>
    <message>
        <source>Il sito %1 non si trova: controllare l&apos;indirizzo e la rete.</source>
        <translation>The site %1 cannot be found: check the address and the network.</translation>
    </message>
    <message>
        <source>Il sito rimanda ad altri indirizzi senza mai inviare il file %1.</source>
        <translation>The site keeps sending the game to other addresses and never sends the file %1.</translation>
    </message>
    <message>
        <source>Il trasferimento del file %1 si è interrotto dopo %2 byte su %3.</source>
        <translation>The transfer of the file %1 broke off after %2 of %3 bytes.</translation>
    </message>
    <message>
        <source>Il sito invia il file %1 troppo lentamente, meno di %2 byte al secondo.</source>
        <translation>The site is sending the file %1 too slowly, less than %2 bytes a second.</translation>
    </message>
    <message>
        <source>Il sito non risponde da %1 secondi.</source>
        <translation>The site has not answered for %1 seconds.</translation>
    </message>
    <message>
        <source>Memoria insufficiente per controllare i file scaricati: chiudere altri programmi e riprovare.</source>
        <translation>Not enough memory to check the downloaded files: close other programs and try again.</translation>
    </message>
    <message>
        <source>L&apos;intestazione Repr-Digest che il sito invia con il file %1 non è valida: %2.</source>
        <translation>The Repr-Digest header the site sends with the file %1 is not valid: %2.</translation>
    </message>
    <message>
        <source>Il sito dà al file %1 un&apos;impronta SHA-256 nell&apos;intestazione Repr-Digest e un&apos;altra in %2: il file non viene preso.</source>
        <translation>The site gives the file %1 one SHA-256 digest in the Repr-Digest header and another in %2: the file is not taken.</translation>
    </message>
    <message>
        <source>L&apos;elenco delle impronte %1 del sito non è valido: %2.</source>
        <translation>The site&apos;s digest list %1 is not valid: %2.</translation>
    </message>
    <message>
        <source>L&apos;elenco delle impronte %1 del sito è troppo grande: supera i %2 KiB.</source>
        <translation>The site&apos;s digest list %1 is too large: it goes past %2 KiB.</translation>
    </message>
    <message>
        <source>Il file %1 scaricato non è quello del sito: la sua impronta SHA-256 non è quella indicata da %2. Si è danneggiato per strada, o la copia del sito non è aggiornata.</source>
        <translation>The downloaded file %1 is not the site&apos;s: its SHA-256 digest is not the one given by %2. It was damaged on the way, or the site&apos;s copy is out of date.</translation>
    </message>
    <message>
        <source>La connessione con il sito %1 non è riuscita (errore di rete %2): controllare la rete.</source>
        <translation>The connection to the site %1 failed (network error %2): check the network.</translation>
    </message>
    <message>
        <source>La connessione protetta con il sito %1 non è riuscita: il suo certificato non è valido, o il sistema non offre connessioni https.</source>
        <translation>The secure connection to the site %1 failed: its certificate is not valid, or the system offers no https connections.</translation>
    </message>
    <message>
        <source>Il sito %1 ha chiuso la connessione senza inviare il file %2.</source>
        <translation>The site %1 closed the connection without sending the file %2.</translation>
    </message>
    <message>
        <source>Il sito ha risposto per il file %1 con dati che non sono una risposta HTTP valida.</source>
        <translation>The site answered for the file %1 with data that is not a valid HTTP answer.</translation>
    </message>
    <message>
        <source>L&apos;intestazione che il sito invia con il file %1 è troppo grande: supera i %2 KiB.</source>
        <translation>The header the site sends with the file %1 is too large: it goes past %2 KiB.</translation>
    </message>
    <message>
        <source>Il sito invia il file %1 compresso (%2), mentre il gioco lo chiede così com&apos;è.</source>
        <translation>The site sends the file %1 compressed (%2), while the game asks for it as it is.</translation>
    </message>
    <message>
        <source>Il sito rimanda il file %1 a un indirizzo non valido, che il gioco non segue.</source>
        <translation>The site redirects the file %1 to an invalid address, which the game does not follow.</translation>
    </message>
    <message>
        <source>Il sito rimanda il file %1 a un indirizzo &quot;%2:&quot;, che il gioco non segue: solo http e https.</source>
        <translation>The site redirects the file %1 to a &quot;%2:&quot; address, which the game does not follow: only http and https.</translation>
    </message>
    <message>
        <source>Il sito rimanda il file %1 da un indirizzo https a uno http, non protetto, che il gioco non segue.</source>
        <translation>The site redirects the file %1 from an https address to an unprotected http one, which the game does not follow.</translation>
    </message>
</context>
<context>
    <name>PackInstall</name>
    <message>
        <source>Impossibile scrivere il file %1: controlla che la cartella Data si possa scrivere e che il disco non sia pieno.</source>
        <translation>The file %1 cannot be written: check that the Data folder can be written to and that the disk is not full.</translation>
    </message>
    <message>
        <source>Il file %1 scaricato non è quello che descrivono gli indici: %2.</source>
        <translation>The downloaded file %1 is not the one that the indexes describe: %2.</translation>
    </message>
    <message>
        <source>è lungo %1 byte invece di %2</source>
        <translation>it is %1 bytes long instead of %2</translation>
    </message>
    <message>
        <source>è troppo corto</source>
        <translation>it is too short</translation>
    </message>
    <message>
        <source>una lunghezza della categoria %1 non è valida</source>
        <translation>a length in the %1 category is not valid</translation>
    </message>
    <message>
        <source>immagine %1, %2</source>
        <translation>picture %1, %2</translation>
    </message>
    <message>
        <source>Il controllo dei file scaricati è stato interrotto.</source>
        <translation>The check of the downloaded files was interrupted.</translation>
    </message>
    <message>
        <source>l&apos;immagine %1 non si può leggere</source>
        <translation>picture %1 cannot be read</translation>
    </message>
</context>
<context>
    <name>PageList</name>
    <message>
        <source>La lista delle immagini %1 manca: la pagina non si può mostrare.</source>
        <translation>The picture list %1 is missing: the page cannot be shown.</translation>
    </message>
    <message>
        <source>La riga %1 della lista delle immagini %2 è danneggiata: ha %3 campi invece di %4.</source>
        <translation>Line %1 of the picture list %2 is damaged: it has %3 fields instead of %4.</translation>
    </message>
    <message>
        <source>La riga %1 della lista delle immagini %2 è danneggiata: &quot;%3&quot; non è un numero di immagine.</source>
        <translation>Line %1 of the picture list %2 is damaged: &quot;%3&quot; is not a picture number.</translation>
    </message>
</context>
<context>
    <name>PlayClock</name>
    <message>
        <source>Impossibile salvare il tempo di gioco nel file utente: controlla che la cartella User esista e che si possa scrivere. Il tempo non viene più contato.</source>
        <translation>The playing time could not be saved in the user file: check that the User folder exists and can be written to. The time is no longer being counted.</translation>
    </message>
</context>
<context>
    <name>PlayScreen</name>
    <message>
        <source>Impossibile mostrare le immagini della categoria %1.

%2

Si torna alla scelta della categoria.</source>
        <translation>The pictures of the %1 category cannot be shown.

%2

Back to the choice of category.</translation>
    </message>
    <message>
        <source>L&apos;immagine %1 non si può leggere: il file %2 è danneggiato.</source>
        <translation>Picture %1 cannot be read: the file %2 is damaged.</translation>
    </message>
</context>
<context>
    <name>Profile</name>
    <message>
        <source>La password inserita non è corretta :P</source>
        <translation>That password is not the right one :P</translation>
    </message>
    <message>
        <source>Il file utente appartiene ad un altro... non facciamo i furbi ;)</source>
        <translation>This user file belongs to someone else... no cheating ;)</translation>
    </message>
    <message>
        <source>Il file utente è danneggiato: lo stato del gioco non si può leggere. Il file non è stato modificato; ripristinane una copia o crea un altro utente.</source>
        <translation>The user file is damaged: the state of the game cannot be read. The file has not been changed; restore a copy of it or create another user.</translation>
    </message>
    <message>
        <source>Il file utente %1 è un collegamento ad un altro file: il gioco non lo usa. Mettici al suo posto il file utente vero.</source>
        <translation>The user file %1 is a link to another file: the game does not use it. Put the real user file in its place.</translation>
    </message>
    <message>
        <source>Il file utente %1 non si può leggere: controlla che sia un file e che si possa aprire.</source>
        <translation>The user file %1 cannot be read: check that it is a file and that it can be opened.</translation>
    </message>
    <message>
        <source>Il file utente %1 non si può scrivere: i progressi non verrebbero salvati. Controlla che il file non sia di sola lettura.</source>
        <translation>The user file %1 cannot be written: your progress would not be saved. Check that the file is not read-only.</translation>
    </message>
    <message>
        <source>Impossibile salvare nel file utente le categorie appena sbloccate: controlla che il file si possa scrivere. Il gioco riproverà al prossimo accesso.</source>
        <translation>The categories just unlocked could not be saved in the user file: check that the file can be written to. The game will try again the next time you log in.</translation>
    </message>
    <message>
        <source>Impossibile creare il file utente nella cartella User: controlla che la cartella esista e che si possa scrivere.</source>
        <translation>The user file cannot be created in the User folder: check that the folder exists and can be written to.</translation>
    </message>
</context>
<context>
    <name>PuzzlePlayScreen</name>
    <message>
        <source>La categoria Puzzle comprende tre giochi completamente differenti; nella categoria Missing dovrai indicare l&apos;elemento mancante scrivendolo senza articolo. Se stai giocando alla categoria Vestiti, dovrai indovinare il titolo del film, guardando i vestiti utilizzati dagli attori. La categoria Rebus richiede di indovinare il titolo del film (in inglese) ottenendolo combinando le scene proposte, è la categoria in assoluto più difficile di tutto il gioco.</source>
        <translation>Puzzle mode brings together three completely different games. In the Missing category you name the object that is missing, typing it without an article. If you are playing the Vestiti category, you guess the title of the film from the clothes the actors wear. The Rebus category asks you to guess the title of the film (in English) by putting together the scenes shown; it is by far the hardest category in the whole game.</translation>
    </message>
    <message>
        <source>Puzzle: %1</source>
        <translation>Puzzle: %1</translation>
    </message>
</context>
<context>
    <name>SelectionGrid</name>
    <message>
        <source>Classic</source>
        <translation>Classic</translation>
    </message>
    <message>
        <source>Bonus</source>
        <translation>Bonus</translation>
    </message>
    <message>
        <source>Puzzle</source>
        <translation>Puzzle</translation>
    </message>
    <message>
        <source>Alcune categorie, sebbene attivate, non possono essere giocate perché non è presente il rispettivo file; per giocarle tornare alla finestra precedente e cliccare la scritta Lumivo Pro (Aggiornamenti) e scaricare il gruppo desiderato.</source>
        <translation>Some categories, although unlocked, cannot be played because their file is missing; to play them, go back to the previous window, click the Lumivo Pro (Updates) label and download the group you want.</translation>
    </message>
    <message>
        <source>File Mancanti</source>
        <translation>Missing Files</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>Impossibile controllare se il gioco è già aperto: il file %1 non si può usare. Controlla che la cartella User si possa scrivere.</source>
        <translation>The game cannot check whether it is already running: the file %1 cannot be used. Check that the User folder can be written to.</translation>
    </message>
</context>
<context>
    <name>SiteDigest</name>
    <message>
        <source>non è un elenco di impronte nella forma sha-256=:…:</source>
        <translation>it is not a list of digests in the form sha-256=:…:</translation>
    </message>
    <message>
        <source>l&apos;impronta sha-256 non è di 32 byte in base64</source>
        <translation>the sha-256 digest is not 32 bytes in base64</translation>
    </message>
    <message>
        <source>la riga %1 non è un&apos;impronta di 64 cifre esadecimali con il nome di un file</source>
        <translation>line %1 is not a digest of 64 hexadecimal digits with a file name</translation>
    </message>
    <message>
        <source>la riga %1 dà un&apos;altra impronta a un file già elencato</source>
        <translation>line %1 gives another digest to a file already listed</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>Manca la cartella Data con le immagini del gioco:
%1

Reinstalla il gioco per ripristinarla.</source>
        <translation>The Data folder with the game&apos;s pictures is missing:
%1

Reinstall the game to restore it.</translation>
    </message>
    <message>
        <source>Impossibile creare la cartella %1 accanto al gioco: controlla i permessi della cartella.</source>
        <translation>The folder %1 cannot be created beside the game: check the folder&apos;s permissions.</translation>
    </message>
</context>
<context>
    <name>StripPlayScreen</name>
    <message>
        <source>Immagini precedenti</source>
        <translation>Previous pictures</translation>
    </message>
    <message>
        <source>Immagini successive</source>
        <translation>Next pictures</translation>
    </message>
    <message>
        <source>La categoria ha %1 immagini, ma questa schermata ne può mostrare al massimo %2.</source>
        <translation>The category has %1 pictures, but this screen can show %2 at most.</translation>
    </message>
    <message>
        <source>La lista delle immagini %1 ha %2 righe, ma la striscia ne mostra da 1 a %3.</source>
        <translation>The picture list %1 has %2 lines, but the strip shows from 1 to %3.</translation>
    </message>
</context>
<context>
    <name>WebCompanion</name>
    <message>
        <source>I tempi non sono stati inviati: potrai inviarli di nuovo dal menu.</source>
        <translation>Your times have not been sent: you can send them again from the menu.</translation>
    </message>
    <message>
        <source>Il browser del gioco non si è aperto entro %1 secondi ed è stato chiuso: riprova più tardi.</source>
        <translation>The game&apos;s browser did not open within %1 seconds and has been closed: try again later.</translation>
    </message>
    <message>
        <source>Impossibile avviare il browser del gioco (%1): reinstalla il gioco.</source>
        <translation>The game&apos;s browser (%1) cannot be started: reinstall the game.</translation>
    </message>
    <message>
        <source>Il browser del gioco si è chiuso per un errore: riprova; se si ripete, reinstalla il gioco.</source>
        <translation>The game&apos;s browser closed because of an error: try again, and if it happens again, reinstall the game.</translation>
    </message>
    <message>
        <source>Puoi aprire %1 nel tuo browser.</source>
        <translation>You can open %1 in your own browser.</translation>
    </message>
    <message>
        <source>Impossibile scrivere la pagina %1: controlla che la cartella Temp si possa scrivere. I tempi non sono stati inviati.</source>
        <translation>The page %1 cannot be written: check that the Temp folder can be written to. Your times have not been sent.</translation>
    </message>
    <message>
        <source>Impossibile aprire il browser del sistema: apri %1 nel tuo browser.</source>
        <translation>The system&apos;s browser cannot be opened: open %1 in your browser yourself.</translation>
    </message>
    <message>
        <source>il sito ha risposto %1</source>
        <translation>the site answered %1</translation>
    </message>
    <message>
        <source>I tempi non sono arrivati al sito %1 (%2): potrai inviarli di nuovo dal menu.</source>
        <translation>Your times did not reach the site %1 (%2): you can send them again from the menu.</translation>
    </message>
</context>
</TS>
