#!/usr/bin/env bash
# Installs everything Tarvel needs to build, run and test on Debian 12, as root or through sudo.
set -euo pipefail

packages=(
    # compiler and build
    g++ cmake ninja-build ccache pkg-config
    # user interface and platform
    qt6-base-dev qt6-base-dev-tools libgl-dev fonts-dejavu-core
    # pictures
    zlib1g-dev libimagequant-dev
    # libpng only as the peer the PNG benchmark compares our codec with (never linked into the editor)
    libpng-dev
    # sound library: MIDI through FluidSynth with a General MIDI soundfont, WAV and mixing through SDL2
    libfluidsynth-dev libsdl2-dev timgm6mb-soundfont
    # JSON in tarvel-cli
    nlohmann-json3-dev
    # tests and benchmarks
    libgtest-dev libgmock-dev libbenchmark-dev
    # fuzzing (clang with libFuzzer)
    clang libclang-rt-14-dev
    # a real window for screenshots; peers that tests compare our files with
    xvfb xauth lhasa python3-pil imagemagick
    # Tiled's tmxrasterizer, only the peer that bench/render_map_vs_tiled.py runs beside render-map
    tiled
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null; then
    as_root=(sudo)
else
    echo "install-deps: run as root or install sudo; missing: ${missing[*]}" >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
