#!/usr/bin/env bash
# Installs what is missing for building and running, builds Tabulor and
# starts it in its working folder (default ~/Tabulor, or $TABULOR_HOME). The
# chord file and the help image are put there when they are not there yet; a
# chord file the user has saved there is never overwritten.
set -euo pipefail
repo=$(cd "$(dirname "$0")" && pwd)
cd "$repo"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTABULOR_BUILD_TESTS=OFF -DTABULOR_BUILD_BENCH=OFF
cmake --build build --target tabulor -j"$(nproc)"

workdir=${TABULOR_HOME:-$HOME/Tabulor}
mkdir -p "$workdir"
for f in Tabulor.xml TabulorHelp.gif; do
    [ -e "$workdir/$f" ] || cp "data/$f" "$workdir/$f"
done
cd "$workdir"
exec "$repo/build/app/tabulor"
