#!/usr/bin/env bash
# The page's module, built (web/build-module.sh) and checked under node by
# web/tests/module_test.js: the factory loaded as a Blob worker loads it, and
# the shared table of entries (web/tests/shared-entries.txt) answered by the
# module and by the native quotalis-cli, which must agree. The native program
# is QUOTALIS_CLI, else build/test/cli/quotalis-cli (with its catalog), built
# when missing. The exit status is the test's.
set -euo pipefail
cd "$(dirname "$0")/.."

JOBS=$(nproc 2>/dev/null || echo 2)
say() { echo "== $*" >&2; }

module=$(web/build-module.sh)
cli=${QUOTALIS_CLI:-build/test/cli/quotalis-cli}
if [[ ! -x $cli ]]; then
  say "the native command line ($cli)"
  cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
  cmake --build build/test --parallel "$JOBS" --target quotalis-cli quotalis_catalogs >&2
fi
say "node web/tests/module_test.js"
node web/tests/module_test.js "$module" "$cli" web/tests/shared-entries.txt
