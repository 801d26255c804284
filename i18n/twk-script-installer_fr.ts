<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Application</name>
    <message>
        <source>the running installer refused the request</source>
        <translation>l’installateur en cours a refusé la demande</translation>
    </message>
    <message>
        <source>unknown option: %1</source>
        <translation>option inconnue : %1</translation>
    </message>
    <message>
        <source>TWK Script Installer</source>
        <translation>Installateur de scripts TWK</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>unknown option: %1</source>
        <translation>option inconnue : %1</translation>
    </message>
    <message>
        <source>--install and --remove need the names of scripts</source>
        <translation>--install et --remove demandent des noms de scripts</translation>
    </message>
    <message>
        <source>--json goes with --list</source>
        <translation>--json va avec --list</translation>
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
        <translation>non installé : %1 : %2</translation>
    </message>
    <message>
        <source>installed: %1 (the copy that was there differed; it is in the Trash as %2)</source>
        <translation>installé : %1 (la copie présente différait ; elle est dans la corbeille sous le nom %2)</translation>
    </message>
    <message>
        <source>installed: %1</source>
        <translation>installé : %1</translation>
    </message>
    <message>
        <source>%1 of %2 scripts installed into %3</source>
        <translation>%1 scripts sur %2 installés dans %3</translation>
    </message>
    <message>
        <source>is not a valid script name</source>
        <translation>n’est pas un nom de script valable</translation>
    </message>
    <message>
        <source>Tarnwick was not found</source>
        <translation>Tarnwick est introuvable</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>introuvable</translation>
    </message>
    <message>
        <source>moved to the Trash: %1 (as %2)</source>
        <translation>mis à la corbeille : %1 (sous le nom %2)</translation>
    </message>
    <message>
        <source>not removed: %1: %2</source>
        <translation>non supprimé : %1 : %2</translation>
    </message>
    <message>
        <source>is not installed</source>
        <translation>n’est pas installé</translation>
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
        <translation>Installateur de scripts TWK</translation>
    </message>
    <message>
        <source>Install the scripts that come with Tarnwick into the folder where Tarnwick's menu can run them.</source>
        <translation>Installez les scripts fournis avec Tarnwick dans le dossier d’où le menu de Tarnwick peut les lancer.</translation>
    </message>
    <message>
        <source>&amp;Install All Scripts</source>
        <translation>&amp;Installer tous les scripts</translation>
    </message>
    <message>
        <source>Show &amp;Tarnwick Scripts</source>
        <translation>Afficher les scripts de &amp;Tarnwick</translation>
    </message>
    <message>
        <source>Show &amp;User Scripts Folder</source>
        <translation>Afficher le dossier de scripts de l’&amp;utilisateur</translation>
    </message>
    <message>
        <source>&amp;Ask before installing scripts that Tarnwick requests</source>
        <translation>&amp;Demander avant d’installer les scripts que Tarnwick réclame</translation>
    </message>
    <message>
        <source>Installation progress</source>
        <translation>Progression de l’installation</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation>Ctrl+Q</translation>
    </message>
    <message>
        <source>&amp;About TWK Script Installer</source>
        <translation>À &amp;propos de l’installateur de scripts TWK</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Scripts installed</source>
        <translation>Scripts installés</translation>
    </message>
    <message>
        <source>Some scripts were not installed</source>
        <translation>Certains scripts n’ont pas été installés</translation>
    </message>
    <message>
        <source>Scripts are copied, everything is splendid</source>
        <translation>Les scripts sont copiés, tout est splendide</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Tarnwick does not offer it.</source>
        <translation>Tarnwick ne le propose pas.</translation>
    </message>
    <message>
        <source>'%1' could not be installed</source>
        <translation>« %1 » n’a pas pu être installé</translation>
    </message>
    <message>
        <source>Tarnwick was not found: no application handles twkrelaunch URLs. Install Tarnwick, then try again.</source>
        <translation>Tarnwick est introuvable : aucune application n’ouvre les URL twkrelaunch. Installez Tarnwick, puis réessayez.</translation>
    </message>
    <message>
        <source>Tarnwick's scripts folder could not be read.</source>
        <translation>Le dossier des scripts de Tarnwick n’a pas pu être lu.</translation>
    </message>
    <message>
        <source>The User Scripts directory %1 does not exist yet: open Tarnwick once to create it.</source>
        <translation>Le dossier des scripts de l’utilisateur %1 n’existe pas encore : ouvrez Tarnwick une fois pour qu’il soit créé.</translation>
    </message>
    <message>
        <source>The User Scripts directory %1 cannot be opened: %2</source>
        <translation>Le dossier des scripts de l’utilisateur %1 ne peut pas être ouvert : %2</translation>
    </message>
    <message>
        <source>Installed</source>
        <translation>Installé</translation>
    </message>
    <message>
        <source>Not installed</source>
        <translation>Non installé</translation>
    </message>
    <message>
        <source>The copy of '%1' that was installed differed from Tarnwick's; it is in the Trash as '%2'.</source>
        <translation>La copie installée de « %1 » différait de celle de Tarnwick ; elle est dans la corbeille sous le nom « %2 ».</translation>
    </message>
    <message>
        <source>A file of %1.</source>
        <translation>Un fichier de %1.</translation>
    </message>
    <message>
        <source>A folder of one file, %1.</source>
        <translation>Un dossier d’un fichier, %1.</translation>
    </message>
    <message>
        <source>A folder of %1 files, %2 in all.</source>
        <translation>Un dossier de %1 fichiers, %2 en tout.</translation>
    </message>
    <message>
        <source>A link to "%1".</source>
        <translation>Un lien vers « %1 ».</translation>
    </message>
    <message>
        <source>An item that is neither a file, a folder nor a link.</source>
        <translation>Un élément qui n’est ni un fichier, ni un dossier, ni un lien.</translation>
    </message>
    <message>
        <source>It is not installed yet.</source>
        <translation>Il n’est pas encore installé.</translation>
    </message>
    <message>
        <source>The same script is installed already.</source>
        <translation>Le même script est déjà installé.</translation>
    </message>
    <message>
        <source>Its first lines:</source>
        <translation>Ses premières lignes :</translation>
    </message>
    <message>
        <source>Your choice could not be saved</source>
        <translation>Votre choix n’a pas pu être enregistré</translation>
    </message>
    <message>
        <source>Move the installed copy of '%1' to the Trash?</source>
        <translation>Mettre à la corbeille la copie installée de « %1 » ?</translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation>Mettre à la corbeille</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Tarnwick's menu will no longer offer the script. You can restore it from the Trash; Tarnwick's own copy stays, and can be installed again.</source>
        <translation>Le menu de Tarnwick ne proposera plus le script. Vous pourrez le restaurer depuis la corbeille ; la copie de Tarnwick reste et peut être réinstallée.</translation>
    </message>
    <message>
        <source>'%1' was moved to the Trash.</source>
        <translation>« %1 » a été mis à la corbeille.</translation>
    </message>
    <message>
        <source>'%1' could not be moved to the Trash</source>
        <translation>« %1 » n’a pas pu être mis à la corbeille</translation>
    </message>
    <message>
        <source>Doh!</source>
        <translation>Zut !</translation>
    </message>
    <message>
        <source>Script install didn't specify a script</source>
        <translation>La demande d’installation ne désignait aucun script</translation>
    </message>
    <message>
        <source>Script '%@' - is not a valid script name</source>
        <translation>Script « %@ » – n’est pas un nom de script valable</translation>
    </message>
    <message>
        <source>Script '%@' - not found</source>
        <translation>Script « %@ » – introuvable</translation>
    </message>
    <message>
        <source>Install script '%@' ?</source>
        <translation>Installer le script « %@ » ?</translation>
    </message>
    <message>
        <source>Install Script</source>
        <translation>Installer le script</translation>
    </message>
    <message>
        <source>Do you want TWK Script Installer to install this script in the User Scripts directory where Tarnwick can run it?</source>
        <translation>Voulez-vous que l’installateur de scripts TWK installe ce script dans le dossier de scripts de l’utilisateur, d’où Tarnwick peut le lancer ?</translation>
    </message>
    <message>
        <source>Script '%@' - was not installed</source>
        <translation>Le script « %@ » n’a pas été installé</translation>
    </message>
    <message>
        <source>TWK Script Installer could not save that it should not ask again (%1), so it will ask next time.</source>
        <translation>L’installateur de scripts TWK n’a pas pu enregistrer qu’il ne doit plus demander (%1) : il demandera donc la prochaine fois.</translation>
    </message>
    <message>
        <source>Script installed</source>
        <translation>Script installé</translation>
    </message>
    <message>
        <source>Script not installed</source>
        <translation>Script non installé</translation>
    </message>
    <message>
        <source>'%1' is installed in the User Scripts directory.</source>
        <translation>« %1 » est installé dans le dossier de scripts de l’utilisateur.</translation>
    </message>
    <message>
        <source>'%1' could not be installed: %2</source>
        <translation>« %1 » n’a pas pu être installé : %2</translation>
    </message>
    <message>
        <source>Script '%@' - could not be installed</source>
        <translation>Le script « %@ » n’a pas pu être installé</translation>
    </message>
    <message>
        <source>Tarnwick not found</source>
        <translation>Tarnwick introuvable</translation>
    </message>
    <message>
        <source>The Tarnwick application could not be found, so there is no scripts folder to show.</source>
        <translation>L’application Tarnwick est introuvable : il n’y a donc aucun dossier de scripts à afficher.</translation>
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
        <translation>Détails</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>The installer that is running already is busy; this request waits its turn.</source>
        <translation>L’installateur déjà lancé est occupé ; cette demande attend son tour.</translation>
    </message>
    <message>
        <source>TWK Script Installer is busy</source>
        <translation>L’installateur de scripts TWK est occupé</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>the user scripts folder lies inside it</source>
        <translation>le dossier des scripts de l’utilisateur se trouve à l’intérieur</translation>
    </message>
    <message>
        <source>Tarnwick's scripts folder lies inside it</source>
        <translation>le dossier des scripts de Tarnwick se trouve à l’intérieur</translation>
    </message>
    <message>
        <source>the Trash is on another file system</source>
        <translation>la corbeille se trouve sur un autre système de fichiers</translation>
    </message>
    <message>
        <source>another program has held it for too long</source>
        <translation>un autre programme le garde depuis trop longtemps</translation>
    </message>
    <message>
        <source>cannot open "%1": %2</source>
        <translation>impossible d’ouvrir « %1 » : %2</translation>
    </message>
    <message>
        <source>cannot read "%1": %2</source>
        <translation>impossible de lire « %1 » : %2</translation>
    </message>
    <message>
        <source>cannot write "%1": %2</source>
        <translation>impossible d’écrire « %1 » : %2</translation>
    </message>
    <message>
        <source>cannot lock "%1": %2</source>
        <translation>impossible de verrouiller « %1 » : %2</translation>
    </message>
    <message>
        <source>cannot list "%1": %2</source>
        <translation>impossible de lister « %1 » : %2</translation>
    </message>
    <message>
        <source>cannot find "%1": %2</source>
        <translation>impossible de trouver « %1 » : %2</translation>
    </message>
    <message>
        <source>cannot copy "%1": %2</source>
        <translation>impossible de copier « %1 » : %2</translation>
    </message>
    <message>
        <source>cannot write "%1" out to disk: %2</source>
        <translation>impossible d’écrire « %1 » sur le disque : %2</translation>
    </message>
    <message>
        <source>cannot replace "%1": %2</source>
        <translation>impossible de remplacer « %1 » : %2</translation>
    </message>
    <message>
        <source>cannot move "%1" to the Trash: %2</source>
        <translation>impossible de mettre « %1 » à la corbeille : %2</translation>
    </message>
    <message>
        <source>cannot remove "%1": %2</source>
        <translation>impossible de supprimer « %1 » : %2</translation>
    </message>
