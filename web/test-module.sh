#!/usr/bin/env bash
# The page's module, built and checked: web/deps.sh (GMP, MPFR and FLINT for
# WebAssembly, from its cache when there), web/module built with emscripten
# into build/web/quotalis.js (build tree build/wasm-module), its size, and
# web/tests/module_test.js under node, which answers the shared table of
# entries (web/tests/shared-entries.txt) and compares every answer with what
# the native quotalis-cli writes for the same. The native program is
# QUOTALIS_CLI, else build/test/cli/quotalis-cli, built when missing.
# The exit status is the test's. Steps and their times go to standard error.
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
module=build/web/quotalis.js
say "size: $(stat -c %s "$module") bytes, $(gzip -9 -c "$module" | wc -c) gzip'd"

cli=${QUOTALIS_CLI:-build/test/cli/quotalis-cli}
if [[ ! -x $cli ]]; then
  say "the native command line ($cli)"
  cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
  cmake --build build/test --parallel "$JOBS" --target quotalis-cli quotalis_catalogs >&2
fi
say "node web/tests/module_test.js"
node web/tests/module_test.js "$module" "$cli" web/tests/shared-entries.txt
