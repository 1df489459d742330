<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutDialogTemplate</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Version 2.1</source>
        <translation>Version 2.1</translation>
    </message>
    <message>
        <source>Support:</source>
        <translation>Support:</translation>
    </message>
    <message>
        <source>Homepage:</source>
        <translation>Homepage:</translation>
    </message>
    <message>
        <source>Free to use. Comes with no warranty.</source>
        <translation>Kostenlos nutzbar. Ohne jede Gewährleistung.</translation>
    </message>
</context>
<context>
    <name>ChoiceText</name>
    <message>
        <source>1 Channel Mono</source>
        <translation>1 Kanal Mono</translation>
    </message>
    <message>
        <source>2 Channel Stereo</source>
        <translation>2 Kanäle Stereo</translation>
    </message>
    <message>
        <source>5.1 Channel</source>
        <translation>5.1 Kanäle</translation>
    </message>
    <message>
        <source>Source size</source>
        <translation>Quellgröße</translation>
    </message>
    <message>
        <source>Source rate</source>
        <translation>Quellrate</translation>
    </message>
    <message>
        <source>Level %1</source>
        <translation>Stufe %1</translation>
    </message>
    <message>
        <source>quality %1</source>
        <translation>Qualität %1</translation>
    </message>
    <message>
        <source>(best)</source>
        <translation>(beste)</translation>
    </message>
    <message>
        <source>(fastest)</source>
        <translation>(schnellste)</translation>
    </message>
    <message>
        <source>(smallest)</source>
        <translation>(kleinste)</translation>
    </message>
</context>
<context>
    <name>ClipDialogTemplate</name>
    <message>
        <source>&amp;Play</source>
        <translation>&amp;Wiedergabe</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>S&amp;topp</translation>
    </message>
    <message>
        <source>&amp;Volume</source>
        <translation>&amp;Lautstärke</translation>
    </message>
    <message>
        <source>Start time</source>
        <translation>Startzeit</translation>
    </message>
    <message>
        <source>End time</source>
        <translation>Endzeit</translation>
    </message>
    <message>
        <source>Cut time</source>
        <translation>Schnittlänge</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation>&amp;Zurücksetzen</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>A&amp;bbrechen</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>Set &amp;Begin Time</source>
        <translation>&amp;Anfang setzen</translation>
    </message>
    <message>
        <source>Set &amp;End Time</source>
        <translation>&amp;Ende setzen</translation>
    </message>
</context>
<context>
    <name>FileInformationTemplate</name>
    <message>
        <source>File Name:</source>
        <translation>Dateiname:</translation>
    </message>
    <message>
        <source>Media Length:</source>
        <translation>Medienlänge:</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>Video</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>Auflösung:</translation>
    </message>
    <message>
        <source>Frame Rate:</source>
        <translation>Bildrate:</translation>
    </message>
    <message>
        <source>Bit Rate:</source>
        <translation>Bitrate:</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Samples:</source>
        <translation>Abtastrate:</translation>
    </message>
    <message>
        <source>Channel:</source>
        <translation>Kanäle:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>MainWindowTemplate</name>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Dateien hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Clip</source>
        <translation>&amp;Schneiden</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Add &amp;Folder</source>
        <translation>&amp;Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>Zusammenfügen</translation>
    </message>
    <message>
        <source>File Infomation</source>
        <translation>Dateiinformationen</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Durchsuchen</translation>
    </message>
    <message>
        <source>Find Target</source>
        <translation>Ziel öffnen</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Wiedergabe</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Check Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Add File</source>
        <translation>Datei hinzufügen</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Clip Video</source>
        <translation>Schneiden</translation>
    </message>
    <message>
        <source>Start Converting</source>
        <translation>Konvertierung starten</translation>
    </message>
    <message>
        <source>Open output files</source>
        <translation>Ausgabedateien öffnen</translation>
    </message>
    <message>
        <source>Set output files</source>
        <translation>Ausgabeordner wählen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>Alle entfernen</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source> Merge into a file</source>
        <translation> Zu einer Datei zusammenfügen</translation>
    </message>
    <message>
        <source>File Information</source>
        <translation>Dateiinformationen</translation>
    </message>
    <message>
        <source>Conversion Settings</source>
        <translation>Konvertierungseinstellungen</translation>
    </message>
    <message>
        <source>Task list</source>
        <translation>Aufgabenliste</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Formatvorlage</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>Ausgabeordner</translation>
    </message>
    <message>
        <source>Con&amp;vert</source>
        <translation>&amp;Umwandeln</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
