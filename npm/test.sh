#!/usr/bin/env bash
# The npm package tested as a program installs it: built and packed
# (npm/build.sh), installed from its .tgz into an empty project with no
# network (npm install --offline), then there
#   1. the example of npm/README.md run under node, its output compared byte
#      for byte with the README's;
#   2. the example type-checked by TypeScript (tsc --noEmit --strict), and
#      npm/test/types.mts, what the declarations give and refuse;
#   3. the package's own tests (npm/test/*.test.mjs, node --test): every
#      method, the refusals, and the shared table's answers
#      (QUOTALIS_TABLE, else web/tests/shared-entries.txt) against the native quotalis-cli
#      (QUOTALIS_CLI, else build/test/cli/quotalis-cli, built when missing);
#   4. the package loaded in headless Chromium from a static folder
#      (npm/test/browser_test.py), in a page and in a worker.
# The exit status is the tests'.
set -euo pipefail
cd "$(dirname "$0")/.."

JOBS=$(nproc 2>/dev/null || echo 2)
NODE=${QUOTALIS_NODE:-/usr/bin/node}
NPM=${QUOTALIS_NPM:-/usr/bin/npm}
TSC=${QUOTALIS_TSC:-/usr/bin/tsc}
say() { echo "== $*" >&2; }

tgz=$(npm/build.sh)
cli=${QUOTALIS_CLI:-build/test/cli/quotalis-cli}
if [[ ! -x $cli ]]; then
  say "the native command line ($cli)"
  cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
  cmake --build build/test --parallel "$JOBS" --target quotalis-cli quotalis_catalogs >&2
fi
cli=$(realpath "$cli")

project=$(mktemp -d "${TMPDIR:-/tmp}/quotalis-npm-XXXXXX")
trap 'rm -rf "$project"' EXIT
# An empty folder, as a user starts: npm makes its package.json, which says
# nothing of modules, so that the example is example.mjs (and .mts for tsc).
say "npm install --offline $(basename "$tgz")"
# A cache of its own, empty: nothing may come from anywhere but the .tgz.
(cd "$project" && "$NPM" install --offline --no-audit --no-fund --cache "$project/.npm-cache" "$tgz" >&2)

# The README's example is its first ```js block, its output the ```text
# block after it.
awk '$0 == "```js" { inside = 1; next } inside && $0 == "```" { exit } inside { print }' \
  npm/README.md >"$project/example.mjs"
awk '/^```js$/ { seen = 1 } seen && $0 == "```text" { inside = 1; next } inside && $0 == "```" { exit } inside { print }' \
  npm/README.md >"$project/expected.txt"
[[ -s $project/example.mjs && -s $project/expected.txt ]] || { echo "npm/README.md has no example" >&2; exit 1; }

# The project README's section "Using it from JavaScript" shows the same.
section() {  # language
  awk -v fence="\`\`\`$1" '/^## Using it from JavaScript$/ { seen = 1 }
    seen && $0 == fence { inside = 1; next } inside && $0 == "```" { exit } inside { print }' README.md
}
if ! cmp -s <(section js) "$project/example.mjs" || ! cmp -s <(section text) "$project/expected.txt"; then
  echo "README.md: \"Using it from JavaScript\" differs from npm/README.md's example and its output" >&2
  exit 1
fi

say "the README's example under node"
(cd "$project" && "$NODE" example.mjs >actual.txt)
if ! cmp -s "$project/expected.txt" "$project/actual.txt"; then
  echo "npm/README.md: the example prints otherwise:" >&2
  diff "$project/expected.txt" "$project/actual.txt" >&2 || true
  exit 1
fi

say "the README's example and npm/test/types.mts type-checked (tsc --strict)"
cp "$project/example.mjs" "$project/example.mts"
cp npm/test/types.mts "$project/types.mts"
# No types of node's: the example uses only what browsers have too.
cat >"$project/tsconfig.json" <<'JSON'
{
  "compilerOptions": {
    "target": "es2022",
    "module": "node16",
    "moduleResolution": "node16",
    "lib": ["es2022", "dom"],
    "types": []
  },
  "files": ["example.mts", "types.mts"]
}
JSON
(cd "$project" && "$TSC" --noEmit --strict -p tsconfig.json)

say "the package's own tests (node --test)"
mkdir -p "$project/test"
cp npm/test/*.test.mjs "$project/test/"
table=$(realpath "${QUOTALIS_TABLE:-web/tests/shared-entries.txt}")
(cd "$project" && QUOTALIS_CLI=$cli QUOTALIS_TABLE=$table "$NODE" --test test/*.test.mjs)

say "the package in headless Chromium"
/usr/bin/python3 npm/test/browser_test.py "$project/node_modules/quotalis"
say "the npm package: all tests passed"
