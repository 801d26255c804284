#!/bin/sh
# Builds the .deb from a configured build folder, checks what it installs, and has lintian
# (pedantic) find nothing to say.
#   check-package.sh BUILD_DIR
set -eu
build=$1
top=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/*.deb)
contents=$(dpkg-deb -c "$deb" | awk '{ print $NF }')
status=0
for path in \
    ./usr/bin/twk-script-installer \
    ./usr/lib/twk-script-installer/window.so \
    ./usr/share/applications/org.tarnwick.ScriptInstaller.desktop \
    ./usr/share/dbus-1/services/org.tarnwick.ScriptInstaller.service \
    ./usr/share/icons/hicolor/scalable/apps/org.tarnwick.ScriptInstaller.svg \
    ./usr/share/metainfo/org.tarnwick.ScriptInstaller.metainfo.xml \
    ./usr/share/man/man1/twk-script-installer.1.gz \
    ./usr/share/bash-completion/completions/twk-script-installer \
    ./usr/share/doc/twk-script-installer/copyright \
    ./usr/share/doc/twk-script-installer/changelog.gz; do
    if ! printf '%s\n' "$contents" | grep -qx "$path"; then
        echo "missing from the package: $path"; status=1
    fi
done
# Nothing of the tests, benchmarks or demo is shipped.
if printf '%s\n' "$contents" | grep -E 'test|bench|demo'; then
    echo "the package ships files it should not"; status=1
fi
dpkg-deb -e "$deb" "$out/control"
grep -q 'update-desktop-database' "$out/control/postinst" || { echo "postinst does not refresh the desktop database"; status=1; }
grep -q '^Depends:.*libqt6widgets6' "$out/control/control" || { echo "no dependency on Qt Widgets"; status=1; }
grep -q '^Depends:.*libqt6svg6' "$out/control/control" || { echo "no dependency on Qt's SVG plugin for the icon"; status=1; }
dpkg-deb -x "$deb" "$out/root"
# A terminal run loads no display library: only the window module links them.
if readelf -d "$out/root/usr/bin/twk-script-installer" | grep -E 'NEEDED.*(Qt6Gui|Qt6Widgets|X11|xcb|fontconfig)'; then
    echo "the program itself links display libraries"; status=1
fi
grep -qx "Exec=/usr/bin/twk-script-installer --gapplication-service" "$out/root/usr/share/dbus-1/services/org.tarnwick.ScriptInstaller.service" \
    || { echo "the D-Bus service file does not start the installed program"; status=1; }
if ! lintian --pedantic --fail-on error,warning,info,pedantic \
        --suppress-tags-from-file "$top/scripts/lintian-overrides" "$deb" >"$out/lintian.log" 2>&1; then
    grep -v 'running with root privileges' "$out/lintian.log"; status=1
fi
[ $status = 0 ] && echo "package contents: ok"
exit $status
