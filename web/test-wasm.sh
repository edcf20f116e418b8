#!/usr/bin/env bash
# The exact library as WebAssembly, checked: web/deps.sh (GMP, MPFR and FLINT
# for WebAssembly, from its cache when there), the library alone as a web page
# will take it (build/wasm-exact), and its own tests built with emscripten
# (build/wasm-tests) and run under node; then the page's module
# (web/test-module.sh). The exit status is the tests'.
# Steps and their times go to standard error.
set -euo pipefail
cd "$(dirname "$0")/.."

JOBS=$(nproc 2>/dev/null || echo 2)
say() { echo "== $*" >&2; }
timed() {  # name, command...: the command's status
  local name=$1 start=$SECONDS status=0
  shift
  say "$name"
  "$@" || status=$?
  say "$name: $((SECONDS - start)) s"
  return "$status"
}

PREFIX=$(web/deps.sh)
# Debian's emscripten finds its JavaScript modules there (see web/deps.sh).
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

# Configures and builds; a tree configured for another cache folder is
# started afresh.
build() {  # source folder, build folder
  if [[ -f $2/CMakeCache.txt ]] && ! grep -qxF "CMAKE_FIND_ROOT_PATH:UNINITIALIZED=$PREFIX" "$2/CMakeCache.txt"; then
    rm -rf "$2"
  fi
  emcmake cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_FIND_ROOT_PATH="$PREFIX" >&2 &&
    cmake --build "$2" --parallel "$JOBS" >&2
}
timed "the exact library for WebAssembly (build/wasm-exact)" build exact build/wasm-exact
timed "its tests for WebAssembly (build/wasm-tests)" build web/tests build/wasm-tests

failed=()
for program in exact_tests exact_notation_tests; do
  timed "node build/wasm-tests/$program.js" node "build/wasm-tests/$program.js" || failed+=("$program")
done
timed "the page's module (web/test-module.sh)" web/test-module.sh || failed+=(module_test)
if ((${#failed[@]})); then
  echo "web/test-wasm.sh: failed under node: ${failed[*]}" >&2
  exit 1
fi
say "the exact library's tests and the page's module pass as WebAssembly"
