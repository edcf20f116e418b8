#!/usr/bin/env bash
# Builds what the exact library links, for WebAssembly: GMP with its C++
# interface (gmpxx), MPFR and FLINT, static, from Debian's own source packages
# (gmp, mpfr4, flint) with Debian's emscripten, and keeps them in a cache
# outside the clone:
#   ${QUOTALIS_WASM_CACHE:-/var/cache/quotalis/wasm}/<key>/{include,lib}
# <key> holds the three source versions, emscripten's and the recipe's below,
# so a run whose key is there takes a second; otherwise it installs what is
# missing (apt-get, as root), fetches the sources through a deb-src entry that
# it removes again whatever happens, and builds them (five to six CPU-minutes,
# ten to thirteen minutes on two shared cores). Progress goes to standard error; the last line on standard output is
# the cache folder, for CMAKE_FIND_ROOT_PATH:
#   prefix=$(web/deps.sh)
#   emcmake cmake -S exact -B build/wasm-exact -DCMAKE_FIND_ROOT_PATH="$prefix"
set -euo pipefail

# Raise it whenever what the build makes changes (flags, modules, mends), so
# that no cache made the old way is taken.
RECIPE=1
CACHE_ROOT=${QUOTALIS_WASM_CACHE:-/var/cache/quotalis/wasm}
JOBS=$(nproc 2>/dev/null || echo 2)
# emcc, dpkg-source for apt-get source, m4 for GMP's configure, gcc for the
# programs GMP builds for itself while building; cmake, ninja and GoogleTest's
# sources for web/test-wasm.sh.
PACKAGES=(emscripten nodejs m4 make gcc dpkg-dev xz-utils cmake ninja-build googletest)
# FLINT's modules that the exact library's calls (exact/factor.cpp: n_factor,
# n_preinvert_limb, n_powmod2_ui_preinv, fmpz_factor, fmpz_factor_smooth, fmpz_is_probabprime,
# n_nextprime) reach, all of them; all of FLINT takes five times as long.
FLINT_MODULES=(fmpz ulong_extras aprcl fmpz_poly fft fmpz_factor fmpz_vec fmpz_mod_poly qsieve
  thread_pool mpn_extras fmpz_mod thread_support long_extras)

say() { echo "== $*" >&2; }
fail() {
  echo "web/deps.sh: $*" >&2
  exit 1
}

as_root() {
  if [[ $(id -u) -eq 0 ]]; then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    fail "needs root (or sudo) for: $*"
  fi
}

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

install_missing() {
  local missing=() p
  for p in "${PACKAGES[@]}"; do
    # A node of 16 or later from elsewhere (as on the CI image) serves.
    if [[ $p == nodejs ]] && command -v node >/dev/null &&
      [[ $(node -p 'process.versions.node.split(".")[0]' 2>/dev/null || echo 0) -ge 16 ]]; then
      continue
    fi
    installed "$p" || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  say "installing: ${missing[*]}"
  as_root apt-get update -qq || fail "apt-get update failed"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >&2 || fail "could not install ${missing[*]}"
}

