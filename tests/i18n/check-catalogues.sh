#!/bin/sh
# Fails while a catalogue lacks a translation of a text the program shows, or keeps one of
# a text it no longer has; and while the desktop entry or the metainfo lacks a language.
#   check-catalogues.sh SOURCE_DIR LUPDATE
set -eu
top=$1; lupdate=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for ts in "$top"/i18n/*.ts; do
    cp "$ts" "$work/"
done
# English, the texts' own language, has a catalogue of plural forms only.
sources="app installer platform support"
(cd "$top" && "$lupdate" -silent -locations none -I "$top" $sources \
    -ts $(ls "$work"/*.ts | grep -v '_en\.ts$'))
(cd "$top" && "$lupdate" -silent -pluralonly -locations none -I "$top" $sources \
    -ts "$work"/twk-script-installer_en.ts)
for ts in "$work"/*.ts; do
    name=$(basename "$ts")
    for kind in unfinished vanished obsolete; do
        count=$(grep -c "type=\"$kind\"" "$ts" || true)
        if [ "$count" != 0 ]; then
            echo "$name: $count $kind entries"; status=1
        fi
    done
    empty=$(grep -c -e '<numerusform></numerusform>' -e '<numerusform/>' "$ts" || true)
    if [ "$empty" != 0 ]; then
        echo "$name: $empty plural forms left empty"; status=1
    fi
    language=${name#twk-script-installer_}; language=${language%.ts}
    [ "$language" = en ] && continue # the desktop entry's and metainfo's own texts
    grep -q "^Name\[$language\]=" "$top/data/org.tarnwick.ScriptInstaller.desktop" || { echo "desktop entry: no Name[$language]"; status=1; }
    grep -q "^Comment\[$language\]=" "$top/data/org.tarnwick.ScriptInstaller.desktop" || { echo "desktop entry: no Comment[$language]"; status=1; }
    grep -q "<summary xml:lang=\"$language\">" "$top/data/org.tarnwick.ScriptInstaller.metainfo.xml" || { echo "metainfo: no summary in $language"; status=1; }
done
[ $status = 0 ] && echo "catalogues: complete"
exit $status
