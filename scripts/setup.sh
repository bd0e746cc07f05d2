#!/usr/bin/env bash
# One command for each way of using the project:
#   scripts/setup.sh run    install the dependencies, build, install the runtime package, start the editor
#   scripts/setup.sh test   install the dependencies, build, run every test
#   scripts/setup.sh build  install the dependencies and build
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${TARVEL_BUILD_DIR:-$root/build}"
mode=${1:-run}

"$root/scripts/install-deps.sh"

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$jobs"

case "$mode" in
build) ;;
test)
    ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 600
    ;;
run)
    "$build/bin/tarvel-cli" install-rtp
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "No display found: starting the editor under xvfb-run (nothing will be visible)." >&2
        exec xvfb-run -a -s "-screen 0 1280x800x24" "$build/bin/tarvel"
    fi
    exec "$build/bin/tarvel"
    ;;
*)
    echo "usage: scripts/setup.sh run|test|build" >&2
    exit 2
    ;;
esac
