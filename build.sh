#!/usr/bin/env bash
# Sets up, builds, and runs Quotalis or its tests on Debian 12.
#   ./build.sh run    install what is missing, build, start the program
#   ./build.sh test   install what is missing, check the formatting, build,
#                     run every test: plain build (Ninja), AddressSanitizer +
#                     UndefinedBehaviorSanitizer build (CMake's default generator),
#                     a bounded fuzzing run, the exact library's tests as
#                     WebAssembly under node, the web page in headless
#                     Chromium and in WebKitGTK (on Xvfb), and the npm
#                     package installed from its .tgz (node, tsc, Chromium)
#   ./build.sh web    build the web page into build/web (open index.html)
#   ./build.sh npm    build the npm package quotalis (npm/README.md) and
#                     print the path of its .tgz
#   ./build.sh screenshots  the web page's screenshots in doc/ (Chromium,
#                     WebKitGTK, Firefox ESR, and its print)
#   ./build.sh bench  build and run the benchmarks (figures in README.md)
#   ./build.sh package  build the Debian packages quotalis, quotalis-cli and
#                     libquotalis-exact-dev in Release (build/package) and
#                     print their paths
set -euo pipefail
cd "$(dirname "$0")"

RUN_PACKAGES=(cmake ninja-build g++ pkg-config gettext python3 libgmp-dev libflint-dev qt6-base-dev libgl-dev libxcb1-dev
  fonts-ipafont-gothic fonts-dejavu-core)
# The web page's tests drive it in headless Chromium and in WebKitGTK (its
# MiniBrowser on Xvfb, the locales made with localedef), and read its print
# with poppler's tools.
WEB_TEST_PACKAGES=(python3 python3-selenium chromium chromium-driver webkit2gtk-driver xvfb locales
  poppler-utils)
# The screenshots (web/screenshots.py) add Firefox ESR's.
SCREENSHOT_PACKAGES=("${WEB_TEST_PACKAGES[@]}" firefox-esr)
# The npm package is packed and installed with Debian's npm, and its
# example type-checked with Debian's TypeScript.
NPM_PACKAGES=(npm node-typescript)
# The package tests build the Debian packages and check them as Debian does.
PACKAGE_PACKAGES=(dpkg-dev fakeroot file binutils gzip lintian man-db)
# The LaTeX the program writes (workings, exercise sheets) is compiled with
# lualatex, Japanese through luatexja, and read back with poppler's pdftotext.
TEX_PACKAGES=(texlive-luatex texlive-latex-recommended texlive-lang-japanese poppler-utils)
TEST_PACKAGES=(libgtest-dev libbenchmark-dev clang clang-format libclang-rt-14-dev
  xvfb xauth desktop-file-utils appstream bash-completion "${PACKAGE_PACKAGES[@]}"
  "${WEB_TEST_PACKAGES[@]}" "${TEX_PACKAGES[@]}" "${NPM_PACKAGES[@]}")
BENCH_PACKAGES=(python3 python3-xlib xvfb hyperfine bc time)

JOBS=$(nproc 2>/dev/null || echo 2)

