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
# Xvfb picks a free display and writes its number once it listens.
exec {server}< <(exec Xvfb -displayfd 1 -screen 0 800x600x24 -nolisten tcp 2>/dev/null)
xvfb=$!
read -r -t 10 -u "$server" number || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=":$number" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$runtime" "$build/doc/quotalis-screenshots" doc
echo "written: doc/main-window.png doc/usage.png doc/about.png"
