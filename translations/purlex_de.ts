<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CommandLine</name>
    <message>
        <source>Cleans advertising text, copy tags and extra characters out of file names.</source>
        <translation>Entfernt Werbetext, Kopiemarken und überzählige Zeichen aus Dateinamen.</translation>
    </message>
    <message>
        <source>The folder to open, for this run only.</source>
        <translation>Der zu öffnende Ordner, nur für diesen Lauf.</translation>
    </message>
    <message>
        <source>%1: %2
Try &apos;%1 --help&apos; for more.
</source>
        <translation>%1: %2
Mehr mit „%1 --help“.
</translation>
    </message>
    <message>
        <source>Only one folder can be opened.</source>
        <translation>Es kann nur ein Ordner geöffnet werden.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; does not exist.</source>
        <translation>„%1“ gibt es nicht.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a folder.</source>
        <translation>„%1“ ist kein Ordner.</translation>
    </message>
</context>
<context>
    <name>EngineTexts</name>
    <message>
        <source>Runtime Error</source>
        <translation>Laufzeitfehler</translation>
    </message>
    <message>
        <source>Error: </source>
        <translation>Fehler: </translation>
    </message>
    <message>
        <source>Click OK to continue or Cancel to abort</source>
        <translation>OK fährt fort, Abbrechen bricht ab</translation>
    </message>
    <message>
        <source>Cannot cut &apos;%1&apos; to the maximum length %2: its extension alone is longer</source>
        <translation>„%1“ kann nicht auf die Höchstlänge %2 gekürzt werden: schon die Endung ist länger</translation>
    </message>
    <message>
        <source>The name of &apos;%1&apos; is not valid text; the file is left as it is</source>
        <translation>Der Name von „%1“ ist kein gültiger Text; die Datei bleibt, wie sie ist</translation>
    </message>
    <message>
        <source>The name of the folder &apos;%1&apos; is not valid text; the folder is left as it is</source>
        <translation>Der Name des Ordners „%1“ ist kein gültiger Text; der Ordner bleibt, wie er ist</translation>
    </message>
    <message>
        <source>&apos;%1&apos; in &apos;%3&apos; was replaced by another file while it was being renamed to &apos;%2&apos;; both are kept, the file that was renamed under &apos;%2&apos;</source>
        <translation>„%1“ in „%3“ wurde während der Umbenennung in „%2“ durch eine andere Datei ersetzt; beide bleiben erhalten, die umbenannte unter „%2“</translation>
    </message>
    <message>
        <source>Cannot write the undo journal &apos;%1&apos;: %2. Without it this pass cannot be undone</source>
        <translation>Das Rückgängig-Protokoll „%1“ kann nicht geschrieben werden: %2. Ohne es lässt sich dieser Durchlauf nicht rückgängig machen</translation>
    </message>
    <message>
        <source>Cannot read the undo journal &apos;%1&apos;: %2</source>
        <translation>Das Rückgängig-Protokoll „%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>it is not in the expected format</source>
        <translation>es hat nicht das erwartete Format</translation>
    </message>
    <message>
        <source>Maximum length must be %1 to %2</source>
        <translation>Die Höchstlänge muss %1 bis %2 sein</translation>
    </message>
    <message>
        <source>Overflow: every number up to %1 is taken for &apos;%2&apos;; the file keeps its name</source>
        <translation>Überlauf: jede Nummer bis %1 ist für &apos;%2&apos; vergeben; die Datei behält ihren Namen</translation>
    </message>
    <message>
        <source>The file system of &apos;%1&apos; cannot rename files, so Purlex leaves its files as they are</source>
        <translation>Das Dateisystem von &apos;%1&apos; kann keine Dateien umbenennen, daher lässt Purlex seine Dateien, wie sie sind</translation>
    </message>
    <message>
        <source>The file system of &apos;%1&apos; keeps no permissions, so the read-only bit of its files cannot be changed</source>
        <translation>Das Dateisystem von &apos;%1&apos; speichert keine Berechtigungen, daher kann der Schreibschutz seiner Dateien nicht geändert werden</translation>
    </message>
    <message>
        <source>Cannot rename &apos;%1&apos; to &apos;%2&apos; in &apos;%3&apos;</source>
        <translation>&apos;%1&apos; kann in &apos;%3&apos; nicht in &apos;%2&apos; umbenannt werden</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not renamed to &apos;%2&apos;: a name that starts with a dot would hide the file</source>
        <translation>&apos;%1&apos; wird nicht in &apos;%2&apos; umbenannt: ein Name, der mit einem Punkt beginnt, würde die Datei verstecken</translation>
    </message>