install_missing() {
  local missing=() p
  for p in "$@"; do
    # The npm that comes with a node from elsewhere (NodeSource's nodejs, as
    # on the CI image, provides npm and conflicts with Debian's) serves.
    if [[ $p == npm ]] && [[ -x /usr/bin/npm ]] && /usr/bin/npm --version >/dev/null 2>&1; then
      continue
    fi
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  echo "== installing: ${missing[*]}"
  local sudo=()
  [[ $(id -u) -eq 0 ]] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# GENERATOR (default Ninja) names the CMake generator; "default" leaves the
# choice to CMake (Unix Makefiles here), so that the build keeps working with
# both. A tree made by another generator is started afresh.
configure_and_build() {  # dir, then cmake arguments
  local dir=$1 generator=${GENERATOR:-Ninja}
  shift
  local wanted=$generator
  [[ $generator == default ]] && wanted="Unix Makefiles"
  if [[ -f $dir/CMakeCache.txt ]] && ! grep -qx "CMAKE_GENERATOR:INTERNAL=$wanted" "$dir/CMakeCache.txt"; then
    rm -rf "$dir"
  fi
  if [[ $generator == default ]]; then
    cmake -S . -B "$dir" "$@"
  else
    cmake -S . -B "$dir" -G "$generator" "$@"
  fi
  cmake --build "$dir" --parallel "$JOBS"
}

# Fails on any C++ file that clang-format would change, naming each one.
check_format() {
  local files=() f bad=()
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files '*.cpp' '*.h')
  else
    mapfile -t files < <(find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
  fi
  for f in "${files[@]}"; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
  done
  if ((${#bad[@]})); then
    echo "Not formatted (clang-format -i fixes them):" >&2
    printf '  %s\n' "${bad[@]}" >&2
    return 1
  fi
  echo "${#files[@]} files formatted"
}

run_tests() {  # dir
  (cd "$1" && ctest --output-on-failure --parallel "$JOBS")
}

case "${1:-}" in
  run)
    install_missing "${RUN_PACKAGES[@]}"
    configure_and_build build/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
    if [[ -z ${DISPLAY:-}${WAYLAND_DISPLAY:-} ]]; then
      echo "Built build/release/app/quotalis, but there is no display to show it on." >&2
      echo "Run it from a desktop session, or under Xvfb with DISPLAY set." >&2
      exit 1
    fi
    exec build/release/app/quotalis
    ;;
  test)
    install_missing "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    echo "== formatting"
    check_format
    echo "== plain build"
    configure_and_build build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUOTALIS_BENCHMARKS=ON
    run_tests build/test
    echo "== AddressSanitizer + UndefinedBehaviorSanitizer build (CMake's default generator)"
    san="-O1 -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
    GENERATOR=default configure_and_build build/sanitize -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_CXX_FLAGS="$san" -DCMAKE_EXE_LINKER_FLAGS="$san" -DCMAKE_SHARED_LINKER_FLAGS="$san"
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
      run_tests build/sanitize
    echo "== fuzzing"
    # Everything is instrumented for the fuzzer and the sanitizers; the fuzz
    # targets add libFuzzer itself when they link.
    fuzz="-fsanitize=fuzzer-no-link $san"
    CXX=clang++ configure_and_build build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DQUOTALIS_GUI=OFF -DBUILD_TESTING=OFF -DQUOTALIS_FUZZ=ON \
      -DCMAKE_CXX_FLAGS="$fuzz" -DCMAKE_EXE_LINKER_FLAGS="$san" -DCMAKE_SHARED_LINKER_FLAGS="$san"
    if [[ -x fuzz/run.sh ]]; then fuzz/run.sh build/fuzz; fi
    echo "== the exact library as WebAssembly, its tests under node"
    # The dependencies are built once from Debian's sources and kept outside
    # the clone (web/README.md); later runs take them from there.
    web/test-wasm.sh
    echo "== the web page in headless Chromium"
    web/build-page.sh >/dev/null
    /usr/bin/python3 web/tests/page_test.py --engine chromium build/web build/test/cli/quotalis-cli
    /usr/bin/python3 web/tests/page_device_test.py build/web build/test/cli/quotalis-cli
    echo "== the web page in WebKitGTK"
    /usr/bin/python3 web/tests/page_test.py --engine webkit build/web build/test/cli/quotalis-cli
    echo "== the npm package, installed from its .tgz"
    QUOTALIS_CLI=build/test/cli/quotalis-cli npm/test.sh
    echo "== all tests passed"
    ;;
  bench)
    install_missing "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"
    configure_and_build build/bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DQUOTALIS_BENCHMARKS=ON
    for b in build/bench/bench/*_bench; do [[ -x $b ]] && "$b"; done
    bench/startup.py build/bench/app/quotalis build/bench/bench/startup-floor
    bench/compare.sh build/bench/cli/quotalis-cli build/bench/compare
    bench/limits.sh build/bench/cli/quotalis-cli
    install_missing "${WEB_TEST_PACKAGES[@]}"
    web/build-page.sh >/dev/null
    /usr/bin/python3 web/bench/page_bench.py build/web
    ;;
  web)
    install_missing python3
    web/build-page.sh >/dev/null
    echo "Built build/web/index.html: open it in a browser, or serve build/web."
    ;;
  npm)
    install_missing python3 "${NPM_PACKAGES[@]}"
    npm/build.sh
    ;;
  screenshots)
    install_missing "${SCREENSHOT_PACKAGES[@]}"
    web/build-page.sh >/dev/null
    /usr/bin/python3 web/screenshots.py build/web
    ;;
  package)
    install_missing "${RUN_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
    JOBS=$JOBS packaging/make-packages.sh build/package
    ;;
  *)
    sed -n '2,19p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
    ;;
esac
