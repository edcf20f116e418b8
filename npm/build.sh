#!/usr/bin/env bash
# Builds the npm package quotalis (npm/README.md) in build/npm: its engine,
# engine.js, from web/module with emscripten (target quotalis_npm, in the page
# module's build tree build/wasm-module, after web/deps.sh), the package's
# files beside it in build/npm/package, its version the project's (the
# top-level CMakeLists.txt), and the tarball `npm pack` makes of it. The path
# of the .tgz is the one line on standard output; its size, packed and
# unpacked, goes to standard error.
set -euo pipefail
cd "$(dirname "$0")/.."

JOBS=$(nproc 2>/dev/null || echo 2)
NODE=${QUOTALIS_NODE:-/usr/bin/node}
NPM=${QUOTALIS_NPM:-/usr/bin/npm}
say() { echo "== $*" >&2; }

PREFIX=$(web/deps.sh)
# Debian's emscripten finds its JavaScript modules there (see web/deps.sh).
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

out=build/wasm-module
if [[ -f $out/CMakeCache.txt ]] && ! grep -qxF "CMAKE_FIND_ROOT_PATH:UNINITIALIZED=$PREFIX" "$out/CMakeCache.txt"; then
  rm -rf "$out"
fi
start=$SECONDS
say "the npm package's engine (build/npm/package/engine.js)"
emcmake cmake -S web/module -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DCMAKE_FIND_ROOT_PATH="$PREFIX" -DQUOTALIS_WEB_DIR="$PWD/build/web" \
  -DQUOTALIS_NPM_DIR="$PWD/build/npm/engine" >&2
cmake --build "$out" --parallel "$JOBS" --target quotalis_npm >&2
say "the engine: $((SECONDS - start)) s"

version=$(sed -n '/^project(quotalis/,/)/s/^ *VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "npm/build.sh: no version in CMakeLists.txt" >&2; exit 1; }

package=build/npm/package
rm -rf "$package"
mkdir -p "$package"
cp npm/index.js npm/index.d.ts npm/README.md LICENSE build/npm/engine/engine.js "$package/"
# package.json with the project's version, written nowhere else.
"$NODE" -e '
  const fs = require("fs");
  const [from, to, version] = process.argv.slice(1);
  const p = JSON.parse(fs.readFileSync(from, "utf8"));
  fs.writeFileSync(to, JSON.stringify({ name: p.name, version, ...p }, null, 2) + "\n");
' npm/package.json "$package/package.json" "$version"

rm -f build/npm/quotalis-*.tgz
(cd build/npm && "$NPM" pack --json ./package >pack.json 2>pack.log) || {
  cat build/npm/pack.log >&2
  exit 1
}
tgz=$("$NODE" -e '
  const [p] = JSON.parse(require("fs").readFileSync(process.argv[1], "utf8"));
  console.log(p.filename);
  console.error(`== ${p.filename}: ${p.size} bytes packed, ${p.unpackedSize} unpacked, ${p.entryCount} files`);
' build/npm/pack.json)
echo "$PWD/build/npm/$tgz"
