#!/usr/bin/env bash
# Makes the README's screenshots (doc/*.png) of the real windows under Xvfb.
# Needs what ./build.sh test installs, plus Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/screenshots
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DQUOTALIS_SCREENSHOTS=ON
cmake --build "$build" --target quotalis-screenshots

runtime=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$runtime"' EXIT
Xvfb :91 -screen 0 800x600x24 -nolisten tcp &
xvfb=$!
for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X91 ]] && break; sleep 0.1; done
DISPLAY=:91 QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$runtime" "$build/doc/quotalis-screenshots" doc
echo "written: doc/main-window.png doc/usage.png doc/about.png"
