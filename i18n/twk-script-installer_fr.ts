<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Application</name>
    <message>
        <source>the running installer refused the request</source>
        <translation>l’installateur déjà lancé a refusé la demande</translation>
    </message>
    <message>
        <source>unknown option: %1</source>
        <translation>option inconnue&#xa0;: %1</translation>
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
        <translation>option inconnue&#xa0;: %1</translation>
    </message>
    <message>
        <source>--install and --remove need the names of scripts</source>
        <translation>--install et --remove demandent des noms de scripts</translation>
    </message>
    <message>
        <source>--json goes with --list</source>
        <translation>--json ne va qu’avec --list</translation>
    </message>
    <message>
        <source>--replace-edited goes with --install or --install-all</source>
        <translation>--replace-edited ne va qu’avec --install ou --install-all</translation>
    </message>
    <message>
        <source>--diff needs the name of one script</source>
        <translation>--diff demande le nom d’un seul script</translation>
    </message>
    <message>
        <source>--merge and --replace-edited exclude each other</source>
        <translation>--merge et --replace-edited s’excluent l’un l’autre</translation>
    </message>
    <message>
        <source>--merge goes with --install or --install-all</source>
        <translation>--merge ne va qu’avec --install ou --install-all</translation>
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
        <translation>Utilisation&#xa0;: twk-script-installer [URL...]
              twk-script-installer --install-all [--replace-edited | --merge]
              twk-script-installer [--replace-edited | --merge] --install NOM...
              twk-script-installer --remove NOM...
              twk-script-installer --diff NOM
              twk-script-installer --list [--json]

Installe les scripts fournis avec Tarnwick dans
~/Library/Application Scripts/org.tarnwick.Tarnwick.MenuExtension.

  URL            une demande d’installation, twkscriptinstall://...?script=NOM
  --install-all  installer tous les scripts de Tarnwick sans fenêtre
  --install NOM...   installer sans rien demander les scripts de Tarnwick nommés
  --replace-edited   avec --install ou --install-all&#xa0;: remplacer les copies que
                     vous avez modifiées (elles vont à la corbeille)
  --merge            avec --install ou --install-all&#xa0;: là où Tarnwick a mis à
                     jour une copie que vous avez modifiée, installer les deux
                     changements fusionnés (votre copie va à la corbeille)&#x202f;; une
                     fusion dont les changements se contredisent est enregistrée
                     à côté du dossier des scripts utilisateur, pour être
                     terminée à la main, et votre copie est conservée
  --remove NOM...    mettre à la corbeille les copies installées des scripts
                     nommés
  --diff NOM     montrer, sous forme de diff unifié, en quoi votre copie d’un
                 script diffère de celle de Tarnwick (et les changements de
                 chaque côté depuis l’installation)
  --list         lister les scripts de Tarnwick et leur état
  --json         avec --list&#xa0;: sous forme de tableau JSON pour les programmes
  --help         afficher cette aide
  --version      afficher la version

Les installations et les retraits se terminent avec le code 0 quand chaque
script a été traité, 1 quand l’un d’eux a échoué, et les installations avec 3
quand rien n’a échoué mais que des copies que vous avez modifiées ont été
conservées. Les scripts à jour ne sont pas recopiés. Une copie que vous avez
modifiée est conservée, sauf si vous indiquez --replace-edited ou --merge&#x202f;; une
copie remplacée va à la corbeille, elle n’est jamais effacée. --diff se termine
avec 0 quand les copies sont identiques, 1 quand elles diffèrent et 2 quand
elles ne peuvent pas être comparées&#x202f;; il ne colore ses lignes que dans un
terminal.
Les options standard de Qt (-style, -platform, ...) s’appliquent à la fenêtre.
</translation>
    </message>
