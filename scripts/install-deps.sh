#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Tabulor
# need, and only those that are missing. Runs apt-get as root, or via sudo.
set -euo pipefail

packages=(
    cmake g++ ninja-build pkg-config make
    libtinyxml-dev
    qt6-base-dev
    libfluidsynth-dev timgm6mb-soundfont
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdotool imagemagick x11-utils
    desktop-file-utils appstream
    fonts-dejavu-core fonts-liberation
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