# The versions of the source packages gmp, mpfr4 and flint that apt would
# fetch now: those its candidates for their -dev packages come from, in one
# look-up (a second at most).
versions() {
  local -A version=()
  local name value
  while read -r name value; do
    version[$name]=$value
  done < <(apt-cache show --no-all-versions libgmp-dev libmpfr-dev libflint-dev 2>/dev/null |
    awk -F': ' '
      function emit() {
        if (package == "") return
        # "Source: gmp (2:6.2.1+dfsg1-1.1)" when its version differs, "Source: gmp" when not.
        if (source == "") source = package
        if (split(source, part, " ") > 1) { source = part[1]; gsub(/[()]/, "", part[2]); ver = part[2] }
        print source, ver
        package = ""; source = ""
      }
      /^Package:/ { emit(); package = $2 }
      /^Source:/ { source = $2 }
      /^Version:/ { ver = $2 }
      END { emit() }')
  GMP_VERSION=${version[gmp]:-} MPFR_VERSION=${version[mpfr4]:-} FLINT_VERSION=${version[flint]:-}
  [[ -n $GMP_VERSION && -n $MPFR_VERSION && -n $FLINT_VERSION ]]
}

install_missing
# Debian's emscripten runs its JavaScript tools with `node` and finds their
# modules (acorn) in Debian's folder, which a node from elsewhere does not search.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
command -v emcc >/dev/null || fail "emcc not found although emscripten is installed"
EMSCRIPTEN_VERSION=$(dpkg-query -W -f='${Version}' emscripten)
if ! versions; then
  say "apt knows no versions of the libraries yet: apt-get update"
  as_root apt-get update -qq || fail "apt-get update failed"
  versions || fail "apt has no candidate for libgmp-dev, libmpfr-dev or libflint-dev"
fi
# Epochs ("2:") keep out of folder names.
KEY=$(echo "gmp-${GMP_VERSION}_mpfr4-${MPFR_VERSION}_flint-${FLINT_VERSION}_emscripten-${EMSCRIPTEN_VERSION}_recipe-${RECIPE}" |
  tr ':~' '__')
PREFIX=$CACHE_ROOT/$KEY

complete() { [[ -f $PREFIX/quotalis-wasm.txt ]]; }
if complete; then
  say "WebAssembly GMP, MPFR and FLINT: cached in $PREFIX"
  echo "$PREFIX"
  exit 0
fi

mkdir -p "$CACHE_ROOT" 2>/dev/null || as_root mkdir -p "$CACHE_ROOT" ||
  fail "cannot make the cache folder $CACHE_ROOT (QUOTALIS_WASM_CACHE names another)"
[[ -w $CACHE_ROOT ]] || fail "cannot write to the cache folder $CACHE_ROOT (QUOTALIS_WASM_CACHE names another)"
# One build at a time per cache: a second run waits, then finds the first's.
exec 9>"$CACHE_ROOT/.lock"
if ! flock -n 9; then
  say "waiting for the other build in $CACHE_ROOT"
  flock 9
fi
if complete; then
  say "WebAssembly GMP, MPFR and FLINT: built meanwhile in $PREFIX"
  echo "$PREFIX"
  exit 0
fi

say "building GMP $GMP_VERSION, MPFR $MPFR_VERSION and FLINT $FLINT_VERSION for WebAssembly with emscripten $EMSCRIPTEN_VERSION"
WORK=$(mktemp -d "${TMPDIR:-/var/tmp}/quotalis-wasm.XXXXXX")
# apt fetches as its own user, who must be able to write here.
chmod 755 "$WORK"
SOURCES_FILE=/etc/apt/sources.list.d/quotalis-wasm-deb-src.sources
cleanup() {
  local status=$?
  if [[ -f $SOURCES_FILE ]]; then as_root rm -f "$SOURCES_FILE"; fi
  if [[ $status -eq 0 ]]; then
    rm -rf "$WORK"
  else
    echo "web/deps.sh: failed; the sources and logs are in $WORK" >&2
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Runs "$@" in a subshell that stops at the first failure, its output in
# $WORK/$1.log, the end of which is shown when it fails.
step() {
  local name=$1 start=$SECONDS status
  shift
  say "$name"
  set +e
  (
    set -e
    "$@"
  ) >"$WORK/$name.log" 2>&1
  status=$?
  set -e
  if ((status != 0)); then
    tail -n 40 "$WORK/$name.log" >&2
    fail "$name failed (all of it in $WORK/$name.log)"
  fi
  say "$name: $((SECONDS - start)) s"
}

# The deb-src entry: the same archive, suites and key as the deb entries of
# debian.sources, or bookworm main when there is none.
write_sources() {
  if [[ -f /etc/apt/sources.list.d/debian.sources ]] &&
    grep -q '^Types: deb$' /etc/apt/sources.list.d/debian.sources; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources
  else
    printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm' \
      'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg'
  fi
}

fetch_sources() {
  write_sources | as_root tee "$SOURCES_FILE" >/dev/null
  # Only this entry's lists are fetched; the others are left as they are.
  as_root apt-get update -o Dir::Etc::SourceList="$SOURCES_FILE" -o Dir::Etc::SourceParts=- \
    -o APT::Get::List-Cleanup=0
  cd "$WORK"
  as_root apt-get source -o APT::Sandbox::User=root "gmp=$GMP_VERSION" "mpfr4=$MPFR_VERSION" \
    "flint=$FLINT_VERSION"
  as_root rm -f "$SOURCES_FILE"
}
step fetch-sources fetch_sources
# Each unpacked folder by its package's name.
for package in gmp mpfr4 flint; do
  folder=$(find "$WORK" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | head -n 1)
  [[ -n $folder ]] || fail "apt-get source gave no folder for $package"
  mv "$folder" "$WORK/$package"
done

# Everything is installed under $STAGE$PREFIX first (DESTDIR), and moved into
# the cache once all three are built, so that a cache folder is always whole.
STAGE=$WORK/stage
DEPS=$STAGE$PREFIX

# Debian's tarball of GMP leaves out doc/, which its Debian patch drops from
# Makefile.am and configure.ac but not from the generated configure and
# Makefile.in that a build without autoreconf runs.
mend() {  # file, sed expression, text that must be there afterwards
  sed -i "$2" "$1"
  grep -q -- "$3" "$1" || fail "could not mend $1: Debian's sources have changed"
}
build_gmp() {
  cd "$WORK/gmp"
  mend configure 's| doc/Makefile tune/Makefile| tune/Makefile|' ' tune/Makefile demos/Makefile'
  mend Makefile.in 's|^\(SUBDIRS = .*\) doc$|\1|' '^SUBDIRS = .* tune$'
  # No assembly, C everywhere (host none); wasm32's long makes the limbs 32
  # bits; exceptions pass through gmpxx.
  emconfigure ./configure --build="$(./configfsf.guess)" --host=none --disable-assembly --enable-cxx \
    --enable-static --disable-shared --prefix="$PREFIX" CFLAGS=-O2 CXXFLAGS="-O2 -fexceptions"
  grep -q '^#define GMP_LIMB_BITS *32$' gmp.h || fail "GMP's limbs are not 32 bits"
  emmake make -j"$JOBS"
  emmake make install DESTDIR="$STAGE"
}
step gmp build_gmp

build_mpfr() {
  cd "$WORK/mpfr4"
  emconfigure ./configure --build="$(./config.guess)" --host=wasm32-unknown-emscripten \
    --enable-static --disable-shared --with-gmp="$DEPS" --prefix="$PREFIX" CFLAGS=-O2
  # The library alone: no tests, tuning or documentation.
  emmake make -C src -j"$JOBS"
  emmake make -C src install DESTDIR="$STAGE"
}
step mpfr build_mpfr

build_flint() {
  cd "$WORK/flint"
  # FLINT's configure looks for its endianness marker in what the compiler
  # wrote, which for emcc is the .wasm beside the JavaScript it names.
  mend configure 's|\(grep -q [A-Za-z]* build/test-endian\) |\1.wasm |' 'LiTTleEnDian build/test-endian.wasm'
  # Single-threaded: emscripten starts no threads without -pthread, and FLINT
  # waits for ever on threads that never start.
  emconfigure ./configure --build=wasm32-emscripten --prefix="$PREFIX" --with-gmp="$DEPS" --with-mpfr="$DEPS" \
    --disable-shared --enable-static --disable-pthread CC=emcc CXX=em++ AR=emar CFLAGS=-O2
  grep -q '^#define FLINT_USES_PTHREAD 0$' flint-config.h || fail "FLINT was configured with threads"
  emmake make -j"$JOBS" library BUILD_DIRS="${FLINT_MODULES[*]}"
  emmake make install DESTDIR="$STAGE" BUILD_DIRS="${FLINT_MODULES[*]}"
  # Every header, the other modules' too: those of the modules built include them.
  cp ./*.h "$DEPS/include/flint/"
}
step flint build_flint

# libtool's archives name the stage; CMake and pkg-config need none of them.
rm -f "$DEPS"/lib/*.la
{
  echo "GMP $GMP_VERSION (gmp, gmpxx), MPFR $MPFR_VERSION and FLINT $FLINT_VERSION"
  echo "for WebAssembly, static, built by web/deps.sh (recipe $RECIPE) with emscripten $EMSCRIPTEN_VERSION"
  echo "FLINT modules: ${FLINT_MODULES[*]}"
} >"$DEPS/quotalis-wasm.txt"
rm -rf "$PREFIX.partial"
cp -a "$DEPS" "$PREFIX.partial"
mv "$PREFIX.partial" "$PREFIX"
say "installed in $PREFIX:"
(cd "$PREFIX/lib" && stat -c '   %n: %s bytes' ./*.a) >&2
echo "$PREFIX"
