#!/usr/bin/env bash
# Installs what the build needs (Debian 12 packages) and builds into build/.
# Sourced by run.sh and test.sh.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"

PACKAGES=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-svg-dev libgl-dev libx11-dev
    libpng-dev libjpeg-dev libtiff-dev zlib1g-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    fontconfig fonts-liberation2 fonts-dejavu-core
    xvfb xauth
    desktop-file-utils appstream shared-mime-info man-db dpkg-dev file
)

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVIK_WERROR=ON >/dev/null
cmake --build "$BUILD" -j "$(nproc)"