</context>
<context>
    <name>ProgressDialogTemplate</name>
    <message>
        <source>Current File Converting:</source>
        <translation>Aktuelle Datei:</translation>
    </message>
    <message>
        <source>Total Progress:</source>
        <translation>Gesamtfortschritt:</translation>
    </message>
    <message>
        <source>Shut down computer when conversion completed</source>
        <translation>Computer nach der Konvertierung ausschalten</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Show preview</source>
        <translation>Vorschau zeigen</translation>
    </message>
</context>
<context>
    <name>SettingsDialogTemplate</name>
    <message>
        <source>Format Preset:</source>
        <translation>Formatvorlage:</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Encoder:</source>
        <translation>Encoder:</translation>
    </message>
    <message>
        <source>Bit Rate:</source>
        <translation>Bitrate:</translation>
    </message>
    <message>
        <source>Sample Rate:</source>
        <translation>Abtastrate:</translation>
    </message>
    <message>
        <source>Channel:</source>
        <translation>Kanäle:</translation>
    </message>
    <message>
        <source>Output Names</source>
        <translation>Ausgabenamen</translation>
    </message>
    <message>
        <source>Name pattern:</source>
        <translation>Namensmuster:</translation>
    </message>
    <message>
        <source>If the output exists:</source>
        <translation>Wenn die Ausgabe existiert:</translation>
    </message>
    <message>
        <source>Move sources to the Trash
after a successful conversion</source>
        <translation>Quellen nach erfolgreicher
Konvertierung in den Papierkorb</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Make a new name</source>
        <translation>Neuen Namen wählen</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Überspringen</translation>
    </message>
</context>
<context>
    <name>SkinCaptions</name>
    <message>
        <source>Add</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Clip</source>
        <translation>Schnitt</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Find Target</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Umwandeln</translation>
    </message>
    <message>
        <source>batch audio converter</source>
        <translation>Stapel-Audiokonverter</translation>
    </message>
    <message>
        <source>Add files or drop them here</source>
        <translation>Dateien hinzufügen oder hier ablegen</translation>
    </message>
    <message>
        <source>Click Add, or drag .m4a and .aac files from your file manager onto this area</source>
        <translation>Auf „Dateien“ klicken oder .m4a- und .aac-Dateien hierher ziehen</translation>
    </message>
    <message>
        <source>PREVIEW</source>
        <translation>VORSCHAU</translation>
    </message>
    <message>
        <source>Profile:</source>
        <translation>Profil:</translation>
    </message>
    <message>
        <source>Output:</source>
        <translation>Ausgabe:</translation>
    </message>
</context>
<context>
    <name>TemplateBuilder</name>
    <message>
        <source>%1 %2</source>
        <comment>a control&apos;s name for screen readers: its group, then its caption</comment>
        <translation>%1 %2</translation>
    </message>
</context>
<context>
    <name>varnell::AboutDialog</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
</context>
<context>
    <name>varnell::BatchController</name>
    <message>
        <source>Completed</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Failure</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Skipped</source>
        <translation>Übersprungen</translation>
    </message>
    <message>
        <source>file</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Please add video files!</source>
        <translation>Bitte fügen Sie Dateien hinzu!</translation>
    </message>
    <message>
        <source>Merge is effective when two or more files are chosen!</source>
        <translation>Zusammenfügen wirkt erst, wenn zwei oder mehr Dateien gewählt sind!</translation>
    </message>
    <message>
        <source>Please select at least one task to convert!</source>
        <translation>Bitte wählen Sie mindestens eine Aufgabe zum Konvertieren!</translation>
    </message>
    <message>
        <source>The folder that you selected does not exit.Please specify a different folder!</source>
        <translation>Der gewählte Ordner existiert nicht. Bitte geben Sie einen anderen Ordner an!</translation>
    </message>
    <message>
        <source>%1 converted, %2 skipped (their outputs exist)</source>
        <translation>%1 konvertiert, %2 übersprungen (ihre Ausgaben existieren)</translation>
    </message>
    <message>
        <source>, %1 failed. Point at a Failure to see why.</source>
        <translation>, %1 fehlgeschlagen. Zeigen Sie auf einen Fehler, um den Grund zu sehen.</translation>
    </message>
    <message>
        <source>.</source>
        <translation>.</translation>
    </message>
    <message>
        <source>%1 converted, %2 failed. Point at a Failure to see why.</source>
        <translation>%1 konvertiert, %2 fehlgeschlagen. Zeigen Sie auf einen Fehler, um den Grund zu sehen.</translation>
    </message>
    <message>
        <source>Convertion Successfully!For more software, please visit our website</source>
        <translation>Konvertierung erfolgreich! Weitere Programme finden Sie auf unserer Website</translation>
    </message>
    <message>
        <source>Varnell</source>
        <translation>Varnell</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Source moved to the Trash</source>
        <translation>Quelle in den Papierkorb verschoben</translation>
    </message>
    <message>
        <source>Source not moved to the Trash: </source>
        <translation>Quelle nicht in den Papierkorb verschoben: </translation>
    </message>
    <message>
        <source>Stopped: %1 holds the first %2</source>
        <translation>Gestoppt: %1 enthält die ersten %2</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Angehalten</translation>
    </message>
    <message>
        <source>The computer could not be powered off: %1.</source>
        <translation>Der Computer konnte nicht ausgeschaltet werden: %1.</translation>
    </message>
    <message>
        <source>About %1 s left</source>
        <translation>Noch etwa %1 s</translation>
    </message>
    <message>
        <source>About %1 min %2 s left</source>
        <translation>Noch etwa %1 min %2 s</translation>
    </message>
    <message>
        <source>About %1 h %2 min left</source>
        <translation>Noch etwa %1 h %2 min</translation>
    </message>
