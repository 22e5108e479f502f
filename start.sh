#!/usr/bin/env bash
# Installs what is missing for building and running, builds Tabulor and
# starts it through its `tabulor` launcher, run from a tree in the build
# folder laid out as an installed one: the launcher prepares the working
# folder (default ~/Tabulor, or $TABULOR_HOME), putting the chord file and the
# help image there when they are not there yet; a chord file the user has
# saved there is never overwritten.
set -euo pipefail
repo=$(cd "$(dirname "$0")" && pwd)
cd "$repo"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTABULOR_BUILD_TESTS=OFF -DTABULOR_BUILD_BENCH=OFF
cmake --build build --target tabulor_run_tree -j"$(nproc)"
exec "$repo/build/desktop/run/bin/tabulor"
