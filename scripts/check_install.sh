#!/usr/bin/env bash
# Installs the built program into a temporary prefix and checks what a desktop
# needs of it, then builds the Debian package and checks what it holds.
#   scripts/check_install.sh BUILD_DIR
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${1:-$ROOT/build}"
PREFIX="$(mktemp -d)/usr"
trap 'rm -rf "$(dirname "$PREFIX")"' EXIT

cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null
share="$PREFIX/share"
for f in bin/tarvik share/tarvik/lithologies.ini share/tarvik/LithImages/sandstone.bmp \
         share/applications/tarvik.desktop share/mime/packages/tarvik.xml \
         share/metainfo/org.tarvik.Tarvik.metainfo.xml share/icons/hicolor/scalable/apps/tarvik.svg \
         share/icons/hicolor/48x48/apps/tarvik.png share/icons/hicolor/256x256/apps/tarvik.png \
         share/man/man1/tarvik.1 share/doc/tarvik/guide.md; do
    [ -e "$PREFIX/$f" ] || { echo "install: $f is missing" >&2; exit 1; }
done
desktop-file-validate "$share/applications/tarvik.desktop"
appstreamcli validate --no-net --pedantic "$share/metainfo/org.tarvik.Tarvik.metainfo.xml" >/dev/null
update-mime-database "$share/mime"
grep -q 'application/x-las-well-log' "$share/mime/globs2"
grep -q 'application/x-tarvik-document' "$share/mime/globs2"
MANWIDTH=80 man -l "$share/man/man1/tarvik.1" | grep -q 'EXIT STATUS'

# The installed program finds its lithology library in share/tarvik: the demo's
# lithology column comes out as the build tree's program draws it.
out="$(dirname "$PREFIX")"
"$PREFIX/bin/tarvik" --export "$out/installed.png" "$ROOT/data/demo.tvk"
"$BUILD/src/tarvik" --export "$out/built.png" "$ROOT/data/demo.tvk"
cmp -s "$out/installed.png" "$out/built.png" || { echo "install: the installed program draws differently" >&2; exit 1; }
"$PREFIX/bin/tarvik" --version | grep -q '^Tarvik 3.7$'

# The Debian package.
(cd "$BUILD" && cpack -G DEB >/dev/null)
deb="$(ls "$BUILD"/tarvik_*_*.deb | head -n 1)"
contents="$(dpkg-deb -c "$deb")"
for f in ./usr/bin/tarvik ./usr/share/tarvik/lithologies.ini ./usr/share/applications/tarvik.desktop \
         ./usr/share/mime/packages/tarvik.xml ./usr/share/man/man1/tarvik.1; do
    grep -q " $f\$" <<<"$contents" || { echo "package: $f is missing" >&2; exit 1; }
done
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || { echo "package: no Qt dependency" >&2; exit 1; }
echo "Install tree and package are complete: $(basename "$deb")"
