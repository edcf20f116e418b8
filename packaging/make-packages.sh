#!/usr/bin/env bash
# Builds the Debian packages quotalis, quotalis-cli and libquotalis-exact-dev
# from the source tree this script lives in: a Release build in BUILD_DIR for
# the prefix /usr (the library in Debian's multiarch folder), with Debian's
# own compiler and linker flags (dpkg-buildflags, all hardening on), then
# `cpack -G DEB`. Prints the path of each package made, one a line.
#   packaging/make-packages.sh BUILD_DIR [OUT_DIR]
# OUT_DIR defaults to BUILD_DIR/packages; JOBS (default 2) caps the build.
set -euo pipefail

if (($# < 1 || $# > 2)); then
    sed -n '2,9p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
fi
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(mkdir -p "$1" && cd "$1" && pwd)
out_dir=${2:-$build_dir/packages}
mkdir -p "$out_dir"
out_dir=$(cd "$out_dir" && pwd)

# The flags Debian builds its own packages with; -ffile-prefix-map keeps the
# source folder out of the binaries.
flags() { (cd "$source_dir" && DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"); }
cxxflags="$(flags CPPFLAGS) $(flags CXXFLAGS) -ffile-prefix-map=$build_dir=."
ldflags=$(flags LDFLAGS)

cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr -DQUOTALIS_GUI=ON -DCMAKE_CXX_FLAGS="$cxxflags" \
    -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >&2
cmake --build "$build_dir" --parallel "${JOBS:-2}" >&2

# Only what this run makes is left in OUT_DIR.
rm -f "$out_dir"/quotalis_*.deb "$out_dir"/quotalis-cli_*.deb "$out_dir"/libquotalis-exact-dev_*.deb
(cd "$build_dir" && cpack -G DEB -B "$out_dir") >&2
rm -rf "$out_dir/_CPack_Packages"
ls -1 "$out_dir"/quotalis_*.deb "$out_dir"/quotalis-cli_*.deb "$out_dir"/libquotalis-exact-dev_*.deb