</context>
<context>
    <name>HeadlessInstall</name>
    <message>
        <source>not installed: %1: %2</source>
        <translation>non installé&#xa0;: %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>installed: %1 (the copy that was there differed; it is in the Trash as %2)</source>
        <translation>installé&#xa0;: %1 (la copie présente était différente&#x202f;; elle est dans la corbeille sous le nom %2)</translation>
    </message>
    <message>
        <source>installed: %1</source>
        <translation>installé&#xa0;: %1</translation>
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
        <translation>mis à la corbeille&#xa0;: %1 (sous le nom %2)</translation>
    </message>
    <message>
        <source>not removed: %1: %2</source>
        <translation>non retiré&#xa0;: %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>is not installed</source>
        <translation>n’est pas installé</translation>
    </message>
    <message>
        <source>up to date: %1</source>
        <translation>à jour&#xa0;: %1</translation>
    </message>
    <message>
        <source>updated: %1</source>
        <translation>mis à jour&#xa0;: %1</translation>
    </message>
    <message>
        <source>kept your edits: %1 (your changes and Tarnwick&apos;s collide)</source>
        <translation>modifications conservées&#xa0;: %1 (vos changements et ceux de Tarnwick se contredisent)</translation>
    </message>
    <message>
        <source>kept your edits: %1 (your changes and Tarnwick&apos;s collide; the merge with conflict markers is saved as %2)</source>
        <translation>modifications conservées&#xa0;: %1 (vos changements et ceux de Tarnwick se contredisent&#x202f;; la fusion avec marqueurs de conflit est enregistrée sous %2)</translation>
    </message>
    <message>
        <source>kept your edits: %1 (your changes and Tarnwick&apos;s collide): %2</source>
        <translation>modifications conservées&#xa0;: %1 (vos changements et ceux de Tarnwick se contredisent)&#xa0;: %2</translation>
    </message>
    <message>
        <source>merged: %1 (Tarnwick&apos;s update merged into your edits; your copy is in the Trash as %2)</source>
        <translation>fusionné&#xa0;: %1 (mise à jour de Tarnwick fusionnée avec vos modifications&#x202f;; votre copie est dans la corbeille sous le nom %2)</translation>
    </message>
    <message>
        <source>kept your edits: %1 (it cannot be merged; --diff shows why, --replace-edited installs Tarnwick&apos;s copy)</source>
        <translation>modifications conservées&#xa0;: %1 (fusion impossible&#x202f;; --diff montre pourquoi, --replace-edited installe la copie de Tarnwick)</translation>
    </message>
    <message>
        <source>kept your edits: %1 (--replace-edited installs Tarnwick&apos;s copy, --merge merges its update into your edits)</source>
        <translation>modifications conservées&#xa0;: %1 (--replace-edited installe la copie de Tarnwick, --merge fusionne sa mise à jour avec vos modifications)</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n scripts installed into %3</source>
        <translation>
            <numerusform>Scripts installés dans %3&#xa0;: %1 sur %n</numerusform>
            <numerusform>Scripts installés dans %3&#xa0;: %1 sur %n</numerusform>
        </translation>
    </message>
    <message>
        <source>merged: %1 (Tarnwick&apos;s update merged into your edits)</source>
        <translation>fusionné&#xa0;: %1 (mise à jour de Tarnwick fusionnée avec vos modifications)</translation>
    </message>
    <message>
        <source>kept your edits: %1 (Tarnwick&apos;s copy has not changed since it was installed; --replace-edited puts it back)</source>
        <translation>modifications conservées&#xa0;: %1 (la copie de Tarnwick n’a pas changé depuis son installation&#x202f;; --replace-edited la remet en place)</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>TWK Script Installer</source>
        <translation>Installateur de scripts TWK</translation>
    </message>
    <message>
        <source>Install the scripts that come with Tarnwick into the folder where Tarnwick&apos;s menu can run them.</source>
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
        <translation>Afficher le dossier des scripts &amp;utilisateur</translation>
    </message>
    <message>
        <source>&amp;Ask before installing scripts that Tarnwick requests</source>
        <translation>&amp;Confirmer avant d’installer les scripts que Tarnwick demande</translation>
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
        <translation>Les scripts sont copiés, tout va pour le mieux</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Tarnwick does not offer it.</source>
        <translation>Tarnwick ne propose pas ce script.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; could not be installed</source>
        <translation>«&#xa0;%1&#xa0;» n’a pas pu être installé</translation>
    </message>
    <message>
        <source>Tarnwick was not found: no application handles twkrelaunch URLs. Install Tarnwick, then try again.</source>
        <translation>Tarnwick est introuvable&#xa0;: aucune application n’ouvre les URL twkrelaunch. Installez Tarnwick, puis réessayez.</translation>
    </message>
    <message>
        <source>Tarnwick&apos;s scripts folder could not be read.</source>
        <translation>Le dossier des scripts de Tarnwick n’a pas pu être lu.</translation>
    </message>
    <message>
        <source>The User Scripts directory %1 does not exist yet: open Tarnwick once to create it.</source>
        <translation>Le dossier des scripts utilisateur %1 n’existe pas encore&#xa0;: ouvrez Tarnwick une fois pour qu’il soit créé.</translation>
    </message>
    <message>
        <source>The User Scripts directory %1 cannot be opened: %2</source>
        <translation>Le dossier des scripts utilisateur %1 ne peut pas être ouvert&#xa0;: %2</translation>
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
        <source>The copy of &apos;%1&apos; that was installed differed from Tarnwick&apos;s; it is in the Trash as &apos;%2&apos;.</source>
        <translation>La copie installée de «&#xa0;%1&#xa0;» différait de celle de Tarnwick&#x202f;; elle est dans la corbeille sous le nom «&#xa0;%2&#xa0;».</translation>
    </message>
    <message>
        <source>A file of %1.</source>
        <translation>Un fichier de %1.</translation>
    </message>
    <message>
        <source>A folder of one file, %1.</source>
        <translation>Un dossier contenant un seul fichier, %1.</translation>
    </message>
    <message>
        <source>A link to &quot;%1&quot;.</source>
        <translation>Un lien vers «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>An item that is neither a file, a folder nor a link.</source>
        <translation>Un élément qui n’est ni un fichier, ni un dossier, ni un lien.</translation>
    </message>
    <message>
        <source>It is not installed yet.</source>
        <translation>Le script n’est pas encore installé.</translation>
    </message>
    <message>
        <source>The same script is installed already.</source>
        <translation>Le même script est déjà installé.</translation>
    </message>
    <message>
        <source>Its first lines:</source>
        <translation>Premières lignes&#xa0;:</translation>
    </message>
    <message>
        <source>Your choice could not be saved</source>
        <translation>Votre choix n’a pas pu être enregistré</translation>
    </message>
    <message>
        <source>Move the installed copy of &apos;%1&apos; to the Trash?</source>
        <translation>Mettre à la corbeille la copie installée de «&#xa0;%1&#xa0;»&#x202f;?</translation>
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
        <source>Tarnwick&apos;s menu will no longer offer the script. You can restore it from the Trash; Tarnwick&apos;s own copy stays, and can be installed again.</source>
        <translation>Le menu de Tarnwick ne proposera plus le script. Vous pourrez le restaurer depuis la corbeille&#x202f;; la copie de Tarnwick reste là et peut être réinstallée.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; was moved to the Trash.</source>
        <translation>«&#xa0;%1&#xa0;» a été mis à la corbeille.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; could not be moved to the Trash</source>
        <translation>«&#xa0;%1&#xa0;» n’a pas pu être mis à la corbeille</translation>
    </message>
    <message>
        <source>Doh!</source>
        <translation>Zut&#x202f;!</translation>
    </message>
    <message>
        <source>Script install didn&apos;t specify a script</source>
        <translation>La demande d’installation ne désigne aucun script</translation>
    </message>
    <message>
        <source>Script &apos;%@&apos; - is not a valid script name</source>
        <translation>«&#xa0;%@&#xa0;» n’est pas un nom de script valable</translation>
    </message>
    <message>
        <source>Script &apos;%@&apos; - not found</source>
        <translation>Le script «&#xa0;%@&#xa0;» est introuvable</translation>
    </message>
    <message>
        <source>Install script &apos;%@&apos; ?</source>
        <translation>Installer le script «&#xa0;%@&#xa0;»&#x202f;?</translation>
    </message>
    <message>
        <source>Install Script</source>
        <translation>Installer le script</translation>
    </message>
    <message>
        <source>Do you want TWK Script Installer to install this script in the User Scripts directory where Tarnwick can run it?</source>
        <translation>Voulez-vous que l’installateur de scripts TWK installe ce script dans le dossier des scripts utilisateur, d’où Tarnwick peut le lancer&#x202f;?</translation>
    </message>
    <message>
        <source>Script &apos;%@&apos; - was not installed</source>
        <translation>Le script «&#xa0;%@&#xa0;» n’a pas été installé</translation>
    </message>
    <message>
        <source>TWK Script Installer could not save that it should not ask again (%1), so it will ask next time.</source>
        <translation>L’installateur de scripts TWK n’a pas pu enregistrer qu’il ne doit plus demander (%1)&#xa0;: il demandera donc la prochaine fois.</translation>
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
        <source>&apos;%1&apos; is installed in the User Scripts directory.</source>
        <translation>«&#xa0;%1&#xa0;» est installé dans le dossier des scripts utilisateur.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; could not be installed: %2</source>
        <translation>«&#xa0;%1&#xa0;» n’a pas pu être installé&#xa0;: %2</translation>
    </message>
    <message>
        <source>Script &apos;%@&apos; - could not be installed</source>
        <translation>Le script «&#xa0;%@&#xa0;» n’a pas pu être installé</translation>
    </message>
    <message>
        <source>Tarnwick not found</source>
        <translation>Tarnwick introuvable</translation>
    </message>
    <message>
        <source>The Tarnwick application could not be found, so there is no scripts folder to show.</source>
        <translation>L’application Tarnwick est introuvable&#xa0;: il n’y a donc aucun dossier de scripts à afficher.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message numerus="yes">
        <source>Your edits to %n scripts were kept.</source>
        <translation>
            <numerusform>Vos modifications de %n script ont été conservées.</numerusform>
            <numerusform>Vos modifications de %n scripts ont été conservées.</numerusform>
        </translation>
    </message>
    <message>
        <source>Update available</source>
        <translation>Mise à jour disponible</translation>
    </message>
    <message>
        <source>Edited by you</source>
        <translation>Modifié par vous</translation>
    </message>
    <message>
        <source>Edited by you; Tarnwick&apos;s copy updated</source>
        <translation>Modifié par vous&#x202f;; copie de Tarnwick mise à jour</translation>
    </message>
    <message>
        <source>Differs from Tarnwick&apos;s copy</source>
        <translation>Différent de la copie de Tarnwick</translation>
    </message>
    <message>
        <source>No longer shipped by Tarnwick</source>
        <translation>N’est plus fourni par Tarnwick</translation>
    </message>
    <message>
        <source>An older version of it is installed; it will be replaced.</source>
        <translation>Une version plus ancienne du script est installée&#x202f;; elle sera remplacée.</translation>
    </message>
    <message>
        <source>You edited the installed copy; installing moves your copy to the Trash.</source>
        <translation>Vous avez modifié la copie installée&#x202f;; l’installation met votre copie à la corbeille.</translation>
    </message>
    <message>
        <source>You edited the installed copy, and Tarnwick&apos;s copy changed since; installing moves your copy to the Trash.</source>
        <translation>Vous avez modifié la copie installée, et celle de Tarnwick a changé depuis&#x202f;; l’installation met votre copie à la corbeille.</translation>
    </message>
    <message>
        <source>An installed copy differs from it; installing moves that copy to the Trash.</source>
        <translation>Une copie différente est installée&#x202f;; l’installation la met à la corbeille.</translation>
    </message>
    <message>
        <source>Tarnwick no longer ships it.</source>
        <translation>Tarnwick ne fournit plus ce script.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; was not installed: you edited the installed copy, and it stays.</source>
        <translation>«&#xa0;%1&#xa0;» n’a pas été installé&#xa0;: vous avez modifié la copie installée, et elle est conservée.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is installed in the User Scripts directory already.</source>
        <translation>«&#xa0;%1&#xa0;» est déjà installé dans le dossier des scripts utilisateur.</translation>
    </message>
    <message numerus="yes">
        <source>%n more</source>
        <translation>
            <numerusform>%n autre</numerusform>
            <numerusform>%n autres</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>You edited the installed copies of %1. Keep your edits, or replace them with Tarnwick&apos;s copies? Copies that are replaced go to the Trash, where you can restore them.</source>
        <translation>
            <numerusform>Vous avez modifié la copie installée de %1. Conserver vos modifications, ou les remplacer par la copie de Tarnwick&#x202f;? Une copie remplacée va à la corbeille, d’où vous pouvez la restaurer.</numerusform>
            <numerusform>Vous avez modifié les copies installées de %1. Conserver vos modifications, ou les remplacer par les copies de Tarnwick&#x202f;? Les copies remplacées vont à la corbeille, d’où vous pouvez les restaurer.</numerusform>
        </translation>
    </message>
    <message>
        <source>What was installed cannot be remembered (%1): your edits are told from Tarnwick&apos;s updates by comparing the copies.</source>
        <translation>Ce qui a été installé ne peut pas être mémorisé (%1)&#xa0;: vos modifications sont distinguées des mises à jour de Tarnwick en comparant les copies.</translation>
    </message>
    <message numerus="yes">
        <source> and %n more</source>
        <translation>
            <numerusform> et %n autre</numerusform>
            <numerusform> et %n autres</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n scripts could not be installed: %2. See the system log for details.</source>
        <translation>
            <numerusform>L’installation a échoué pour %1 script sur %n&#xa0;: %2. Le journal système en dit plus.</numerusform>
            <numerusform>L’installation a échoué pour %1 des %n scripts&#xa0;: %2. Le journal système en dit plus.</numerusform>
        </translation>
    </message>
    <message>
        <source>&apos;%1&apos;: your edited copy was kept.</source>
        <translation>«&#xa0;%1&#xa0;»&#xa0;: votre copie modifiée a été conservée.</translation>
    </message>
    <message>
        <source>Keep your edits?</source>
        <translation>Conserver vos modifications&#x202f;?</translation>
    </message>
    <message>
        <source>Keep My Edits</source>
        <translation>Conserver mes modifications</translation>
    </message>
    <message>
        <source>Replace Them</source>
        <translation>Les remplacer</translation>
    </message>
    <message numerus="yes">
        <source>Tarnwick&apos;s updates were merged into your edits of %n scripts.</source>
        <translation>
            <numerusform>La mise à jour de Tarnwick a été fusionnée avec vos modifications de %n script.</numerusform>
            <numerusform>Les mises à jour de Tarnwick ont été fusionnées avec vos modifications de %n scripts.</numerusform>
        </translation>
    </message>
    <message>
        <source>No differences to show</source>
        <translation>Aucune différence à afficher</translation>
    </message>
    <message>
        <source>Merge saved</source>
        <translation>Fusion enregistrée</translation>
    </message>
    <message>
        <source>The merge was not saved</source>
        <translation>La fusion n’a pas été enregistrée</translation>
    </message>
    <message>
        <source>&apos;%1&apos;</source>
        <comment>a script&apos;s name in a list of names</comment>
        <translation>«&#xa0;%1&#xa0;»</translation>
    </message>
    <message numerus="yes">
        <source>A folder of %Ln files, %2 in all.</source>
        <translation>
            <numerusform>Un dossier contenant %Ln fichier, %2 en tout.</numerusform>
            <numerusform>Un dossier contenant %Ln fichiers, %2 en tout.</numerusform>
        </translation>
    </message>
    <message>
        <source>Tarnwick&apos;s update of &apos;%1&apos; was merged into your edits; your copy as it was is in the Trash as &apos;%2&apos;.</source>
        <translation>La mise à jour de «&#xa0;%1&#xa0;» par Tarnwick a été fusionnée avec vos modifications&#x202f;; votre copie telle qu’elle était est dans la corbeille sous le nom «&#xa0;%2&#xa0;».</translation>
    </message>
    <message>
        <source>&apos;%1&apos;: Tarnwick&apos;s update was merged into your edits; your copy as it was is in the Trash as &apos;%2&apos;.</source>
        <translation>«&#xa0;%1&#xa0;»&#xa0;: la mise à jour de Tarnwick a été fusionnée avec vos modifications&#x202f;; votre copie telle qu’elle était est dans la corbeille sous le nom «&#xa0;%2&#xa0;».</translation>
    </message>
    <message>
        <source>&apos;%1&apos;: your changes and Tarnwick&apos;s collide; your edits were kept.</source>
        <translation>«&#xa0;%1&#xa0;»&#xa0;: vos changements et ceux de Tarnwick se contredisent&#x202f;; vos modifications ont été conservées.</translation>
    </message>
    <message>
        <source>&apos;%1&apos;: your edits were kept.</source>
        <translation>«&#xa0;%1&#xa0;»&#xa0;: vos modifications ont été conservées.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is up to date.</source>
        <translation>«&#xa0;%1&#xa0;» est à jour.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; updated.</source>
        <translation>«&#xa0;%1&#xa0;» mis à jour.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; installed.</source>
        <translation>«&#xa0;%1&#xa0;» installé.</translation>
    </message>
    <message>
        <source>Differences in &apos;%1&apos;</source>
        <translation>Différences dans «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>\ No newline at end of file</source>
        <translation>\ Pas de fin de ligne à la fin du fichier</translation>
    </message>
    <message>
        <source>Your copy of &apos;%1&apos; against Tarnwick&apos;s</source>
        <translation>Votre copie de «&#xa0;%1&#xa0;» comparée à celle de Tarnwick</translation>
    </message>
    <message>
        <source>They are the same.</source>
        <translation>Elles sont identiques.</translation>
    </message>
    <message>
        <source>only in yours: %1</source>
        <translation>seulement dans votre copie&#xa0;: %1</translation>
    </message>
    <message>
        <source>only in Tarnwick&apos;s: %1</source>
        <translation>seulement dans la copie de Tarnwick&#xa0;: %1</translation>
    </message>
    <message>
        <source>changed: %1</source>
        <translation>changé&#xa0;: %1</translation>
    </message>
    <message>
        <source>Only one of the two copies may be run as a program (its executable bit differs).</source>
        <translation>Une seule des deux copies peut être lancée comme programme (leur bit d’exécution diffère).</translation>
    </message>
    <message>
        <source>Not text: its differences are not shown.</source>
        <translation>Pas du texte&#xa0;: les différences ne sont pas affichées.</translation>
    </message>
    <message>
        <source>Larger than %1: its differences are not shown.</source>
        <translation>Plus de %1&#xa0;: les différences ne sont pas affichées.</translation>
    </message>
    <message>
        <source>A link or a special file: its differences are not shown.</source>
        <translation>Un lien ou un fichier spécial&#xa0;: les différences ne sont pas affichées.</translation>
    </message>
    <message>
        <source>yours: %1</source>
        <translation>votre copie&#xa0;: %1</translation>
    </message>
    <message>
        <source>Tarnwick&apos;s: %1</source>
        <translation>copie de Tarnwick&#xa0;: %1</translation>
    </message>
    <message>
        <source>as installed: %1</source>
        <translation>telle qu’installée&#xa0;: %1</translation>
    </message>
    <message>
        <source>Your changes since it was installed</source>
        <translation>Vos changements depuis l’installation</translation>
    </message>
    <message>
        <source>Tarnwick&apos;s changes since it was installed</source>
        <translation>Les changements de Tarnwick depuis l’installation</translation>
    </message>
    <message>
        <source>What was installed is not known, so each side&apos;s own changes cannot be told apart.</source>
        <translation>Ce qui a été installé n’est pas connu&#xa0;: les changements de chaque côté ne peuvent donc pas être distingués.</translation>
    </message>
    <message numerus="yes">
        <source>… and %n more lines, not shown.</source>
        <translation>
            <numerusform>… et %n autre ligne, non affichée.</numerusform>
            <numerusform>… et %n autres lignes, non affichées.</numerusform>
        </translation>
    </message>
    <message>
        <source>&apos;%1&apos; has no installed copy and a copy of Tarnwick&apos;s to compare.</source>
        <translation>«&#xa0;%1&#xa0;» n’a pas à la fois une copie installée et une copie de Tarnwick à comparer.</translation>
    </message>
    <message>
        <source>The copies of &apos;%1&apos; could not be read: %2</source>
        <translation>Les copies de «&#xa0;%1&#xa0;» n’ont pas pu être lues&#xa0;: %2</translation>
    </message>
    <message>
        <source>(nothing)</source>
        <translation>(rien)</translation>
    </message>
    <message>
        <source>At line %1, yours:
%2
Tarnwick&apos;s:
%3</source>
        <translation>À la ligne %1, votre copie&#xa0;:
%2
Celle de Tarnwick&#xa0;:
%3</translation>
    </message>
    <message>
        <source>At line %1 of &apos;%2&apos;, yours:
%3
Tarnwick&apos;s:
%4</source>
        <translation>À la ligne %1 de «&#xa0;%2&#xa0;», votre copie&#xa0;:
%3
Celle de Tarnwick&#xa0;:
%4</translation>
    </message>
    <message numerus="yes">
        <source>Tarnwick&apos;s updates of %1 merge cleanly into your edits: Merge installs both changes, and your copies go to the Trash.</source>
        <translation>
            <numerusform>La mise à jour de %1 par Tarnwick se fusionne proprement avec vos modifications&#xa0;: «&#xa0;Fusionner&#xa0;» installe les deux changements, et votre copie va à la corbeille.</numerusform>
            <numerusform>Les mises à jour de %1 par Tarnwick se fusionnent proprement avec vos modifications&#xa0;: «&#xa0;Fusionner&#xa0;» installe les deux changements, et vos copies vont à la corbeille.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>In %1 your changes and Tarnwick&apos;s collide: Merge keeps your edits there; Show Differences… on its row shows where.</source>
        <translation>
            <numerusform>Dans %1, vos changements et ceux de Tarnwick se contredisent&#xa0;: «&#xa0;Fusionner&#xa0;» y conserve vos modifications&#x202f;; «&#xa0;Afficher les différences…&#xa0;» sur la ligne du script montre où.</numerusform>
            <numerusform>Dans %1, vos changements et ceux de Tarnwick se contredisent&#xa0;: «&#xa0;Fusionner&#xa0;» y conserve vos modifications&#x202f;; «&#xa0;Afficher les différences…&#xa0;» sur la ligne de chaque script montre où.</numerusform>
        </translation>
    </message>
    <message>
        <source>Tarnwick&apos;s update merges cleanly into your edits: Merge installs both changes, and your copy goes to the Trash.</source>
        <translation>La mise à jour de Tarnwick se fusionne proprement avec vos modifications&#xa0;: «&#xa0;Fusionner&#xa0;» installe les deux changements, et votre copie va à la corbeille.</translation>
    </message>
    <message numerus="yes">
        <source>Your changes and Tarnwick&apos;s collide (conflicts: %n).</source>
        <translation>
            <numerusform>Vos changements et ceux de Tarnwick se contredisent (%n conflit).</numerusform>
            <numerusform>Vos changements et ceux de Tarnwick se contredisent (%n conflits).</numerusform>
        </translation>
    </message>
    <message>
        <source>Save Merge with Conflicts saves the merge, conflict markers and all, in %1 for you to finish by hand; nothing is installed.</source>
        <translation>«&#xa0;Enregistrer la fusion avec conflits&#xa0;» enregistre la fusion, marqueurs de conflit compris, dans %1 pour que vous la terminiez à la main&#x202f;; rien n’est installé.</translation>
    </message>
    <message>
        <source>It cannot be merged: both changed %1, which is not text.</source>
        <translation>Fusion impossible&#xa0;: les deux côtés ont changé %1, qui n’est pas du texte.</translation>
    </message>
    <message>
        <source>It cannot be merged: one copy is a file, the other a folder.</source>
        <translation>Fusion impossible&#xa0;: une copie est un fichier, l’autre un dossier.</translation>
    </message>
    <message>
        <source>It cannot be merged: one side removed %1, the other changed it.</source>
        <translation>Fusion impossible&#xa0;: un côté a supprimé %1, l’autre l’a changé.</translation>
    </message>
    <message>
        <source>It cannot be merged: the version that was installed was not kept.</source>
        <translation>Fusion impossible&#xa0;: la version installée n’a pas été conservée.</translation>
    </message>
    <message>
        <source>The merge of &apos;%1&apos; could not be saved: %2</source>
        <translation>La fusion de «&#xa0;%1&#xa0;» n’a pas pu être enregistrée&#xa0;: %2</translation>
    </message>
    <message>
        <source>The merge of &apos;%1&apos;, with conflict markers where your changes and Tarnwick&apos;s collide, is saved as %2. Finish it by hand, then put it in place of your copy.</source>
        <translation>La fusion de «&#xa0;%1&#xa0;», avec des marqueurs de conflit là où vos changements et ceux de Tarnwick se contredisent, est enregistrée sous %2. Terminez-la à la main, puis mettez-la à la place de votre copie.</translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>Fusionner</translation>
    </message>
    <message>
        <source>Save Merge with Conflicts</source>
        <translation>Enregistrer la fusion avec conflits</translation>
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
        <translation>L’installateur déjà lancé est occupé&#x202f;; cette demande attend son tour.</translation>
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
        <translation>le dossier des scripts utilisateur se trouve à l’intérieur</translation>
    </message>
    <message>
        <source>Tarnwick&apos;s scripts folder lies inside it</source>
        <translation>le dossier des scripts de Tarnwick se trouve à l’intérieur</translation>
    </message>
    <message>
        <source>the Trash is on another file system</source>
        <translation>la corbeille se trouve sur un autre système de fichiers</translation>
    </message>
    <message>
        <source>another program has held it for too long</source>
        <translation>un autre programme le garde verrouillé depuis trop longtemps</translation>
    </message>
    <message>
        <source>cannot open &quot;%1&quot;: %2</source>
        <translation>impossible d’ouvrir «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>cannot read &quot;%1&quot;: %2</source>
        <translation>impossible de lire «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>cannot write &quot;%1&quot;: %2</source>
        <translation>impossible d’écrire «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>cannot lock &quot;%1&quot;: %2</source>
        <translation>impossible de verrouiller «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>cannot list &quot;%1&quot;: %2</source>
        <translation>impossible de lister le contenu de «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>cannot find &quot;%1&quot;: %2</source>
        <translation>impossible de trouver «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>cannot copy &quot;%1&quot;: %2</source>
        <translation>impossible de copier «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>cannot write &quot;%1&quot; out to disk: %2</source>
        <translation>impossible d’écrire «&#xa0;%1&#xa0;» sur le disque&#xa0;: %2</translation>
    </message>
    <message>
        <source>cannot replace &quot;%1&quot;: %2</source>
        <translation>impossible de remplacer «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>cannot move &quot;%1&quot; to the Trash: %2</source>
        <translation>impossible de mettre «&#xa0;%1&#xa0;» à la corbeille&#xa0;: %2</translation>
    </message>
    <message>
        <source>cannot remove &quot;%1&quot;: %2</source>
        <translation>impossible de supprimer «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>a newer version wrote it</source>
        <translation>écrit par une version plus récente</translation>
    </message>
    <message>
        <source>the library is incomplete</source>
        <translation>il manque quelque chose à la bibliothèque</translation>
    </message>