</context>
<context>
    <name>varnell::ClipDialog</name>
    <message>
        <source>Clip</source>
        <translation>Schneiden</translation>
    </message>
    <message>
        <source>Set Begin Time</source>
        <translation>Anfangszeit setzen</translation>
    </message>
    <message>
        <source>Set End Time</source>
        <translation>Endzeit setzen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Reset Time</source>
        <translation>Zeiten zurücksetzen</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Wiedergabe</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
</context>
<context>
    <name>varnell::CommandLineFiles</name>
    <message>
        <source>varnell: ignoring the unknown option %1 (put -- before a file name that starts with -)</source>
        <translation>varnell: die unbekannte Option %1 wird ignoriert (setzen Sie -- vor einen Dateinamen, der mit - beginnt)</translation>
    </message>
</context>
<context>
    <name>varnell::DesktopOpen</name>
    <message>
        <source>The desktop entry of the default web browser could not be read.</source>
        <translation>Der Desktop-Eintrag des Standard-Webbrowsers konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The desktop entry of the default web browser names no program.</source>
        <translation>Der Desktop-Eintrag des Standard-Webbrowsers nennt kein Programm.</translation>
    </message>
    <message>
        <source>The program of the default web browser was not found.</source>
        <translation>Das Programm des Standard-Webbrowsers wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The program of the default web browser may not be run.</source>
        <translation>Das Programm des Standard-Webbrowsers darf nicht ausgeführt werden.</translation>
    </message>
    <message>
        <source>The default web browser could not be started.</source>
        <translation>Der Standard-Webbrowser konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The desktop has no program for web pages and no default web browser is set.</source>
        <translation>Die Arbeitsumgebung hat kein Programm für Webseiten, und kein Standard-Webbrowser ist eingestellt.</translation>
    </message>
    <message>
        <source>The desktop has no program that opens folders.</source>
        <translation>Die Arbeitsumgebung hat kein Programm, das Ordner öffnet.</translation>
    </message>
    <message>
        <source>Can not open %1

%2</source>
        <translation>%1 kann nicht geöffnet werden

%2</translation>
    </message>
</context>
<context>
    <name>varnell::FileInfoDialog</name>
    <message>
        <source>File Information</source>
        <translation>Dateiinformationen</translation>
    </message>
</context>
<context>
    <name>varnell::FileInformationTexts</name>
    <message>
        <source> Kbps</source>
        <translation> kbit/s</translation>
    </message>
    <message>
        <source>1 Channel Mono</source>
        <translation>1 Kanal Mono</translation>
    </message>
    <message>
        <source>2 Channel stereo</source>
        <translation>2 Kanäle Stereo</translation>
    </message>
    <message>
        <source>6 Channel stereo</source>
        <translation>6 Kanäle Stereo</translation>
    </message>
</context>
<context>
    <name>varnell::HyperLink</name>
    <message>
        <source>The operating system is out
of memory or resources.</source>
        <translation>Dem Betriebssystem fehlt
