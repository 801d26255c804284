<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Application</name>
    <message>
        <source>the running installer refused the request</source>
        <translation>der laufende Installer hat die Anfrage abgelehnt</translation>
    </message>
    <message>
        <source>unknown option: %1</source>
        <translation>unbekannte Option: %1</translation>
    </message>
    <message>
        <source>TWK Script Installer</source>
        <translation>TWK-Skript-Installer</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>unknown option: %1</source>
        <translation>unbekannte Option: %1</translation>
    </message>
    <message>
        <source>--install and --remove need the names of scripts</source>
        <translation>--install und --remove brauchen die Namen von Skripten</translation>
    </message>
    <message>
        <source>--json goes with --list</source>
        <translation>--json gehört zu --list</translation>
    </message>
    <message>
        <source>--replace-edited goes with --install or --install-all</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>Usage: twk-script-installer [URL...]
       twk-script-installer --install-all [--replace-edited]
       twk-script-installer [--replace-edited] --install NAME...
       twk-script-installer --remove NAME...
       twk-script-installer --list [--json]

Installs the scripts that come with Tarnwick into
~/Library/Application Scripts/org.tarnwick.Tarnwick.MenuExtension.

  URL            an install request, twkscriptinstall://...?script=NAME
  --install-all  install every Tarnwick script without a window
  --install NAME...  install the named Tarnwick scripts without asking
  --replace-edited   with either: replace copies you edited (they go to the Trash)
  --remove NAME...   move the installed copies of the named scripts to the Trash
  --list         list Tarnwick's scripts and their states
  --json         with --list: as a JSON array for programs
  --help         show this help
  --version      show the version

Installs and removals exit with status 0 when every script was done, 1 when one
failed, and installs with 3 when nothing failed but copies you edited were kept.
Scripts that are up to date are not copied again. A copy you edited is kept unless
you say --replace-edited; a replaced copy goes to the Trash, never deleted.
Qt's standard options (-style, -platform, ...) apply to the window.
</source>
        <translation type="unfinished" />
    </message>
