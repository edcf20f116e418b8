#!/usr/bin/env bash
# Builds the page's module, build/web/quotalis.js (web/README.md), from
# web/module with emscripten (build tree build/wasm-module), after web/deps.sh
# (GMP, MPFR and FLINT for WebAssembly, from its cache when there), and says
# its size raw and gzip'd on standard error. The path of the module is the
# one line on standard output.
set -euo pipefail
cd "$(dirname "$0")/.."

JOBS=$(nproc 2>/dev/null || echo 2)
say() { echo "== $*" >&2; }

PREFIX=$(web/deps.sh)
# Debian's emscripten finds its JavaScript modules there (see web/deps.sh).
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

out=build/wasm-module
if [[ -f $out/CMakeCache.txt ]] && ! grep -qxF "CMAKE_FIND_ROOT_PATH:UNINITIALIZED=$PREFIX" "$out/CMakeCache.txt"; then
  rm -rf "$out"
fi
start=$SECONDS
say "the page's module (build/web/quotalis.js)"
emcmake cmake -S web/module -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DCMAKE_FIND_ROOT_PATH="$PREFIX" -DQUOTALIS_WEB_DIR="$PWD/build/web" >&2
cmake --build "$out" --parallel "$JOBS" >&2
module=build/web/quotalis.js
say "the page's module: $((SECONDS - start)) s, $(stat -c %s "$module") bytes, $(gzip -9 -c "$module" | wc -c) gzip'd"
echo "$module"