Speicher oder Ressourcen.</translation>
    </message>
    <message>
        <source>The specified file was not found.</source>
        <translation>Die angegebene Datei wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The specified path was not found.</source>
        <translation>Der angegebene Pfad wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The operating system denied
access to the specified file.</source>
        <translation>Das Betriebssystem verweigerte
den Zugriff auf die angegebene Datei.</translation>
    </message>
    <message>
        <source>There was not enough memory to complete the operation.</source>
        <translation>Es war nicht genug Speicher für den Vorgang vorhanden.</translation>
    </message>
    <message>
        <source>The .EXE file is invalid
(non-Win32 .EXE or error in .EXE image).</source>
        <translation>Die .EXE-Datei ist ungültig
(keine Win32-.EXE oder Fehler im .EXE-Abbild).</translation>
    </message>
    <message>
        <source>A sharing violation occurred. </source>
        <translation>Eine Freigabeverletzung ist aufgetreten. </translation>
    </message>
    <message>
        <source>The filename association is
incomplete or invalid.</source>
        <translation>Die Dateizuordnung ist
unvollständig oder ungültig.</translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because the request timed out.</source>
        <translation>Die DDE-Transaktion konnte nicht
abgeschlossen werden, weil die Anfrage zu lange dauerte.</translation>
    </message>
    <message>
        <source>The DDE transaction failed.</source>
        <translation>Die DDE-Transaktion ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because other DDE transactions
were being processed.</source>
        <translation>Die DDE-Transaktion konnte nicht
abgeschlossen werden, weil andere DDE-Transaktionen
bearbeitet wurden.</translation>
    </message>
    <message>
        <source>There is no application associated
with the given filename extension.</source>
        <translation>Der angegebenen Dateiendung ist
kein Programm zugeordnet.</translation>
    </message>
    <message>
        <source>The specified dynamic-link library was not found.</source>
        <translation>Die angegebene Programmbibliothek wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Unknown Error (%1) occurred.</source>
        <translation>Unbekannter Fehler (%1) ist aufgetreten.</translation>
    </message>
    <message>
        <source>Unable to open hyperlink:

</source>
        <translation>Der Link kann nicht geöffnet werden:

</translation>
    </message>
</context>
<context>
    <name>varnell::MainWindow</name>
    <message>
        <source>Varnell</source>
        <translation>Varnell</translation>
    </message>
    <message>
        <source>Please select output folder:</source>
        <translation>Bitte wählen Sie den Ausgabeordner:</translation>
    </message>
    <message>
        <source>The output folder name is invalid!</source>
        <translation>Der Name des Ausgabeordners ist ungültig!</translation>
    </message>
    <message>
        <source>Can not find help file!</source>
        <translation>Die Hilfedatei wurde nicht gefunden!</translation>
    </message>
    <message>
        <source>Please select the video files to cut!</source>
        <translation>Bitte wählen Sie die Dateien zum Schneiden!</translation>
    </message>
    <message>
        <source>the output folder</source>
        <translation>den Ausgabeordner</translation>
    </message>
    <message>
        <source>No output folder is given.</source>
        <translation>Es ist kein Ausgabeordner angegeben.</translation>
    </message>
    <message>
        <source>The output folder is not a full path; it must start with &quot;/&quot;.</source>
        <translation>Der Ausgabeordner ist kein vollständiger Pfad; er muss mit „/“ beginnen.</translation>
    </message>
    <message>
        <source>The folder does not exist.</source>
        <translation>Der Ordner existiert nicht.</translation>
    </message>
    <message>
        <source>The output folder cannot be kept for the next start: %1 cannot be written.</source>
        <translation>Der Ausgabeordner kann nicht für den nächsten Start gespeichert werden: %1 ist nicht beschreibbar.</translation>
    </message>
</context>
<context>
    <name>varnell::PowerOffCountdown</name>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The computer will power off in 1 second</source>
        <translation>Der Computer wird in 1 Sekunde ausgeschaltet</translation>
    </message>
    <message>
        <source>The computer will power off in %1 seconds</source>
        <translation>Der Computer wird in %1 Sekunden ausgeschaltet</translation>
    </message>
</context>
<context>
    <name>varnell::PreviewController</name>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Wiedergabe</translation>
    </message>