</context>
<context>
    <name>twk::alert::Alert</name>
    <message>
        <source>Do not ask again</source>
        <translation>Ne plus demander</translation>
    </message>
</context>
<context>
    <name>twk::app::MainWindow</name>
    <message>
        <source>The preferences file could not be written (%1). The choice holds until TWK Script Installer quits.</source>
        <translation>Le fichier de préférences n’a pas pu être écrit (%1). Le choix vaut jusqu’à ce que l’installateur de scripts TWK se ferme.</translation>
    </message>
    <message>
        <source>About TWK Script Installer</source>
        <translation>À propos de l’installateur de scripts TWK</translation>
    </message>
    <message>
        <source>&lt;b&gt;TWK Script Installer&lt;/b&gt; %1&lt;br&gt;Installs the scripts that come with Tarnwick into the folder where Tarnwick's menu runs them.</source>
        <translation>&lt;b&gt;Installateur de scripts TWK&lt;/b&gt; %1&lt;br&gt;Installe les scripts fournis avec Tarnwick dans le dossier d’où le menu de Tarnwick les lance.</translation>
    </message>
</context>
<context>
    <name>twk::app::ScriptListModel</name>
    <message>
        <source>Checking…</source>
        <translation>Vérification…</translation>
    </message>
    <message>
        <source>Script</source>
        <translation>Script</translation>
    </message>
    <message>
        <source>State</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>Actions</translation>
    </message>
