<?xml version="1.0" encoding="utf-8"?>
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
        <translation>--install und --remove brauchen Skriptnamen</translation>
    </message>
    <message>
        <source>--json goes with --list</source>
        <translation>--json geht nur zusammen mit --list</translation>
    </message>
    <message>
        <source>--replace-edited goes with --install or --install-all</source>
        <translation>--replace-edited geht nur zusammen mit --install oder --install-all</translation>
    </message>
    <message>
        <source>--diff needs the name of one script</source>
        <translation>--diff braucht den Namen genau eines Skripts</translation>
    </message>
    <message>
        <source>--merge and --replace-edited exclude each other</source>
        <translation>--merge und --replace-edited schließen einander aus</translation>
    </message>
    <message>
        <source>--merge goes with --install or --install-all</source>
        <translation>--merge geht nur zusammen mit --install oder --install-all</translation>
    </message>
    <message>
        <source>Usage: twk-script-installer [URL...]
       twk-script-installer --install-all [--replace-edited | --merge]
       twk-script-installer [--replace-edited | --merge] --install NAME...
       twk-script-installer --remove NAME...
       twk-script-installer --diff NAME
       twk-script-installer --list [--json]

Installs the scripts that come with Tarnwick into
~/Library/Application Scripts/org.tarnwick.Tarnwick.MenuExtension.

  URL            an install request, twkscriptinstall://...?script=NAME
  --install-all  install every Tarnwick script without a window
  --install NAME...  install the named Tarnwick scripts without asking
  --replace-edited   with either: replace copies you edited (they go to the Trash)
  --merge            with either: where Tarnwick updated a copy you edited, install
                     both changes merged (your copy goes to the Trash); a merge
                     whose changes collide is saved beside the User Scripts
                     directory to finish by hand, and your copy is kept
  --remove NAME...   move the installed copies of the named scripts to the Trash
  --diff NAME    show how your copy of a script differs from Tarnwick&apos;s (and each
                 side&apos;s changes since it was installed) as a unified diff
  --list         list Tarnwick&apos;s scripts and their states
  --json         with --list: as a JSON array for programs
  --help         show this help
  --version      show the version

Installs and removals exit with status 0 when every script was done, 1 when one
failed, and installs with 3 when nothing failed but copies you edited were kept.
Scripts that are up to date are not copied again. A copy you edited is kept unless
you say --replace-edited or --merge; a replaced copy goes to the Trash, never
deleted. --diff exits with 0 when the copies are the same, 1 when they differ and
2 when they cannot be compared; it colours its lines only on a terminal.
Qt&apos;s standard options (-style, -platform, ...) apply to the window.
</source>
        <translation>Aufruf: twk-script-installer [URL...]
        twk-script-installer --install-all [--replace-edited | --merge]
        twk-script-installer [--replace-edited | --merge] --install NAME...
        twk-script-installer --remove NAME...
        twk-script-installer --diff NAME
        twk-script-installer --list [--json]

Installiert die Skripte, die Tarnwick mitbringt, in
~/Library/Application Scripts/org.tarnwick.Tarnwick.MenuExtension.

  URL            eine Installationsanfrage, twkscriptinstall://...?script=NAME
  --install-all  alle Skripte von Tarnwick ohne Fenster installieren
  --install NAME...  die genannten Tarnwick-Skripte ohne Rückfrage installieren
  --replace-edited   mit --install oder --install-all: von Ihnen bearbeitete
                     Kopien ersetzen (sie kommen in den Papierkorb)
  --merge            mit --install oder --install-all: wo Tarnwick eine von
                     Ihnen bearbeitete Kopie aktualisiert hat, beide Änderungen
                     zusammengeführt installieren (Ihre Kopie kommt in den
                     Papierkorb); widersprechen sich die Änderungen, wird die
                     Zusammenführung neben dem Benutzer-Skriptordner
                     gespeichert, damit Sie sie von Hand fertigstellen, und Ihre
                     Kopie bleibt
  --remove NAME...   die installierten Kopien der genannten Skripte in den
                     Papierkorb verschieben
  --diff NAME    als Unified Diff anzeigen, wie Ihre Kopie eines Skripts von
                 Tarnwicks Kopie abweicht (und was jede Seite seit der
                 Installation geändert hat)
  --list         Tarnwicks Skripte und ihren Status auflisten
  --json         mit --list: als JSON-Array für Programme
  --help         diese Hilfe anzeigen
  --version      die Version anzeigen

