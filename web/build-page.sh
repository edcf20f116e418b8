#!/usr/bin/env bash
# The web page, built into build/web: web/deps.sh (GMP, MPFR and FLINT for
# WebAssembly, from its cache when there), the module (web/module, build tree
# build/wasm-module) as build/web/quotalis.js, and the page's own files
# (web/page) beside it. build/web/index.html then opens from any static
# server or straight from disk. Prints the folder; steps go to standard error.
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
say "the page's module: $((SECONDS - start)) s"

# Only the page's files: the stand-in module of the tests never goes there.
cp web/page/index.html web/page/style.css web/page/words.js web/page/worker.js web/page/main.js build/web/
gzipped=0
for f in build/web/*; do gzipped=$((gzipped + $(gzip -9 -c "$f" | wc -c))); done
say "the page: build/web/index.html, $gzipped bytes gzip'd"
echo "$PWD/build/web"