</context>
<context>
    <name>twk::app::ScriptListPanel</name>
    <message>
        <source>Tarnwick's &amp;scripts:</source>
        <translation>&amp;Scripts de Tarnwick :</translation>
    </message>
    <message>
        <source>Tarnwick's scripts</source>
        <translation>Scripts de Tarnwick</translation>
    </message>
    <message>
        <source>Press Return to install the selected script, Delete to move its installed copy to the Trash, or the Menu key for both</source>
        <translation>Entrée installe le script choisi, Suppr met sa copie installée à la corbeille, la touche Menu propose les deux</translation>
    </message>
    <message>
        <source>Tarnwick has no scripts to install.</source>
        <translation>Tarnwick n’a aucun script à installer.</translation>
    </message>
    <message>
        <source>Move to Trash…</source>
        <translation>Mettre à la corbeille…</translation>
    </message>
    <message>
        <source>There are no scripts to list.</source>
        <translation>Il n’y a aucun script à afficher.</translation>
    </message>
</context>
<context>
    <name>twk::app::ScriptRowDelegate</name>
    <message>
        <source>Remove…</source>
        <translation>Retirer…</translation>
    </message>
    <message>
        <source>Install</source>
        <translation>Installer</translation>
    </message>
    <message>
        <source>Reinstall</source>
        <translation>Réinstaller</translation>
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