#!/usr/bin/env bash
# Sets up, builds and runs the main job on the bundled demo well: until the window
# exists, an export of the demo plot to a PNG.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

OUT="$BUILD/demo.png"
"$BUILD/src/tarvik" --export "$OUT" --dpi 150 "$ROOT/data/demo.tvk"
echo "Drew the demo well (data/demo.tvk) into $OUT"
