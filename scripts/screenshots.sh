#!/usr/bin/env bash
# Makes the pictures of docs/guide.md from the built program, on a virtual display:
# the demo well, a public LAS sample and the dialogs a user meets first.
#   scripts/screenshots.sh [BUILD_DIR]
# Needs xvfb, xdotool and imagemagick (apt-get install xvfb xdotool imagemagick).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${1:-$ROOT/build}"
TARVIK="$BUILD/src/tarvik"
OUT="$ROOT/docs/images"
for tool in Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing" >&2; exit 1; }
done
[ -x "$TARVIK" ] || { echo "screenshots: build the program first ($TARVIK)" >&2; exit 1; }
mkdir -p "$OUT"

WORK="$(mktemp -d)"
export DISPLAY=:$((90 + RANDOM % 100))
Xvfb "$DISPLAY" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
APP=""
cleanup() {
    [ -n "$APP" ] && kill "$APP" 2>/dev/null || true
    kill "$XVFB" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT
export HOME="$WORK" XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK"
sleep 1

# Starts the program on a file and waits for a window whose title matches.
start() {
    "$TARVIK" "$1" >/dev/null 2>&1 &
    APP=$!
    wait_for "$2"
}
stop() {
    kill "$APP" 2>/dev/null || true
    wait "$APP" 2>/dev/null || true
    APP=""
}
wait_for() {
    for _ in $(seq 50); do
        WIN="$(xdotool search --name "$1" 2>/dev/null | tail -n 1 || true)"
        [ -n "$WIN" ] && { sleep 0.7; return 0; }
        sleep 0.2
    done
    echo "screenshots: no window \"$1\"" >&2
    exit 1
}
# A window's picture, at most WIDTH pixels wide, in 64 colours: small and sharp.
shoot() {
    import -window "$1" "$WORK/shot.png"
    convert "$WORK/shot.png" ${3:+-crop "$3" +repage} -resize "${4:-900}x>" -colors 64 "$OUT/$2"
    echo "  $OUT/$2"
}
focus() {
    xdotool windowfocus --sync "$1" 2>/dev/null || true
}

echo "screenshots into $OUT"
# The main window on the demo well, and its lithology column with formation tops.
start "$ROOT/data/demo.tvk" "demo.tvk - Tarvik"
MAIN="$WIN"
xdotool windowsize "$MAIN" 1100 820
sleep 0.7
shoot "$MAIN" main-window.png
shoot "$MAIN" lithology.png "420x560+160+100" 420

# A track's properties: double-click the GR curve.
focus "$MAIN"
xdotool mousemove --window "$MAIN" 480 400 click --repeat 2 --delay 80 1
wait_for "Properties|Track|GR"
shoot "$WIN" properties.png "" 700
xdotool key Escape
sleep 0.5

# Print preview, from the File menu.
focus "$MAIN"
xdotool key --window "$MAIN" alt+f
sleep 0.4
xdotool key v
wait_for "Print Preview|Preview"
shoot "$WIN" print-preview.png "" 800
stop

# The curves of a public LAS sample, a few ticked.
start "$ROOT/tests/data/las/6038187_v1.2_short.las" "Select Logs"
focus "$WIN"
for _ in 1 2 3 4; do xdotool key --window "$WIN" Down; done
xdotool key --window "$WIN" space Down Down space Down space
sleep 0.4
shoot "$WIN" las-curves.png "" 600
stop

# An exported page, as `tarvik --export` writes it.
"$TARVIK" --export "$WORK/export.png" --dpi 96 "$ROOT/data/demo.tvk"
convert "$WORK/export.png" -resize "600x>" -colors 64 "$OUT/export.png"
echo "  $OUT/export.png"
