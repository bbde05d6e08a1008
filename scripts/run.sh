#!/usr/bin/env bash
# Sets up, builds and runs the main job on the bundled demo well.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

OUT="$BUILD/demo-roundtrip.tvk"
"$BUILD/src/tarvik" --save-as "$OUT" "$ROOT/data/demo.tvk"
if cmp -s "$OUT" "$ROOT/data/demo.tvk"; then
    echo "Loaded data/demo.tvk and saved it again as $OUT: identical, byte for byte."
else
    echo "The saved copy $OUT differs from data/demo.tvk." >&2
    exit 1
fi