</context>
<context>
    <name>NewName</name>
    <message>
        <source>A file name cannot be empty</source>
        <translation>Ein Dateiname darf nicht leer sein</translation>
    </message>
    <message>
        <source>The names &apos;.&apos; and &apos;..&apos; are reserved</source>
        <translation>Die Namen „.“ und „..“ sind vergeben</translation>
    </message>
    <message>
        <source>A file name cannot contain &apos;/&apos;</source>
        <translation>Ein Dateiname darf kein „/“ enthalten</translation>
    </message>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>Ein Dateiname darf kein NUL-Zeichen enthalten</translation>
    </message>
    <message>
        <source>A file name cannot be longer than %1 bytes</source>
        <translation>Ein Dateiname darf nicht länger als %1 Byte sein</translation>
    </message>
</context>
<context>
    <name>PanelTexts</name>
    <message>
        <source> Read: </source>
        <translation> Gelesen: </translation>
    </message>
    <message>
        <source> Fixed: </source>
        <translation> Geändert: </translation>
    </message>
    <message>
        <source>Ready...</source>
        <translation>Bereit...</translation>
    </message>
    <message>
        <source>Navigating...</source>
        <translation>Durchsuche...</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>SettingsTexts</name>
    <message>
        <source>The settings file &apos;%1&apos; cannot be read (%2); the built-in defaults are used.</source>
        <translation>Die Einstellungsdatei „%1“ kann nicht gelesen werden (%2); die eingebauten Vorgaben gelten.</translation>
    </message>
    <message>
        <source>The settings file &apos;%1&apos; is not in the expected format; the built-in defaults are used.</source>
        <translation>Die Einstellungsdatei „%1“ hat nicht das erwartete Format; die eingebauten Vorgaben gelten.</translation>
    </message>
    <message>
        <source>Cannot save the setting %1 to &apos;%2&apos;: %3</source>
        <translation>Die Einstellung %1 kann nicht in „%2“ gespeichert werden: %3</translation>
    </message>
    <message>
        <source>The stored setting %1 is &apos;%2&apos;, which is neither True, False nor a number; %3 is used instead.</source>
        <translation>Die gespeicherte Einstellung %1 ist „%2“, weder True, False noch eine Zahl; stattdessen gilt %3.</translation>
    </message>
    <message>
        <source>Cannot read the list of strings to remove, &apos;%1&apos;: %2</source>
        <translation>Die Liste der zu entfernenden Zeichenfolgen, „%1“, kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>; no strings will be removed.</source>
        <translation>; es werden keine Zeichenfolgen entfernt.</translation>
    </message>
    <message>
        <source>%1 more</source>
        <translation>%1 weitere</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source> and </source>
        <translation> und </translation>
    </message>
    <message>
        <source>Line %1 of the list of strings to remove, &apos;%2&apos;, is not valid text; it is left out, the other lines are used.</source>
        <translation>Zeile %1 der Liste der zu entfernenden Zeichenfolgen, „%2“, ist kein gültiger Text; sie wird ausgelassen, die übrigen Zeilen gelten.</translation>
    </message>
    <message>
        <source>Lines %1 of the list of strings to remove, &apos;%2&apos;, are not valid text; they are left out, the other lines are used.</source>
        <translation>Die Zeilen %1 der Liste der zu entfernenden Zeichenfolgen, „%2“, sind kein gültiger Text; sie werden ausgelassen, die übrigen Zeilen gelten.</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>sie ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>it is %1 bytes long, more than the %2 bytes (%3 MB) that are read</source>
        <translation>sie ist %1 Byte lang, mehr als die %2 Byte (%3 MB), die gelesen werden</translation>
    </message>
    <message>
        <source>it does not exist on this computer</source>
        <translation>es gibt es auf diesem Rechner nicht</translation>
    </message>
    <message>
        <source>it is not ready</source>
        <translation>es ist nicht bereit</translation>
    </message>
    <message>
        <source>The default drive &apos;%1&apos; cannot be used (%2); &apos;%3&apos; is shown instead.</source>
        <translation>Das Standardlaufwerk „%1“ kann nicht verwendet werden (%2); stattdessen wird „%3“ gezeigt.</translation>
    </message>
    <message>
        <source>The drive &apos;%1&apos; cannot be shown (%2).</source>
        <translation>Das Laufwerk „%1“ kann nicht gezeigt werden (%2).</translation>
    </message>
    <message>
        <source>The default folder &apos;%1&apos; cannot be used (%2); &apos;%3&apos; is shown instead.</source>
        <translation>Der Standardordner „%1“ kann nicht verwendet werden (%2); stattdessen wird „%3“ gezeigt.</translation>
    </message>
    <message>
        <source>The folder &apos;%1&apos; cannot be shown (%2).</source>
        <translation>Der Ordner „%1“ kann nicht gezeigt werden (%2).</translation>
    </message>
    <message>
        <source>Enter drive letter:</source>
        <translation>Laufwerksbuchstaben eingeben:</translation>
    </message>
    <message>
        <source>Default Drive</source>
        <translation>Standardlaufwerk</translation>
    </message>
    <message>
        <source>Drive letter must be a single letter A to Z</source>
        <translation>Der Laufwerksbuchstabe muss ein einzelner Buchstabe von A bis Z sein</translation>
    </message>
    <message>
        <source>Drive </source>
        <translation>Laufwerk </translation>
    </message>
    <message>
        <source> does not exist on this computer</source>
        <translation> gibt es auf diesem Rechner nicht</translation>
    </message>
    <message>
        <source> may not be used as default drive, original entry restored</source>
        <translation> darf nicht Standardlaufwerk sein, der bisherige Eintrag gilt wieder</translation>
    </message>
    <message>
        <source>Enter path string:</source>
        <translation>Pfad eingeben:</translation>
    </message>
    <message>
        <source>Default Path</source>
        <translation>Standardpfad</translation>
    </message>
    <message>
        <source>Path </source>
        <translation>Pfad </translation>
    </message>
    <message>
        <source> may not be used as default path, original entry restored</source>
        <translation> darf nicht Standardpfad sein, der bisherige Eintrag gilt wieder</translation>
    </message>
    <message>
        <source>Enter maximum length of file name:</source>
        <translation>Höchstlänge der Dateinamen eingeben:</translation>
    </message>
    <message>
        <source>Maximum Length</source>
        <translation>Höchstlänge</translation>
    </message>
    <message>
        <source>Maximum length must be a number</source>
        <translation>Die Höchstlänge muss eine Zahl sein</translation>
    </message>
    <message>
        <source>Enter maximum number of files to inspect:</source>
        <translation>Höchstzahl der zu prüfenden Dateien eingeben:</translation>
    </message>
    <message>
        <source>Maximum Files</source>
        <translation>Höchstzahl der Dateien</translation>
    </message>
    <message>
        <source>Maximum files must be %1 to %2</source>
        <translation>Die Höchstzahl der Dateien muss %1 bis %2 sein</translation>
    </message>
    <message>
        <source>Maximum files must be a number</source>
        <translation>Die Höchstzahl der Dateien muss eine Zahl sein</translation>
    </message>
    <message>
        <source>

