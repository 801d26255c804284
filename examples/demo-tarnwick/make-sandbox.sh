#!/bin/sh
# Lays out a private desktop in DIR in which the demo Tarnwick is installed and handles
# twkrelaunch URLs, exactly as GIO would find a real one. Prints the environment to use:
#   eval "$(examples/demo-tarnwick/make-sandbox.sh DIR)"
# Options: --no-tarnwick (no handler at all), --missing-bundle (the handler's Path does not
# exist), --file-browser (also record folders opened, as inode/directory handler),
# --no-user-folder (the user scripts folder that Tarnwick's extension makes is missing),
# --service PROGRAM (the session bus may start PROGRAM as the installer: D-Bus activation).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
dir=$1; shift
tarnwick=yes; bundle_ok=yes; browser=no; user_folder=yes; service=""
while [ $# -gt 0 ]; do
    option=$1; shift
    case $option in
        --service) service=$1; shift ;;
        --no-tarnwick) tarnwick=no ;;
        --missing-bundle) bundle_ok=no ;;
        --file-browser) browser=yes ;;
        --no-user-folder) user_folder=no ;;
        *) echo "make-sandbox: unknown option $option" >&2; exit 2 ;;
    esac
done
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
home=$dir/home
data=$home/.local/share
config=$home/.config
apps=$data/applications
mkdir -p "$home" "$apps" "$config" "$home/.cache" "$dir/runtime" "$dir/share"
chmod 700 "$dir/runtime"
if [ "$user_folder" = yes ]; then
    mkdir -p "$home/Library/Application Scripts/org.tarnwick.Tarnwick.MenuExtension"
fi
record=$dir/tarnwick-received.log
: > "$record"

bundle=$dir/Tarnwick.app
if [ "$bundle_ok" = yes ]; then
    rm -rf "$bundle"
    cp -a "$here/Tarnwick.app" "$bundle"
else
    bundle=$dir/Missing/Tarnwick.app
fi
cp "$here/tarnwick-demo" "$dir/tarnwick-demo"

if [ "$tarnwick" = yes ]; then
    cat > "$apps/org.tarnwick.Tarnwick.desktop" <<DESKTOP
[Desktop Entry]
Type=Application
Name=Tarnwick (demo)
Exec=env TWK_DEMO_RECORD=$record $dir/tarnwick-demo %u
Path=$bundle
MimeType=x-scheme-handler/twkrelaunch;
NoDisplay=true
DESKTOP
    printf '[Default Applications]\nx-scheme-handler/twkrelaunch=org.tarnwick.Tarnwick.desktop\n' > "$config/mimeapps.list"
else
    : > "$config/mimeapps.list"
fi
if [ "$browser" = yes ]; then
    cat > "$apps/demo-file-browser.desktop" <<DESKTOP
[Desktop Entry]
Type=Application
Name=File browser (demo)
Exec=env TWK_DEMO_RECORD=$dir/folders-opened.log $dir/tarnwick-demo %u
MimeType=inode/directory;
NoDisplay=true
DESKTOP
    printf 'inode/directory=demo-file-browser.desktop\n' >> "$config/mimeapps.list"
    : > "$dir/folders-opened.log"
fi

if [ -n "$service" ]; then
    mkdir -p "$data/dbus-1/services"
    printf '[D-BUS Service]\nName=org.tarnwick.ScriptInstaller\nExec=%s --gapplication-service\n' \
        "$service" > "$data/dbus-1/services/org.tarnwick.ScriptInstaller.service"
fi

cat <<ENV
export HOME='$home'
export XDG_DATA_HOME='$data'
export XDG_CONFIG_HOME='$config'
export XDG_CACHE_HOME='$home/.cache'
export XDG_STATE_HOME='$home/.local/state'
export XDG_DATA_DIRS='$dir/share'
export XDG_CONFIG_DIRS='$dir/share'
export XDG_RUNTIME_DIR='$dir/runtime'
export TWK_DEMO_RECORD='$record'
ENV
