<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>HeadlessInstall</name>
    <message numerus="yes">
        <source>%1 of %n scripts installed into %3</source>
        <translation>
            <numerusform>%1 of %n script installed into %3</numerusform>
            <numerusform>%1 of %n scripts installed into %3</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message numerus="yes">
        <source>Tarnwick&apos;s updates were merged into your edits of %n scripts.</source>
        <translation>
            <numerusform>Tarnwick&apos;s update was merged into your edits of %n script.</numerusform>
            <numerusform>Tarnwick&apos;s updates were merged into your edits of %n scripts.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Your edits to %n scripts were kept.</source>
        <translation>
            <numerusform>Your edits to %n script were kept.</numerusform>
            <numerusform>Your edits to %n scripts were kept.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A folder of %Ln files, %2 in all.</source>
        <translation>
            <numerusform>A folder of %Ln file, %2 in all.</numerusform>
            <numerusform>A folder of %Ln files, %2 in all.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n more</source>
        <translation>
            <numerusform>%n more</numerusform>
            <numerusform>%n more</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>You edited the installed copies of %1. Keep your edits, or replace them with Tarnwick&apos;s copies? Copies that are replaced go to the Trash, where you can restore them.</source>
        <translation>
            <numerusform>You edited the installed copy of %1. Keep your edits, or replace them with Tarnwick&apos;s copy? A copy that is replaced goes to the Trash, where you can restore it.</numerusform>
            <numerusform>You edited the installed copies of %1. Keep your edits, or replace them with Tarnwick&apos;s copies? Copies that are replaced go to the Trash, where you can restore them.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> and %n more</source>
        <translation>
            <numerusform> and %n more</numerusform>
            <numerusform> and %n more</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n scripts could not be installed: %2. See the system log for details.</source>
        <translation>
            <numerusform>%1 of %n script could not be installed: %2. See the system log for details.</numerusform>
            <numerusform>%1 of %n scripts could not be installed: %2. See the system log for details.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>… and %n more lines, not shown.</source>
        <translation>
            <numerusform>… and %n more line, not shown.</numerusform>
            <numerusform>… and %n more lines, not shown.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Tarnwick&apos;s updates of %1 merge cleanly into your edits: Merge installs both changes, and your copies go to the Trash.</source>
        <translation>
            <numerusform>Tarnwick&apos;s update of %1 merges cleanly into your edits: Merge installs both changes, and your copy goes to the Trash.</numerusform>
            <numerusform>Tarnwick&apos;s updates of %1 merge cleanly into your edits: Merge installs both changes, and your copies go to the Trash.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>In %1 your changes and Tarnwick&apos;s collide: Merge keeps your edits there; Show Differences… on its row shows where.</source>
        <translation>
            <numerusform>In %1 your changes and Tarnwick&apos;s collide: Merge keeps your edits there; Show Differences… on its row shows where.</numerusform>
            <numerusform>In %1 your changes and Tarnwick&apos;s collide: Merge keeps your edits there; Show Differences… on its row shows where.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Your changes and Tarnwick&apos;s collide (conflicts: %n).</source>
        <translation>
            <numerusform>Your changes and Tarnwick&apos;s collide (conflicts: %n).</numerusform>
            <numerusform>Your changes and Tarnwick&apos;s collide (conflicts: %n).</numerusform>
        </translation>
    </message>
</context>
</TS>