</context>
<context>
    <name>WindowModule</name>
    <message>
        <source>the window cannot be shown: %1</source>
        <translation>la fenêtre ne peut pas être affichée&#xa0;: %1</translation>
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
        <translation>Le fichier de préférences n’a pas pu être écrit (%1). Ce choix vaut jusqu’à la fermeture de l’installateur de scripts TWK.</translation>
    </message>
    <message>
        <source>About TWK Script Installer</source>
        <translation>À propos de l’installateur de scripts TWK</translation>
    </message>
    <message>
        <source>&lt;b&gt;TWK Script Installer&lt;/b&gt; %1&lt;br&gt;Installs the scripts that come with Tarnwick into the folder where Tarnwick&apos;s menu runs them.</source>
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
        <source>Tarnwick&apos;s &amp;scripts:</source>
        <translation>&amp;Scripts de Tarnwick&#xa0;:</translation>
    </message>
    <message>
        <source>Tarnwick&apos;s scripts</source>
        <translation>Scripts de Tarnwick</translation>
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
    <message>
        <source>Press Return to install the selected script, Delete to move its installed copy to the Trash, Control+D to see how your copy differs from Tarnwick&apos;s, or the Menu key for all three</source>
        <translation>Entrée installe le script sélectionné, Suppr met sa copie installée à la corbeille, Ctrl+D montre en quoi votre copie diffère de celle de Tarnwick, et la touche Menu propose les trois</translation>
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
        <translation>Mettre à jour</translation>
    </message>
    <message>
        <source>Reinstall…</source>
        <translation>Réinstaller…</translation>
    </message>
    <message>
        <source>Show Differences…</source>
        <translation>Afficher les différences…</translation>
    </message>
</context>
</TS>