</context>
<context>
    <name>HeadlessInstall</name>
    <message>
        <source>not installed: %1: %2</source>
        <translation>nicht installiert: %1: %2</translation>
    </message>
    <message>
        <source>installed: %1 (the copy that was there differed; it is in the Trash as %2)</source>
        <translation>installiert: %1 (die vorhandene Kopie wich ab; sie liegt als %2 im Papierkorb)</translation>
    </message>
    <message>
        <source>installed: %1</source>
        <translation>installiert: %1</translation>
    </message>
    <message>
        <source>%1 of %2 scripts installed into %3</source>
        <translation>%1 von %2 Skripten installiert in %3</translation>
    </message>
    <message>
        <source>is not a valid script name</source>
        <translation>ist kein gültiger Skriptname</translation>
    </message>
    <message>
        <source>Tarnwick was not found</source>
        <translation>Tarnwick wurde nicht gefunden</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>nicht gefunden</translation>
    </message>
    <message>
        <source>moved to the Trash: %1 (as %2)</source>
        <translation>in den Papierkorb gelegt: %1 (als %2)</translation>
    </message>
    <message>
        <source>not removed: %1: %2</source>
        <translation>nicht entfernt: %1: %2</translation>
    </message>
    <message>
        <source>is not installed</source>
        <translation>ist nicht installiert</translation>
    </message>
    <message>
        <source>kept your edits: %1 (--replace-edited installs Tarnwick's copy)</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>up to date: %1</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>updated: %1</source>
        <translation type="unfinished" />
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>TWK Script Installer</source>
        <translation>TWK-Skript-Installer</translation>
    </message>
    <message>
        <source>Install the scripts that come with Tarnwick into the folder where Tarnwick's menu can run them.</source>
        <translation>Installieren Sie die Skripte, die Tarnwick mitbringt, in den Ordner, aus dem Tarnwicks Menü sie ausführt.</translation>
    </message>
    <message>
        <source>&amp;Install All Scripts</source>
        <translation>Alle Skripte &amp;installieren</translation>
    </message>
    <message>
        <source>Show &amp;Tarnwick Scripts</source>
        <translation>&amp;Tarnwicks Skripte zeigen</translation>
    </message>
    <message>
        <source>Show &amp;User Scripts Folder</source>
        <translation>Benutzer-Skript&amp;ordner zeigen</translation>
    </message>
    <message>
        <source>&amp;Ask before installing scripts that Tarnwick requests</source>
        <translation>Vor dem Installieren von Skripten, die Tarnwick anfordert, &amp;nachfragen</translation>
    </message>
    <message>
        <source>Installation progress</source>
        <translation>Installationsfortschritt</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation>Ctrl+Q</translation>
    </message>
    <message>
        <source>&amp;About TWK Script Installer</source>
        <translation>Ü&amp;ber den TWK-Skript-Installer</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Scripts installed</source>
        <translation>Skripte installiert</translation>
    </message>
    <message>
        <source>Some scripts were not installed</source>
        <translation>Einige Skripte wurden nicht installiert</translation>
    </message>
    <message>
        <source>Scripts are copied, everything is splendid</source>
        <translation>Die Skripte sind kopiert, alles ist prächtig</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Tarnwick does not offer it.</source>
        <translation>Tarnwick bietet es nicht an.</translation>
    </message>
    <message>
        <source>'%1' could not be installed</source>
        <translation>»%1« konnte nicht installiert werden</translation>
    </message>
    <message>
        <source>Tarnwick was not found: no application handles twkrelaunch URLs. Install Tarnwick, then try again.</source>
        <translation>Tarnwick wurde nicht gefunden: Kein Programm öffnet twkrelaunch-URLs. Installieren Sie Tarnwick und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>Tarnwick's scripts folder could not be read.</source>
        <translation>Tarnwicks Skriptordner konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The User Scripts directory %1 does not exist yet: open Tarnwick once to create it.</source>
        <translation>Der Benutzer-Skriptordner %1 existiert noch nicht: Öffnen Sie Tarnwick einmal, damit er angelegt wird.</translation>
    </message>
    <message>
        <source>The User Scripts directory %1 cannot be opened: %2</source>
        <translation>Der Benutzer-Skriptordner %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Installed</source>
        <translation>Installiert</translation>
    </message>
    <message>
        <source>Not installed</source>
        <translation>Nicht installiert</translation>
    </message>
    <message>
        <source>The copy of '%1' that was installed differed from Tarnwick's; it is in the Trash as '%2'.</source>
        <translation>Die installierte Kopie von »%1« wich von Tarnwicks ab; sie liegt als »%2« im Papierkorb.</translation>
    </message>
    <message>
        <source>A file of %1.</source>
        <translation>Eine Datei mit %1.</translation>
    </message>
    <message>
        <source>A folder of one file, %1.</source>
        <translation>Ein Ordner mit einer Datei, %1.</translation>
    </message>
    <message>
        <source>A folder of %1 files, %2 in all.</source>
        <translation>Ein Ordner mit %1 Dateien, insgesamt %2.</translation>
    </message>
    <message>
        <source>A link to "%1".</source>
        <translation>Ein Verweis auf „%1“.</translation>
    </message>
    <message>
        <source>An item that is neither a file, a folder nor a link.</source>
        <translation>Ein Objekt, das weder Datei noch Ordner noch Verweis ist.</translation>
    </message>
    <message>
        <source>It is not installed yet.</source>
        <translation>Es ist noch nicht installiert.</translation>
    </message>
    <message>
        <source>The same script is installed already.</source>
        <translation>Dasselbe Skript ist bereits installiert.</translation>
    </message>
    <message>
        <source>Its first lines:</source>
        <translation>Seine ersten Zeilen:</translation>
    </message>
    <message>
        <source>Your choice could not be saved</source>
        <translation>Ihre Wahl konnte nicht gespeichert werden</translation>
    </message>
    <message>
        <source>Move the installed copy of '%1' to the Trash?</source>
        <translation>Die installierte Kopie von »%1« in den Papierkorb legen?</translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation>In den Papierkorb legen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Tarnwick's menu will no longer offer the script. You can restore it from the Trash; Tarnwick's own copy stays, and can be installed again.</source>
        <translation>Tarnwicks Menü bietet das Skript dann nicht mehr an. Sie können es aus dem Papierkorb wiederherstellen; Tarnwicks eigene Kopie bleibt und kann erneut installiert werden.</translation>
    </message>
    <message>
        <source>'%1' was moved to the Trash.</source>
        <translation>»%1« wurde in den Papierkorb gelegt.</translation>
    </message>
    <message>
        <source>'%1' could not be moved to the Trash</source>
        <translation>»%1« konnte nicht in den Papierkorb gelegt werden</translation>
    </message>
    <message>
        <source>Doh!</source>
        <translation>Mist!</translation>
    </message>
    <message>
        <source>Script install didn't specify a script</source>
        <translation>Die Installationsanfrage nannte kein Skript</translation>
    </message>
    <message>
        <source>Script '%@' - is not a valid script name</source>
        <translation>Skript »%@« – ist kein gültiger Skriptname</translation>
    </message>
    <message>
        <source>Script '%@' - not found</source>
        <translation>Skript »%@« – nicht gefunden</translation>
    </message>
    <message>
        <source>Install script '%@' ?</source>
        <translation>Skript »%@« installieren?</translation>
    </message>
    <message>
        <source>Install Script</source>
        <translation>Skript installieren</translation>
    </message>
    <message>
        <source>Do you want TWK Script Installer to install this script in the User Scripts directory where Tarnwick can run it?</source>
        <translation>Soll der TWK-Skript-Installer dieses Skript in den Benutzer-Skriptordner installieren, aus dem Tarnwick es ausführen kann?</translation>
    </message>
    <message>
        <source>Script '%@' - was not installed</source>
        <translation>Das Skript »%@« wurde nicht installiert</translation>
    </message>
    <message>
        <source>TWK Script Installer could not save that it should not ask again (%1), so it will ask next time.</source>
        <translation>Der TWK-Skript-Installer konnte nicht speichern, dass er nicht mehr fragen soll (%1), und wird daher beim nächsten Mal wieder fragen.</translation>
    </message>
    <message>
        <source>Script installed</source>
        <translation>Skript installiert</translation>
    </message>
    <message>
        <source>Script not installed</source>
        <translation>Skript nicht installiert</translation>
    </message>
    <message>
        <source>'%1' is installed in the User Scripts directory.</source>
        <translation>»%1« ist im Benutzer-Skriptordner installiert.</translation>
    </message>
    <message>
        <source>'%1' could not be installed: %2</source>
        <translation>»%1« konnte nicht installiert werden: %2</translation>
    </message>
    <message>
        <source>Script '%@' - could not be installed</source>
        <translation>Das Skript »%@« konnte nicht installiert werden</translation>
    </message>
    <message>
        <source>Tarnwick not found</source>
        <translation>Tarnwick nicht gefunden</translation>
    </message>
    <message>
        <source>The Tarnwick application could not be found, so there is no scripts folder to show.</source>
        <translation>Das Programm Tarnwick wurde nicht gefunden, daher gibt es keinen Skriptordner zu zeigen.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message numerus="yes">
        <source>Your edits to %n scripts were kept.</source>
        <translation type="unfinished">
            <numerusform />
            <numerusform />
        </translation>
    </message>
    <message>
        <source>Update available</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>Edited by you</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>Edited by you; Tarnwick's copy updated</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>Differs from Tarnwick's copy</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>No longer shipped by Tarnwick</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>An older version of it is installed; it will be replaced.</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>You edited the installed copy; installing moves your copy to the Trash.</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>You edited the installed copy, and Tarnwick's copy changed since; installing moves your copy to the Trash.</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>An installed copy differs from it; installing moves that copy to the Trash.</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>Tarnwick no longer ships it.</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>'%1' was not installed: you edited the installed copy, and it stays.</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>'%1' is installed in the User Scripts directory already.</source>
        <translation type="unfinished" />
    </message>
    <message numerus="yes">
        <source>%n more</source>
        <translation type="unfinished">
            <numerusform />
            <numerusform />
        </translation>
    </message>
    <message numerus="yes">
        <source>You edited the installed copies of %1. Keep your edits, or replace them with Tarnwick's copies? Copies that are replaced go to the Trash, where you can restore them.</source>
        <translation type="unfinished">
            <numerusform />
            <numerusform />
        </translation>
    </message>
    <message>
        <source>What was installed cannot be remembered (%1): your edits are told from Tarnwick's updates by comparing the copies.</source>
        <translation type="unfinished" />
    </message>
    <message numerus="yes">
        <source> and %n more</source>
        <translation type="unfinished">
            <numerusform />
            <numerusform />
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n scripts could not be installed: %2. See the system log for details.</source>
        <translation type="unfinished">
            <numerusform />
            <numerusform />
        </translation>
    </message>
    <message>
        <source>'%1': your edited copy was kept.</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>Keep your edits?</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>Keep My Edits</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>Replace Them</source>
        <translation type="unfinished" />
    </message>
</context>
<context>
    <name>Sheet</name>
    <message>
        <source>Details</source>
        <translation>Details</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>The installer that is running already is busy; this request waits its turn.</source>
        <translation>Der bereits laufende Installer ist beschäftigt; diese Anfrage wartet, bis sie an der Reihe ist.</translation>
    </message>
    <message>
        <source>TWK Script Installer is busy</source>
        <translation>Der TWK-Skript-Installer ist beschäftigt</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>the user scripts folder lies inside it</source>
        <translation>der Benutzer-Skriptordner liegt darin</translation>
    </message>
    <message>
        <source>Tarnwick's scripts folder lies inside it</source>
        <translation>Tarnwicks Skriptordner liegt darin</translation>
    </message>
    <message>
        <source>the Trash is on another file system</source>
        <translation>der Papierkorb liegt auf einem anderen Dateisystem</translation>
    </message>
    <message>
        <source>another program has held it for too long</source>
        <translation>ein anderes Programm hält sie schon zu lange</translation>
    </message>
    <message>
        <source>cannot open "%1": %2</source>
        <translation>„%1“ kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>cannot read "%1": %2</source>
        <translation>„%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>cannot write "%1": %2</source>
        <translation>„%1“ kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>cannot lock "%1": %2</source>
        <translation>„%1“ kann nicht gesperrt werden: %2</translation>
    </message>
    <message>
        <source>cannot list "%1": %2</source>
        <translation>„%1“ kann nicht aufgelistet werden: %2</translation>
    </message>
    <message>
        <source>cannot find "%1": %2</source>
        <translation>„%1“ kann nicht gefunden werden: %2</translation>
    </message>
    <message>
        <source>cannot copy "%1": %2</source>
        <translation>„%1“ kann nicht kopiert werden: %2</translation>
    </message>
    <message>
        <source>cannot write "%1" out to disk: %2</source>
        <translation>„%1“ kann nicht auf den Datenträger geschrieben werden: %2</translation>
    </message>
    <message>
        <source>cannot replace "%1": %2</source>
        <translation>„%1“ kann nicht ersetzt werden: %2</translation>
    </message>
    <message>
        <source>cannot move "%1" to the Trash: %2</source>
        <translation>„%1“ kann nicht in den Papierkorb gelegt werden: %2</translation>
    </message>
    <message>
        <source>cannot remove "%1": %2</source>
        <translation>„%1“ kann nicht entfernt werden: %2</translation>
    </message>
</context>
<context>
    <name>twk::alert::Alert</name>
    <message>
        <source>Do not ask again</source>
        <translation>Nicht mehr fragen</translation>
    </message>
</context>
<context>
    <name>twk::app::MainWindow</name>
    <message>
        <source>The preferences file could not be written (%1). The choice holds until TWK Script Installer quits.</source>
        <translation>Die Einstellungsdatei konnte nicht geschrieben werden (%1). Die Wahl gilt, bis der TWK-Skript-Installer beendet wird.</translation>
    </message>
    <message>
        <source>About TWK Script Installer</source>
        <translation>Über den TWK-Skript-Installer</translation>
    </message>
    <message>
        <source>&lt;b&gt;TWK Script Installer&lt;/b&gt; %1&lt;br&gt;Installs the scripts that come with Tarnwick into the folder where Tarnwick's menu runs them.</source>
        <translation>&lt;b&gt;TWK-Skript-Installer&lt;/b&gt; %1&lt;br&gt;Installiert die Skripte, die Tarnwick mitbringt, in den Ordner, aus dem Tarnwicks Menü sie ausführt.</translation>
    </message>
</context>
<context>
    <name>twk::app::ScriptListModel</name>
    <message>
        <source>Checking…</source>
        <translation>Wird geprüft …</translation>
    </message>
    <message>
        <source>Script</source>
        <translation>Skript</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>Aktionen</translation>
    </message>
</context>
<context>
    <name>twk::app::ScriptListPanel</name>
    <message>
        <source>Tarnwick's &amp;scripts:</source>
        <translation>Tarnwicks &amp;Skripte:</translation>
    </message>
    <message>
        <source>Tarnwick's scripts</source>
        <translation>Tarnwicks Skripte</translation>
    </message>
    <message>
        <source>Press Return to install the selected script, Delete to move its installed copy to the Trash, or the Menu key for both</source>
        <translation>Eingabetaste installiert das gewählte Skript, Entf legt seine installierte Kopie in den Papierkorb, die Menütaste bietet beides an</translation>
    </message>
    <message>
        <source>Tarnwick has no scripts to install.</source>
        <translation>Tarnwick bringt keine Skripte zum Installieren mit.</translation>
    </message>
    <message>
        <source>Move to Trash…</source>
        <translation>In den Papierkorb legen …</translation>
    </message>
    <message>
        <source>There are no scripts to list.</source>
        <translation>Es gibt keine Skripte zum Anzeigen.</translation>
    </message>
</context>
<context>
    <name>twk::app::ScriptRowDelegate</name>
    <message>
        <source>Remove…</source>
        <translation>Entfernen …</translation>
    </message>
    <message>
        <source>Install</source>
        <translation>Installieren</translation>
    </message>
    <message>
        <source>Reinstall</source>
        <translation>Neu installieren</translation>
    </message>
    <message>
        <source>Update</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>Reinstall…</source>
        <translation type="unfinished" />
    </message>
</context>
</TS>