Installationen und Entfernungen enden mit dem Status 0, wenn jedes Skript
erledigt wurde, mit 1, wenn eines fehlschlug, und Installationen mit 3, wenn
nichts fehlschlug, aber von Ihnen bearbeitete Kopien behalten wurden. Aktuelle
Skripte werden nicht erneut kopiert. Eine von Ihnen bearbeitete Kopie wird
behalten, außer Sie geben --replace-edited oder --merge an; eine ersetzte Kopie
kommt in den Papierkorb und wird nie gelöscht. --diff endet mit 0, wenn die
Kopien gleich sind, mit 1, wenn sie sich unterscheiden, und mit 2, wenn sie sich
nicht vergleichen lassen; seine Zeilen sind nur in einem Terminal farbig.
Die Standardoptionen von Qt (-style, -platform, ...) gelten für das Fenster.
</translation>
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
        <translation>installiert: %1 (die vorhandene Kopie war eine andere; sie liegt als %2 im Papierkorb)</translation>
    </message>
    <message>
        <source>installed: %1</source>
        <translation>installiert: %1</translation>
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
        <translation>in den Papierkorb verschoben: %1 (als %2)</translation>
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
        <source>up to date: %1</source>
        <translation>aktuell: %1</translation>
    </message>
    <message>
        <source>updated: %1</source>
        <translation>aktualisiert: %1</translation>
    </message>
    <message>
        <source>kept your edits: %1 (your changes and Tarnwick&apos;s collide)</source>
        <translation>Ihre Bearbeitungen behalten: %1 (Ihre Änderungen und die von Tarnwick widersprechen sich)</translation>
    </message>
    <message>
        <source>kept your edits: %1 (your changes and Tarnwick&apos;s collide; the merge with conflict markers is saved as %2)</source>
        <translation>Ihre Bearbeitungen behalten: %1 (Ihre Änderungen und die von Tarnwick widersprechen sich; die Zusammenführung mit Konfliktmarkierungen ist als %2 gespeichert)</translation>
    </message>
    <message>
        <source>kept your edits: %1 (your changes and Tarnwick&apos;s collide): %2</source>
        <translation>Ihre Bearbeitungen behalten: %1 (Ihre Änderungen und die von Tarnwick widersprechen sich): %2</translation>
    </message>
    <message>
        <source>merged: %1 (Tarnwick&apos;s update merged into your edits; your copy is in the Trash as %2)</source>
        <translation>zusammengeführt: %1 (Tarnwicks Aktualisierung mit Ihren Bearbeitungen zusammengeführt; Ihre Kopie liegt als %2 im Papierkorb)</translation>
    </message>
    <message>
        <source>kept your edits: %1 (it cannot be merged; --diff shows why, --replace-edited installs Tarnwick&apos;s copy)</source>
        <translation>Ihre Bearbeitungen behalten: %1 (nicht zusammenführbar; --diff zeigt, warum, --replace-edited installiert Tarnwicks Kopie)</translation>
    </message>
    <message>
        <source>kept your edits: %1 (--replace-edited installs Tarnwick&apos;s copy, --merge merges its update into your edits)</source>
        <translation>Ihre Bearbeitungen behalten: %1 (--replace-edited installiert Tarnwicks Kopie, --merge führt seine Aktualisierung mit Ihren Bearbeitungen zusammen)</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n scripts installed into %3</source>
        <translation>
            <numerusform>%1 von %n Skript in %3 installiert</numerusform>
            <numerusform>%1 von %n Skripten in %3 installiert</numerusform>
        </translation>
    </message>
    <message>
        <source>merged: %1 (Tarnwick&apos;s update merged into your edits)</source>
        <translation>zusammengeführt: %1 (Tarnwicks Aktualisierung mit Ihren Bearbeitungen zusammengeführt)</translation>
    </message>
    <message>
        <source>kept your edits: %1 (Tarnwick&apos;s copy has not changed since it was installed; --replace-edited puts it back)</source>
        <translation>Ihre Bearbeitungen behalten: %1 (Tarnwicks Kopie hat sich seit der Installation nicht geändert; --replace-edited stellt sie wieder her)</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>TWK Script Installer</source>
        <translation>TWK-Skript-Installer</translation>
    </message>
    <message>
        <source>Install the scripts that come with Tarnwick into the folder where Tarnwick&apos;s menu can run them.</source>
        <translation>Installieren Sie die Skripte, die Tarnwick mitbringt, in den Ordner, aus dem Tarnwicks Menü sie ausführen kann.</translation>
    </message>
    <message>
        <source>&amp;Install All Scripts</source>
        <translation>Alle Skripte &amp;installieren</translation>
    </message>
    <message>
        <source>Show &amp;Tarnwick Scripts</source>
        <translation>&amp;Tarnwicks Skripte anzeigen</translation>
    </message>
    <message>
        <source>Show &amp;User Scripts Folder</source>
        <translation>Benutzer-Skript&amp;ordner anzeigen</translation>
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
        <translation>Die Skripte sind kopiert, alles bestens</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Tarnwick does not offer it.</source>
        <translation>Tarnwick bietet dieses Skript nicht an.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; could not be installed</source>
        <translation>„%1“ konnte nicht installiert werden</translation>
    </message>
    <message>
        <source>Tarnwick was not found: no application handles twkrelaunch URLs. Install Tarnwick, then try again.</source>
        <translation>Tarnwick wurde nicht gefunden: Kein Programm öffnet twkrelaunch-URLs. Installieren Sie Tarnwick und versuchen Sie es dann noch einmal.</translation>
    </message>
    <message>
        <source>Tarnwick&apos;s scripts folder could not be read.</source>
        <translation>Tarnwicks Skriptordner konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The User Scripts directory %1 does not exist yet: open Tarnwick once to create it.</source>
        <translation>Der Benutzer-Skriptordner %1 existiert noch nicht: Öffnen Sie Tarnwick einmal, damit er angelegt wird.</translation>
    </message>
    <message>
        <source>The User Scripts directory %1 cannot be opened: %2</source>
        <translation>Der Benutzer-Skriptordner %1 lässt sich nicht öffnen: %2</translation>
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
        <source>The copy of &apos;%1&apos; that was installed differed from Tarnwick&apos;s; it is in the Trash as &apos;%2&apos;.</source>
        <translation>Die installierte Kopie von „%1“ war anders als Tarnwicks Kopie; sie liegt als „%2“ im Papierkorb.</translation>
    </message>
    <message>
        <source>A file of %1.</source>
        <translation>Eine Datei, %1 groß.</translation>
    </message>
    <message>
        <source>A folder of one file, %1.</source>
        <translation>Ein Ordner mit einer Datei, %1 groß.</translation>
    </message>
    <message>
        <source>A link to &quot;%1&quot;.</source>
        <translation>Ein Verweis auf „%1“.</translation>
    </message>
    <message>
        <source>An item that is neither a file, a folder nor a link.</source>
        <translation>Weder eine Datei noch ein Ordner noch ein Verweis.</translation>
    </message>
    <message>
        <source>It is not installed yet.</source>
        <translation>Das Skript ist noch nicht installiert.</translation>
    </message>
    <message>
        <source>The same script is installed already.</source>
        <translation>Dasselbe Skript ist bereits installiert.</translation>
    </message>
    <message>
        <source>Its first lines:</source>
        <translation>Die ersten Zeilen:</translation>
    </message>
    <message>
        <source>Your choice could not be saved</source>
        <translation>Ihre Einstellung konnte nicht gespeichert werden</translation>
    </message>
    <message>
        <source>Move the installed copy of &apos;%1&apos; to the Trash?</source>
        <translation>Die installierte Kopie von „%1“ in den Papierkorb verschieben?</translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation>In den Papierkorb verschieben</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Tarnwick&apos;s menu will no longer offer the script. You can restore it from the Trash; Tarnwick&apos;s own copy stays, and can be installed again.</source>
        <translation>Tarnwicks Menü bietet das Skript dann nicht mehr an. Sie können es aus dem Papierkorb wiederherstellen; Tarnwicks eigene Kopie bleibt erhalten und lässt sich erneut installieren.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; was moved to the Trash.</source>
        <translation>„%1“ wurde in den Papierkorb verschoben.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; could not be moved to the Trash</source>
        <translation>„%1“ konnte nicht in den Papierkorb verschoben werden</translation>
    </message>
    <message>
        <source>Doh!</source>
        <translation>Hoppla!</translation>
    </message>
    <message>
        <source>Script install didn&apos;t specify a script</source>
        <translation>Die Installationsanfrage nennt kein Skript</translation>
    </message>
    <message>
        <source>Script &apos;%@&apos; - is not a valid script name</source>
        <translation>„%@“ ist kein gültiger Skriptname</translation>
    </message>
    <message>
        <source>Script &apos;%@&apos; - not found</source>
        <translation>Das Skript „%@“ wurde nicht gefunden</translation>
    </message>
    <message>
        <source>Install script &apos;%@&apos; ?</source>
        <translation>Skript „%@“ installieren?</translation>
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
        <source>Script &apos;%@&apos; - was not installed</source>
        <translation>Das Skript „%@“ wurde nicht installiert</translation>
    </message>
    <message>
        <source>TWK Script Installer could not save that it should not ask again (%1), so it will ask next time.</source>
        <translation>Der TWK-Skript-Installer konnte nicht speichern, dass er nicht mehr fragen soll (%1), und fragt deshalb beim nächsten Mal wieder.</translation>
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
        <source>&apos;%1&apos; is installed in the User Scripts directory.</source>
        <translation>„%1“ ist im Benutzer-Skriptordner installiert.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; could not be installed: %2</source>
        <translation>„%1“ konnte nicht installiert werden: %2</translation>
    </message>
    <message>
        <source>Script &apos;%@&apos; - could not be installed</source>
        <translation>Das Skript „%@“ konnte nicht installiert werden</translation>
    </message>
    <message>
        <source>Tarnwick not found</source>
        <translation>Tarnwick nicht gefunden</translation>
    </message>
    <message>
        <source>The Tarnwick application could not be found, so there is no scripts folder to show.</source>
        <translation>Das Programm Tarnwick wurde nicht gefunden, daher gibt es keinen Skriptordner anzuzeigen.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message numerus="yes">
        <source>Your edits to %n scripts were kept.</source>
        <translation>
            <numerusform>Ihre Bearbeitungen an einem Skript wurden behalten.</numerusform>
            <numerusform>Ihre Bearbeitungen an %n Skripten wurden behalten.</numerusform>
        </translation>
    </message>
    <message>
        <source>Update available</source>
        <translation>Aktualisierung verfügbar</translation>
    </message>
    <message>
        <source>Edited by you</source>
        <translation>Von Ihnen bearbeitet</translation>
    </message>
    <message>
        <source>Edited by you; Tarnwick&apos;s copy updated</source>
        <translation>Von Ihnen bearbeitet; Tarnwicks Kopie aktualisiert</translation>
    </message>
    <message>
        <source>Differs from Tarnwick&apos;s copy</source>
        <translation>Anders als Tarnwicks Kopie</translation>
    </message>
    <message>
        <source>No longer shipped by Tarnwick</source>
        <translation>Nicht mehr in Tarnwick enthalten</translation>
    </message>
    <message>
        <source>An older version of it is installed; it will be replaced.</source>
        <translation>Eine ältere Version des Skripts ist installiert; sie wird ersetzt.</translation>
    </message>
    <message>
        <source>You edited the installed copy; installing moves your copy to the Trash.</source>
        <translation>Sie haben die installierte Kopie bearbeitet; beim Installieren wird Ihre Kopie in den Papierkorb verschoben.</translation>
    </message>
    <message>
        <source>You edited the installed copy, and Tarnwick&apos;s copy changed since; installing moves your copy to the Trash.</source>
        <translation>Sie haben die installierte Kopie bearbeitet, und Tarnwicks Kopie hat sich seitdem geändert; beim Installieren wird Ihre Kopie in den Papierkorb verschoben.</translation>
    </message>
    <message>
        <source>An installed copy differs from it; installing moves that copy to the Trash.</source>
        <translation>Eine andere Kopie ist installiert; beim Installieren wird sie in den Papierkorb verschoben.</translation>
    </message>
    <message>
        <source>Tarnwick no longer ships it.</source>
        <translation>Tarnwick liefert das Skript nicht mehr mit.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; was not installed: you edited the installed copy, and it stays.</source>
        <translation>„%1“ wurde nicht installiert: Sie haben die installierte Kopie bearbeitet, und sie bleibt erhalten.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is installed in the User Scripts directory already.</source>
        <translation>„%1“ ist bereits im Benutzer-Skriptordner installiert.</translation>
    </message>
    <message numerus="yes">
        <source>%n more</source>
        <translation>
            <numerusform>ein weiteres</numerusform>
            <numerusform>%n weitere</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>You edited the installed copies of %1. Keep your edits, or replace them with Tarnwick&apos;s copies? Copies that are replaced go to the Trash, where you can restore them.</source>
        <translation>
            <numerusform>Sie haben die installierte Kopie von %1 bearbeitet. Ihre Bearbeitungen behalten oder durch Tarnwicks Kopie ersetzen? Eine ersetzte Kopie kommt in den Papierkorb, wo Sie sie wiederherstellen können.</numerusform>
            <numerusform>Sie haben die installierten Kopien von %1 bearbeitet. Ihre Bearbeitungen behalten oder durch Tarnwicks Kopien ersetzen? Ersetzte Kopien kommen in den Papierkorb, wo Sie sie wiederherstellen können.</numerusform>
        </translation>
    </message>
    <message>
        <source>What was installed cannot be remembered (%1): your edits are told from Tarnwick&apos;s updates by comparing the copies.</source>
        <translation>Was installiert wurde, lässt sich nicht festhalten (%1): Ihre Bearbeitungen werden durch Vergleich der Kopien von Tarnwicks Aktualisierungen unterschieden.</translation>
    </message>
    <message numerus="yes">
        <source> and %n more</source>
        <translation>
            <numerusform> und ein weiteres</numerusform>
            <numerusform> und %n weitere</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n scripts could not be installed: %2. See the system log for details.</source>
        <translation>
            <numerusform>Bei %1 von %n Skript ist die Installation fehlgeschlagen: %2. Einzelheiten stehen im Systemprotokoll.</numerusform>
            <numerusform>Bei %1 von %n Skripten ist die Installation fehlgeschlagen: %2. Einzelheiten stehen im Systemprotokoll.</numerusform>
        </translation>
    </message>
    <message>
        <source>&apos;%1&apos;: your edited copy was kept.</source>
        <translation>„%1“: Ihre bearbeitete Kopie wurde behalten.</translation>
    </message>
    <message>
        <source>Keep your edits?</source>
        <translation>Ihre Bearbeitungen behalten?</translation>
    </message>
    <message>
        <source>Keep My Edits</source>
        <translation>Meine Bearbeitungen behalten</translation>
    </message>
    <message>
        <source>Replace Them</source>
        <translation>Ersetzen</translation>
    </message>
    <message numerus="yes">
        <source>Tarnwick&apos;s updates were merged into your edits of %n scripts.</source>
        <translation>
            <numerusform>Tarnwicks Aktualisierung wurde mit Ihren Bearbeitungen an einem Skript zusammengeführt.</numerusform>
            <numerusform>Tarnwicks Aktualisierungen wurden mit Ihren Bearbeitungen an %n Skripten zusammengeführt.</numerusform>
        </translation>
    </message>
    <message>
        <source>No differences to show</source>
        <translation>Keine Unterschiede anzuzeigen</translation>
    </message>
    <message>
        <source>Merge saved</source>
        <translation>Zusammenführung gespeichert</translation>
    </message>
    <message>
        <source>The merge was not saved</source>
        <translation>Die Zusammenführung wurde nicht gespeichert</translation>
    </message>
    <message>
        <source>&apos;%1&apos;</source>
        <comment>a script&apos;s name in a list of names</comment>
        <translation>„%1“</translation>
    </message>
    <message numerus="yes">
        <source>A folder of %Ln files, %2 in all.</source>
        <translation>
            <numerusform>Ein Ordner mit %Ln Datei, insgesamt %2.</numerusform>
            <numerusform>Ein Ordner mit %Ln Dateien, insgesamt %2.</numerusform>
        </translation>
    </message>
    <message>
        <source>Tarnwick&apos;s update of &apos;%1&apos; was merged into your edits; your copy as it was is in the Trash as &apos;%2&apos;.</source>
        <translation>Tarnwicks Aktualisierung von „%1“ wurde mit Ihren Bearbeitungen zusammengeführt; Ihre bisherige Kopie liegt als „%2“ im Papierkorb.</translation>
    </message>
    <message>
        <source>&apos;%1&apos;: Tarnwick&apos;s update was merged into your edits; your copy as it was is in the Trash as &apos;%2&apos;.</source>
        <translation>„%1“: Tarnwicks Aktualisierung wurde mit Ihren Bearbeitungen zusammengeführt; Ihre bisherige Kopie liegt als „%2“ im Papierkorb.</translation>
    </message>
    <message>
        <source>&apos;%1&apos;: your changes and Tarnwick&apos;s collide; your edits were kept.</source>
        <translation>„%1“: Ihre Änderungen und die von Tarnwick widersprechen sich; Ihre Bearbeitungen wurden behalten.</translation>
    </message>
    <message>
        <source>&apos;%1&apos;: your edits were kept.</source>
        <translation>„%1“: Ihre Bearbeitungen wurden behalten.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is up to date.</source>
        <translation>„%1“ ist aktuell.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; updated.</source>
        <translation>„%1“ aktualisiert.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; installed.</source>
        <translation>„%1“ installiert.</translation>
    </message>
    <message>
        <source>Differences in &apos;%1&apos;</source>
        <translation>Unterschiede in „%1“</translation>
    </message>
    <message>
        <source>\ No newline at end of file</source>
        <translation>\ Kein Zeilenumbruch am Dateiende</translation>
    </message>
    <message>
        <source>Your copy of &apos;%1&apos; against Tarnwick&apos;s</source>
        <translation>Ihre Kopie von „%1“ im Vergleich mit Tarnwicks Kopie</translation>
    </message>
    <message>
        <source>They are the same.</source>
        <translation>Sie sind gleich.</translation>
    </message>
    <message>
        <source>only in yours: %1</source>
        <translation>nur in Ihrer Kopie: %1</translation>
    </message>
    <message>
        <source>only in Tarnwick&apos;s: %1</source>
        <translation>nur in Tarnwicks Kopie: %1</translation>
    </message>
    <message>
        <source>changed: %1</source>
        <translation>geändert: %1</translation>
    </message>
    <message>
        <source>Only one of the two copies may be run as a program (its executable bit differs).</source>
        <translation>Nur eine der beiden Kopien darf als Programm ausgeführt werden (ihr Ausführungsbit unterscheidet sich).</translation>
    </message>
    <message>
        <source>Not text: its differences are not shown.</source>
        <translation>Kein Text: Die Unterschiede werden nicht angezeigt.</translation>
    </message>
    <message>
        <source>Larger than %1: its differences are not shown.</source>
        <translation>Größer als %1: Die Unterschiede werden nicht angezeigt.</translation>
    </message>
    <message>
        <source>A link or a special file: its differences are not shown.</source>
        <translation>Ein Verweis oder eine Spezialdatei: Die Unterschiede werden nicht angezeigt.</translation>
    </message>
    <message>
        <source>yours: %1</source>
        <translation>Ihre Kopie: %1</translation>
    </message>
    <message>
        <source>Tarnwick&apos;s: %1</source>
        <translation>Tarnwicks Kopie: %1</translation>
    </message>
    <message>
        <source>as installed: %1</source>
        <translation>wie installiert: %1</translation>
    </message>
    <message>
        <source>Your changes since it was installed</source>
        <translation>Ihre Änderungen seit der Installation</translation>
    </message>
    <message>
        <source>Tarnwick&apos;s changes since it was installed</source>
        <translation>Tarnwicks Änderungen seit der Installation</translation>
    </message>
    <message>
        <source>What was installed is not known, so each side&apos;s own changes cannot be told apart.</source>
        <translation>Was installiert wurde, ist nicht bekannt, daher lassen sich die Änderungen der beiden Seiten nicht auseinanderhalten.</translation>
    </message>
    <message numerus="yes">
        <source>… and %n more lines, not shown.</source>
        <translation>
            <numerusform>… und eine weitere Zeile, nicht angezeigt.</numerusform>
            <numerusform>… und %n weitere Zeilen, nicht angezeigt.</numerusform>
        </translation>
    </message>
    <message>
        <source>&apos;%1&apos; has no installed copy and a copy of Tarnwick&apos;s to compare.</source>
        <translation>Von „%1“ gibt es nicht sowohl eine installierte Kopie als auch eine Kopie von Tarnwick zum Vergleichen.</translation>
    </message>
    <message>
        <source>The copies of &apos;%1&apos; could not be read: %2</source>
        <translation>Die Kopien von „%1“ konnten nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>(nothing)</source>
        <translation>(nichts)</translation>
    </message>
    <message>
        <source>At line %1, yours:
%2
Tarnwick&apos;s:
%3</source>
        <translation>In Zeile %1, Ihre Kopie:
%2
Tarnwicks Kopie:
%3</translation>
    </message>
    <message>
        <source>At line %1 of &apos;%2&apos;, yours:
%3
Tarnwick&apos;s:
%4</source>
        <translation>In Zeile %1 von „%2“, Ihre Kopie:
%3
Tarnwicks Kopie:
%4</translation>
    </message>
    <message numerus="yes">
        <source>Tarnwick&apos;s updates of %1 merge cleanly into your edits: Merge installs both changes, and your copies go to the Trash.</source>
        <translation>
            <numerusform>Tarnwicks Aktualisierung von %1 lässt sich glatt mit Ihren Bearbeitungen zusammenführen: „Zusammenführen“ installiert beide Änderungen, und Ihre Kopie kommt in den Papierkorb.</numerusform>
            <numerusform>Tarnwicks Aktualisierungen von %1 lassen sich glatt mit Ihren Bearbeitungen zusammenführen: „Zusammenführen“ installiert beide Änderungen, und Ihre Kopien kommen in den Papierkorb.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>In %1 your changes and Tarnwick&apos;s collide: Merge keeps your edits there; Show Differences… on its row shows where.</source>
        <translation>
            <numerusform>In %1 widersprechen sich Ihre Änderungen und die von Tarnwick: „Zusammenführen“ behält dort Ihre Bearbeitungen; „Unterschiede anzeigen …“ in der Zeile des Skripts zeigt, wo.</numerusform>
            <numerusform>In %1 widersprechen sich Ihre Änderungen und die von Tarnwick: „Zusammenführen“ behält dort Ihre Bearbeitungen; „Unterschiede anzeigen …“ in der Zeile des jeweiligen Skripts zeigt, wo.</numerusform>
        </translation>
    </message>
    <message>
        <source>Tarnwick&apos;s update merges cleanly into your edits: Merge installs both changes, and your copy goes to the Trash.</source>
        <translation>Tarnwicks Aktualisierung lässt sich glatt mit Ihren Bearbeitungen zusammenführen: „Zusammenführen“ installiert beide Änderungen, und Ihre Kopie kommt in den Papierkorb.</translation>
    </message>
    <message numerus="yes">
        <source>Your changes and Tarnwick&apos;s collide (conflicts: %n).</source>
        <translation>
            <numerusform>Ihre Änderungen und die von Tarnwick widersprechen sich (ein Konflikt).</numerusform>
            <numerusform>Ihre Änderungen und die von Tarnwick widersprechen sich (%n Konflikte).</numerusform>
        </translation>
    </message>
    <message>
        <source>Save Merge with Conflicts saves the merge, conflict markers and all, in %1 for you to finish by hand; nothing is installed.</source>
        <translation>„Mit Konflikten speichern“ speichert die Zusammenführung samt Konfliktmarkierungen in %1, damit Sie sie von Hand fertigstellen; installiert wird nichts.</translation>
    </message>
    <message>
        <source>It cannot be merged: both changed %1, which is not text.</source>
        <translation>Keine Zusammenführung möglich: Beide Seiten haben %1 geändert, und das ist kein Text.</translation>
    </message>
    <message>
        <source>It cannot be merged: one copy is a file, the other a folder.</source>
        <translation>Keine Zusammenführung möglich: Eine Kopie ist eine Datei, die andere ein Ordner.</translation>
    </message>
    <message>
        <source>It cannot be merged: one side removed %1, the other changed it.</source>
        <translation>Keine Zusammenführung möglich: Eine Seite hat %1 entfernt, die andere geändert.</translation>
    </message>
    <message>
        <source>It cannot be merged: the version that was installed was not kept.</source>
        <translation>Keine Zusammenführung möglich: Die installierte Version wurde nicht aufbewahrt.</translation>
    </message>
    <message>
        <source>The merge of &apos;%1&apos; could not be saved: %2</source>
        <translation>Die Zusammenführung von „%1“ konnte nicht gespeichert werden: %2</translation>
    </message>
    <message>
        <source>The merge of &apos;%1&apos;, with conflict markers where your changes and Tarnwick&apos;s collide, is saved as %2. Finish it by hand, then put it in place of your copy.</source>
        <translation>Die Zusammenführung von „%1“ ist als %2 gespeichert, mit Konfliktmarkierungen, wo sich Ihre Änderungen und die von Tarnwick widersprechen. Stellen Sie sie von Hand fertig und setzen Sie sie dann an die Stelle Ihrer Kopie.</translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>Zusammenführen</translation>
    </message>
    <message>
        <source>Save Merge with Conflicts</source>
        <translation>Mit Konflikten speichern</translation>
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
        <source>Tarnwick&apos;s scripts folder lies inside it</source>
        <translation>Tarnwicks Skriptordner liegt darin</translation>
    </message>
    <message>
        <source>the Trash is on another file system</source>
        <translation>der Papierkorb liegt auf einem anderen Dateisystem</translation>
    </message>
    <message>
        <source>another program has held it for too long</source>
        <translation>ein anderes Programm hält den Ordner schon zu lange gesperrt</translation>
    </message>
    <message>
        <source>cannot open &quot;%1&quot;: %2</source>
        <translation>„%1“ lässt sich nicht öffnen: %2</translation>
    </message>
    <message>
        <source>cannot read &quot;%1&quot;: %2</source>
        <translation>„%1“ lässt sich nicht lesen: %2</translation>
    </message>
    <message>
        <source>cannot write &quot;%1&quot;: %2</source>
        <translation>„%1“ lässt sich nicht schreiben: %2</translation>
    </message>
    <message>
        <source>cannot lock &quot;%1&quot;: %2</source>
        <translation>„%1“ lässt sich nicht sperren: %2</translation>
    </message>
    <message>
        <source>cannot list &quot;%1&quot;: %2</source>
        <translation>Der Inhalt von „%1“ lässt sich nicht auflisten: %2</translation>
    </message>
    <message>
        <source>cannot find &quot;%1&quot;: %2</source>
        <translation>„%1“ wurde nicht gefunden: %2</translation>
    </message>
    <message>
        <source>cannot copy &quot;%1&quot;: %2</source>
        <translation>„%1“ lässt sich nicht kopieren: %2</translation>
    </message>
    <message>
        <source>cannot write &quot;%1&quot; out to disk: %2</source>
        <translation>„%1“ lässt sich nicht auf den Datenträger schreiben: %2</translation>
    </message>
    <message>
        <source>cannot replace &quot;%1&quot;: %2</source>
        <translation>„%1“ lässt sich nicht ersetzen: %2</translation>
    </message>
    <message>
        <source>cannot move &quot;%1&quot; to the Trash: %2</source>
        <translation>„%1“ lässt sich nicht in den Papierkorb verschieben: %2</translation>
    </message>
    <message>
        <source>cannot remove &quot;%1&quot;: %2</source>
        <translation>„%1“ lässt sich nicht entfernen: %2</translation>
    </message>
    <message>
        <source>a newer version wrote it</source>
        <translation>von einer neueren Version geschrieben</translation>
    </message>
    <message>
        <source>the library is incomplete</source>
        <translation>der Bibliothek fehlt etwas</translation>
    </message>
