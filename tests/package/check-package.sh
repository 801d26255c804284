#!/bin/sh
# Builds the .deb from a configured build folder and checks what it installs.
#   check-package.sh BUILD_DIR
set -eu
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/*.deb)
contents=$(dpkg-deb -c "$deb" | awk '{ print $NF }')
prefix=.$(printf '%s\n' "$contents" | sed -n 's|^\.\(.*\)/bin/twk-script-installer$|\1|p')
status=0
for path in \
    "$prefix/bin/twk-script-installer" \
    "$prefix/share/applications/org.tarnwick.ScriptInstaller.desktop" \
    "$prefix/share/dbus-1/services/org.tarnwick.ScriptInstaller.service" \
    "$prefix/share/icons/hicolor/scalable/apps/org.tarnwick.ScriptInstaller.svg" \
    "$prefix/share/metainfo/org.tarnwick.ScriptInstaller.metainfo.xml" \
    "$prefix/share/man/man1/twk-script-installer.1.gz" \
    "$prefix/share/bash-completion/completions/twk-script-installer" \
    "$prefix/share/doc/twk-script-installer/copyright" \
    "$prefix/share/doc/twk-script-installer/changelog.gz"; do
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
dpkg-deb -x "$deb" "$out/root"
service=$out/root/${prefix#.}/share/dbus-1/services/org.tarnwick.ScriptInstaller.service
grep -qx "Exec=${prefix#.}/bin/twk-script-installer" "$service" \
    || { echo "the D-Bus service file does not start the installed program"; status=1; }
[ $status = 0 ] && echo "package contents: ok"
exit $status
