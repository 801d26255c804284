#!/bin/sh
# make run: the installer against the demo Tarnwick, in a sandbox under BUILD/demo that
# never touches the real home folder. With a display the window opens; without one the
# bulk install runs headless and screenshots of the window and its sheets are saved.
set -eu
build=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
demo=$top/$build/demo
rm -rf "$demo/sandbox"
mkdir -p "$demo"
eval "$("$top/examples/demo-tarnwick/make-sandbox.sh" "$demo/sandbox" --file-browser)"
installer=$top/$build/bin/twk-script-installer

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "Sandbox: $demo/sandbox (HOME=$HOME)"
    echo "Opening the installer window against the demo Tarnwick..."
    # A private session bus, so a real instance elsewhere never receives the demo's requests.
    exec dbus-run-session -- "$installer"
fi

echo "No display: installing every demo script headless."
echo "Sandbox: $demo/sandbox"
"$installer" --install-all
echo
echo "Installed into $HOME/Library/Application Scripts/org.tarnwick.Tarnwick.MenuExtension:"
ls -A "$HOME/Library/Application Scripts/org.tarnwick.Tarnwick.MenuExtension" | sed 's/^/  /'
echo
QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='*.warning=false' \
    "$top/$build/bin/twk-demo-screenshots" "$demo"