</context>
<context>
    <name>WindowModule</name>
    <message>
        <source>the window cannot be shown: %1</source>
        <translation>das Fenster kann nicht gezeigt werden: %1</translation>
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
        <translation>Die Einstellungsdatei konnte nicht geschrieben werden (%1). Die Einstellung gilt, bis der TWK-Skript-Installer beendet wird.</translation>
    </message>
    <message>
        <source>About TWK Script Installer</source>
        <translation>Über den TWK-Skript-Installer</translation>
    </message>
    <message>
        <source>&lt;b&gt;TWK Script Installer&lt;/b&gt; %1&lt;br&gt;Installs the scripts that come with Tarnwick into the folder where Tarnwick&apos;s menu runs them.</source>
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
        <translation>Status</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>Aktionen</translation>
    </message>
</context>
<context>
    <name>twk::app::ScriptListPanel</name>
    <message>
        <source>Tarnwick&apos;s &amp;scripts:</source>
        <translation>Tarnwicks &amp;Skripte:</translation>
    </message>
    <message>
        <source>Tarnwick&apos;s scripts</source>
        <translation>Tarnwicks Skripte</translation>
    </message>
    <message>
        <source>Tarnwick has no scripts to install.</source>
        <translation>Tarnwick bringt keine Skripte zum Installieren mit.</translation>
    </message>
    <message>
        <source>Move to Trash…</source>
        <translation>In den Papierkorb verschieben …</translation>
    </message>
    <message>
        <source>There are no scripts to list.</source>
        <translation>Es gibt keine Skripte anzuzeigen.</translation>
    </message>
    <message>
        <source>Press Return to install the selected script, Delete to move its installed copy to the Trash, Control+D to see how your copy differs from Tarnwick&apos;s, or the Menu key for all three</source>
        <translation>Die Eingabetaste installiert das ausgewählte Skript, Entf verschiebt seine installierte Kopie in den Papierkorb, Strg+D zeigt, wie Ihre Kopie von Tarnwicks Kopie abweicht, und die Menütaste bietet alle drei an</translation>
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
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Reinstall…</source>
        <translation>Neu installieren …</translation>
    </message>
    <message>
        <source>Show Differences…</source>
        <translation>Unterschiede anzeigen …</translation>
    </message>
</context>
</TS>
