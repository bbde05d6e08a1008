#!/usr/bin/env bash
# Sets up, builds and runs the main job: the window on the bundled demo well, or,
# without a display, an export of the demo plot to a PNG.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$BUILD/src/tarvik" "$ROOT/data/demo.tvk"
fi
OUT="$BUILD/demo.png"
"$BUILD/src/tarvik" --export "$OUT" --dpi 150 "$ROOT/data/demo.tvk"
echo "No display: drew the demo well (data/demo.tvk) into $OUT"