</context>
<context>
    <name>varnell::ProgressDialog</name>
    <message>
        <source>Varnell</source>
        <translation>Varnell</translation>
    </message>
    <message>
        <source>Stop converting</source>
        <translation>Konvertierung stoppen</translation>
    </message>
    <message>
        <source>Converting...</source>
        <translation>Konvertiere ...</translation>
    </message>
    <message>
        <source>%1   %2% has completed</source>
        <translation>%1   %2% abgeschlossen</translation>
    </message>
    <message>
        <source>%1 Task Completed / Total %2 Task(s)</source>
        <translation>%1 Aufgabe(n) fertig / insgesamt %2 Aufgabe(n)</translation>
    </message>
    <message>
        <source>Current file&apos;s progress</source>
        <translation>Fortschritt der aktuellen Datei</translation>
    </message>
    <message>
        <source>Total progress</source>
        <translation>Gesamtfortschritt</translation>
    </message>
</context>
<context>
    <name>varnell::SettingsDialog</name>
    <message>
        <source>Setting</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Below the output folder; &quot;/&quot; makes folders, e.g. {artist}/{album}/{track} {title}. Placeholders: %1. A missing tag gives the source&apos;s name; empty: the source&apos;s name.</source>
        <translation>Unterhalb des Ausgabeordners; &quot;/&quot; legt Ordner an, z. B. {artist}/{album}/{track} {title}. Platzhalter: %1. Ein fehlender Tag ergibt den Namen der Quelle; leer: der Name der Quelle.</translation>
    </message>
    <message>
        <source>Default setting</source>
        <translation>Standardeinstellung</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The name pattern cannot be used: </source>
        <translation>Das Namensmuster kann nicht verwendet werden: </translation>
    </message>
</context>
<context>
    <name>varnell::TaskListController</name>
    <message>
        <source>MPEG-4 Audio(*.m4a)|*.m4a|MPEG-4 Audiobook(*.m4b)|*.m4b|MPEG-4(*.mp4)|*.mp4|Advanced Audio Coding(*.aac)|*.aac|All files (*.*)|*.*|</source>
        <translation>MPEG-4-Audio(*.m4a)|*.m4a|MPEG-4-Hörbuch(*.m4b)|*.m4b|MPEG-4(*.mp4)|*.mp4|Advanced Audio Coding(*.aac)|*.aac|Alle Dateien (*.*)|*.*|</translation>
    </message>
    <message>
        <source>File:%1 is invalid!</source>
        <translation>Datei: %1 ist ungültig!</translation>
    </message>
    <message>
        <source>Please select a folder to add:</source>
        <translation>Bitte wählen Sie einen Ordner zum Hinzufügen:</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Looking for sound files...</source>
        <translation>Suche nach Audiodateien ...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>%1 files found</source>
        <translation>%1 Dateien gefunden</translation>
    </message>
    <message>
        <source>%1 files found. Skipped %2 %3 not audio.</source>
        <translation>%1 Dateien gefunden. Übersprungen: %2 %3 kein Audio.</translation>
    </message>
    <message>
        <source>file that is</source>
        <translation>Datei ist</translation>
    </message>
    <message>
        <source>files that are</source>
        <translation>Dateien sind</translation>
    </message>
    <message>
        <source>File:%1 invalid!</source>
        <translation>Datei: %1 ungültig!</translation>
    </message>
    <message>
        <source>Add Files..</source>
        <translation>Dateien hinzufügen ...</translation>
    </message>
    <message>
        <source>Add Folder...</source>
        <translation>Ordner hinzufügen ...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>Alle entfernen</translation>
    </message>
    <message>
        <source>Clip...</source>
        <translation>Schneiden ...</translation>
    </message>
    <message>
        <source>Split into Chapters</source>
        <translation>In Kapitel teilen</translation>
    </message>
    <message>
        <source>File Information...</source>
        <translation>Dateiinformationen ...</translation>
    </message>
    <message>
        <source>File:%1 has no chapters!</source>
        <translation>Datei: %1 hat keine Kapitel!</translation>
    </message>
</context>
<context>
    <name>varnell::TaskListView</name>
    <message>
        <source>Source file</source>
        <translation>Quelldatei</translation>
    </message>
    <message>
        <source>Start time</source>
        <translation>Startzeit</translation>
    </message>
    <message>
        <source>End time</source>
        <translation>Endzeit</translation>
    </message>
    <message>
        <source>Output format</source>
        <translation>Ausgabeformat</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Chapter %1</source>
        <translation>Kapitel %1</translation>
    </message>
    <message>
        <source> Ready</source>
        <translation> Bereit</translation>
    </message>
</context>
</TS>
