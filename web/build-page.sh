#!/usr/bin/env bash
# The web page, built into build/web: the module (web/build-module.sh:
# build/web/quotalis.js), the page's own files (web/page) beside it, its
# icons (web/make-icons.py, drawn from the program's icon, and the icon
# itself as favicon.ico) and its service worker (sw.js), written with the
# list of every one of those files and a version made of their contents, so
# that the list never misses a file and a changed file is a new version.
# build/web/index.html then opens from any folder of any static server, or
# straight from disk. Prints the folder; steps and the compressed size go to
# standard error.
set -euo pipefail
cd "$(dirname "$0")/.."

web/build-module.sh >/dev/null
# Only the page's files: the stand-in module of the tests never goes there.
page=()
for f in web/page/*; do
  [[ $f == web/page/sw.js ]] || page+=("$(basename "$f")")
done
for f in "${page[@]}"; do cp "web/page/$f" build/web/; done
cp resources/icon.ico build/web/favicon.ico
icons=(icon-192.png icon-512.png icon-maskable-512.png)
# Drawing them takes half a minute: only when the design or its drawing changed.
for f in "${icons[@]}"; do
  if [[ ! -f build/web/$f || resources/make_icon.py -nt build/web/$f || web/make-icons.py -nt build/web/$f ]]; then
    python3 web/make-icons.py build/web
    break
  fi
done
files=("${page[@]}" quotalis.js favicon.ico "${icons[@]}")
version=$(cd build/web && cat "${files[@]}" | sha256sum | cut -c1-16)
list=$(printf "'%s', " ./ "${files[@]}")
sed -e "s|'@VERSION@'|'$version'|" -e "s|\['@FILES@'\]|[${list%, }]|" web/page/sw.js >build/web/sw.js
gzipped=0
count=0
for f in "${files[@]}" sw.js; do
  gzipped=$((gzipped + $(gzip -9 -c "build/web/$f" | wc -c)))
  count=$((count + 1))
done
echo "== the page: build/web/index.html, $count files, $gzipped bytes with gzip -9, version $version" >&2
echo "$PWD/build/web"
