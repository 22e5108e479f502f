#!/usr/bin/env bash
# Installs what is missing for building and testing, builds Tabulor with
# AddressSanitizer and UndefinedBehaviorSanitizer, and runs the whole test
# suite.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh --test
build=${TABULOR_TEST_BUILD:-build-test}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTABULOR_SANITIZE=ON
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
