#!/usr/bin/env bash
# The web page, built into build/web: the module (web/build-module.sh:
# build/web/quotalis.js) and the page's own files (web/page) beside it.
# build/web/index.html then opens from any static server or straight from
# disk. Prints the folder; steps and the compressed size go to standard error.
set -euo pipefail
cd "$(dirname "$0")/.."

web/build-module.sh >/dev/null
# Only the page's files: the stand-in module of the tests never goes there.
cp web/page/index.html web/page/style.css web/page/words.js web/page/worker.js web/page/link.js \
  web/page/view.js web/page/layout.js web/page/print.js web/page/copying.js web/page/main.js build/web/
gzipped=0
for f in build/web/*; do gzipped=$((gzipped + $(gzip -9 -c "$f" | wc -c))); done
echo "== the page: build/web/index.html, $gzipped bytes with gzip -9" >&2
echo "$PWD/build/web"