The new value is in force until Purlex ends, but it was not saved.</source>
        <translation>

Der neue Wert gilt, bis Purlex endet, wurde aber nicht gespeichert.</translation>
    </message>
    <message>
        <source>The stored setting %1 is &apos;%2&apos;, which lies outside %3 to %4; %5 is used instead.</source>
        <translation>Die gespeicherte Einstellung %1 ist &apos;%2&apos; und liegt außerhalb von %3 bis %4; stattdessen wird %5 verwendet.</translation>
    </message>
</context>
<context>
    <name>UiTexts</name>
    <message>
        <source>Strings to Remove</source>
        <translation>Zu entfernende Zeichenfolgen</translation>
    </message>
    <message>
        <source>Maximum File Name Length:</source>
        <translation>Höchstlänge der Dateinamen:</translation>
    </message>
    <message>
        <source>Files to Inspect per Execution:</source>
        <translation>Dateien je Ausführung:</translation>
    </message>
    <message>
        <source>Include subdirectories?</source>
        <translation>Unterordner einbeziehen?</translation>
    </message>
    <message>
        <source>Override read only?</source>
        <translation>Schreibschutz übergehen?</translation>
    </message>
    <message>
        <source>Remove multiple spaces?</source>
        <translation>Mehrfache Leerzeichen entfernen?</translation>
    </message>
    <message>
        <source>Remove multi - _ &lt; &gt; ! @ # $ % ^ &amp;&amp; * ?</source>
        <translation>Mehrfache - _ &lt; &gt; ! @ # $ % ^ &amp;&amp; * weg?</translation>
    </message>
    <message>
        <source>Remove empty ( ) [ ] { } &lt; &gt; ?</source>
        <translation>Leere ( ) [ ] { } &lt; &gt; entfernen?</translation>
    </message>
    <message>
        <source>Replace _ with space?</source>
        <translation>_ durch Leerzeichen ersetzen?</translation>
    </message>
    <message>
        <source>Remove starting CC, ZZ?</source>
        <translation>CC, ZZ am Anfang entfernen?</translation>
    </message>
    <message>
        <source>Remove starting - _ ) ] } &gt; ?</source>
        <translation>- _ ) ] } &gt; am Anfang entfernen?</translation>
    </message>
    <message>
        <source>Remove ending - _ ( [ { &lt; ?</source>
        <translation>- _ ( [ { &lt; am Ende entfernen?</translation>
    </message>
    <message>
        <source>&amp;Execute</source>
        <translation>&amp;Ausführen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Undo Last Execution</source>
        <translation>Letzte Ausführung &amp;rückgängig machen</translation>
    </message>
    <message>
        <source>Pre&amp;view...</source>
        <translation>&amp;Vorschau...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Undo Last Execution</source>
        <translation>Letzte Ausführung rückgängig machen</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>Default Drive...</source>
        <translation>Standardlaufwerk...</translation>
    </message>
    <message>
        <source>Default Path...</source>
        <translation>Standardpfad...</translation>
    </message>
    <message>
        <source>Default Length...</source>
        <translation>Standardlänge...</translation>
    </message>
    <message>
        <source>Include Subdirectories?</source>
        <translation>Unterordner einbeziehen?</translation>
    </message>
    <message>
        <source>Limit...</source>
        <translation>Grenze...</translation>
    </message>
    <message>
        <source>Remove multiple special char?</source>
        <translation>Mehrfache Sonderzeichen entfernen?</translation>
    </message>
    <message>
        <source>Remove empty paired delimiters?</source>
        <translation>Leere Klammerpaare entfernen?</translation>
    </message>
    <message>
        <source>Replace underlines with spaces?</source>
        <translation>Unterstriche durch Leerzeichen ersetzen?</translation>
    </message>
    <message>
        <source>Remove starting closing delimiters?</source>
        <translation>Schließende Zeichen am Anfang entfernen?</translation>
    </message>
    <message>
        <source>Remove ending opening delimiters?</source>
        <translation>Öffnende Zeichen am Ende entfernen?</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>Read: 0</source>
        <translation>Gelesen: 0</translation>
    </message>
    <message>
        <source>Fixed: 0</source>
        <translation>Geändert: 0</translation>
    </message>
    <message>
        <source>CAPS</source>
        <translation>GROSS</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>Maximum files not numeric</source>
        <translation>Höchstzahl der Dateien ist keine Zahl</translation>
    </message>
    <message>
        <source>Maximum length not numeric</source>
        <translation>Höchstlänge ist keine Zahl</translation>
    </message>
    <message>
        <source>Drive %1: (%2) is not ready</source>
        <translation>Laufwerk %1: (%2) ist nicht bereit</translation>
    </message>
    <message>
        <source>The folder %1 is on no drive of this computer</source>
        <translation>Der Ordner %1 liegt auf keinem Laufwerk dieses Rechners</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>%1 file would be read, %2 renamed</source>
        <translation>%1 Datei würde gelesen, %2 umbenannt</translation>
    </message>
    <message>
        <source>%1 files would be read, %2 renamed</source>
        <translation>%1 Dateien würden gelesen, %2 umbenannt</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>New name</source>
        <translation>Neuer Name</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>numbered</source>
        <translation>nummeriert</translation>
    </message>
    <message>
        <source>read-only</source>
        <translation>schreibgeschützt</translation>
    </message>
    <message>
        <source>numbered, read-only</source>
        <translation>nummeriert, schreibgeschützt</translation>
    </message>
    <message>
        <source>Nothing would change</source>
        <translation>Nichts würde sich ändern</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Whole Drive</source>
        <translation>Ganzes Laufwerk</translation>
    </message>
    <message>
        <source>The folder %1 is the root of drive %2: and subdirectories are included, so every file on the drive will be looked at.
Click OK to go on or Cancel to start nothing.</source>
        <translation>Der Ordner %1 ist die Wurzel des Laufwerks %2: und Unterordner sind einbezogen, also wird jede Datei des Laufwerks betrachtet.
OK fährt fort, Abbrechen startet nichts.</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Laufwerk</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Input Error</source>
        <translation>Eingabefehler</translation>
    </message>
    <message>
        <source>(no letter) %1</source>
        <translation>(ohne Buchstabe) %1</translation>
    </message>
    <message>
        <source>, %1 only cleared of its read-only bit</source>
        <translation>, bei %1 nur der Schreibschutz entfernt</translation>
    </message>
    <message>
        <source>, %1 only cleared of their read-only bits</source>
        <translation>, bei %1 nur der Schreibschutz entfernt</translation>
    </message>
    <message>
        <source>read-only bit cleared</source>
        <translation>Schreibschutz entfernt</translation>
    </message>
    <message>
        <source>The folder %1 is the root of a mounted volume, and subdirectories are included, so every file on it will be looked at.
Click OK to go on or Cancel to start nothing.</source>
        <translation>Der Ordner %1 ist die Wurzel eines eingehängten Datenträgers, und Unterordner sind einbezogen, also wird jede Datei darauf betrachtet.
OK fährt fort, Abbrechen startet nichts.</translation>
    </message>
    <message>
        <source>%1 rename</source>
        <translation>%1 Umbenennung</translation>
    </message>
    <message>
        <source>%1 renames</source>
        <translation>%1 Umbenennungen</translation>
    </message>
    <message>
        <source>%1 read-only change</source>
        <translation>%1 Änderung des Schreibschutzes</translation>
    </message>
    <message>
        <source>%1 read-only changes</source>
        <translation>%1 Änderungen des Schreibschutzes</translation>
    </message>
    <message>
        <source>Take back the %1 made in %2 on %3 at %4?</source>
        <translation>Die %1 in %2 vom %3 um %4 zurücknehmen?</translation>
    </message>
    <message>
        <source> and </source>
        <translation> und </translation>
    </message>
    <message>
        <source>
Every file goes back to its old name, and read-only files get their old mode again. Nothing is replaced.</source>
        <translation>
Jede Datei erhält ihren alten Namen zurück, und schreibgeschützte Dateien erhalten ihre alten Rechte wieder. Nichts wird ersetzt.</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>&amp;Systeminfo...</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
</context>
</TS>
