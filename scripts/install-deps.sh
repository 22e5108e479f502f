#!/usr/bin/env bash
# Installs the Debian packages Tabulor needs, only those that are missing.
# Runs apt-get as root, or via sudo.
#
#   scripts/install-deps.sh          building and running (./start.sh)
#   scripts/install-deps.sh --test   and the test suite and benchmarks (./test.sh)
#   scripts/install-deps.sh --fuzz   and clang with libFuzzer (the fuzz target)
#
# The options may be combined.
set -euo pipefail

# Building and running the program.
run_packages=(
    cmake g++ ninja-build pkg-config make
    libtinyxml-dev
    qt6-base-dev
    libfluidsynth-dev
    timgm6mb-soundfont          # the General MIDI SoundFont of MIDI device 0
    fonts-dejavu-core fonts-liberation
    # Help hands the picture to xdg-open, which needs an image viewer: a
    # desktop has one, a minimal system gets gpicview.
    xdg-utils gpicview
)

# What the tests and benchmarks add.
test_packages=(
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb                        # the end-to-end tests' X display
    xdotool                     # their key presses and clicks
    imagemagick                 # their screenshots
    desktop-file-utils appstream  # validating the installed desktop entry and metainfo
)

# What the fuzz target adds.
fuzz_packages=(
    clang libclang-rt-dev       # libFuzzer and the sanitizers' runtime
    libomp-dev                  # OpenMP for clang (FluidSynth's loading uses it)
)

packages=("${run_packages[@]}")
for option in "$@"; do
    case $option in
        --test) packages+=("${test_packages[@]}") ;;
        --fuzz) packages+=("${fuzz_packages[@]}") ;;
        *) echo "usage: $0 [--test] [--fuzz]" >&2; exit 2 ;;
    esac
done

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
