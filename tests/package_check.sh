#!/usr/bin/env bash
# Builds the three Debian packages in a Release tree of their own and checks
# them as Debian would: lintian with no error and no warning, every file where
# Debian puts it with the expected mode and owned by root, stripped binaries
# and library, compressed files without names or times, no build paths
# inside, the control fields, and the copyright file against LICENSE. The
# library's package is also used as another program would: its pkg-config
# file read where it was unpacked, and a program built against it both with
# pkg-config and with CMake's find_package.
#   tests/package_check.sh WORK_DIR
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/.." && pwd)
work=$(mkdir -p "$1" && cd "$1" && pwd)
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

mapfile -t debs < <("$source_dir/packaging/make-packages.sh" "$work/build" "$work/out")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$work/build/CMakeCache.txt")
arch=$(dpkg --print-architecture)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
dev=libquotalis-exact-dev
packages=(quotalis quotalis-cli "$dev")
declare -A deb
for package in "${packages[@]}"; do
    deb[$package]="$work/out/${package}_${version}_$arch.deb"
done
if [[ $(printf '%s\n' "${debs[@]}" | sort) != "$(printf '%s\n' "${deb[@]}" | sort)" ]]; then
    echo "FAIL: expected ${deb[*]}, got: ${debs[*]}" >&2
    exit 1
fi

# lintian: no error, no warning (information and pedantic notes may stay).
lintian_status=0
lintian_out=$(lintian --fail-on error,warning "${debs[@]}" 2>&1) || lintian_status=$?
lintian_out=$(grep -v '^running with root privileges is not recommended!$' <<<"$lintian_out" || true)
((lintian_status == 0)) || fail "lintian ends with status $lintian_status: $lintian_out"
if grep -E '^[EW]: ' <<<"$lintian_out"; then fail "lintian reports errors or warnings"; fi
echo "lintian: ${lintian_out:-no tags}"

# Every file and folder of each package: mode and path. Folders are 0755 and
# owned by root like everything else; nothing else may be in the package.
share=usr/share
declare -A expected
expected[quotalis-cli]="
-rwxr-xr-x ./usr/bin/quotalis-cli
-rw-r--r-- ./$share/bash-completion/completions/quotalis-cli
-rw-r--r-- ./$share/doc/quotalis-cli/changelog.gz
-rw-r--r-- ./$share/doc/quotalis-cli/copyright
-rw-r--r-- ./$share/locale/ja/LC_MESSAGES/quotalis.mo
-rw-r--r-- ./$share/man/ja/man1/quotalis-cli.1.gz
-rw-r--r-- ./$share/man/man1/quotalis-cli.1.gz"
id=io.github.quotalis.Quotalis
expected[quotalis]="
-rwxr-xr-x ./usr/bin/quotalis
-rw-r--r-- ./$share/applications/$id.desktop
-rw-r--r-- ./$share/doc/quotalis/changelog.gz
-rw-r--r-- ./$share/doc/quotalis/copyright
-rw-r--r-- ./$share/icons/hicolor/128x128/apps/$id.png
-rw-r--r-- ./$share/icons/hicolor/256x256/apps/$id.png
-rw-r--r-- ./$share/icons/hicolor/32x32/apps/$id.png
-rw-r--r-- ./$share/icons/hicolor/48x48/apps/$id.png
-rw-r--r-- ./$share/icons/hicolor/64x64/apps/$id.png
-rw-r--r-- ./$share/man/man1/quotalis.1.gz
-rw-r--r-- ./$share/metainfo/$id.metainfo.xml"
# The library in the multiarch folder, where its CMake package and pkg-config
# file are too; the headers, the same on every architecture, in usr/include.
lib=usr/lib/$multiarch
expected[$dev]="
-rw-r--r-- ./usr/include/quotalis/exact.h
$(for header in "$source_dir"/exact/include/quotalis/exact/*.h version.h; do
    echo "-rw-r--r-- ./usr/include/quotalis/exact/${header##*/}"
done)
-rw-r--r-- ./$lib/libquotalis-exact.a
-rw-r--r-- ./$lib/cmake/QuotalisExact/FindFLINT.cmake
-rw-r--r-- ./$lib/cmake/QuotalisExact/FindGMP.cmake
-rw-r--r-- ./$lib/cmake/QuotalisExact/QuotalisExactConfig.cmake
-rw-r--r-- ./$lib/cmake/QuotalisExact/QuotalisExactConfigVersion.cmake
-rw-r--r-- ./$lib/cmake/QuotalisExact/QuotalisExactTargets-release.cmake
-rw-r--r-- ./$lib/cmake/QuotalisExact/QuotalisExactTargets.cmake
-rw-r--r-- ./$lib/pkgconfig/quotalis-exact.pc
-rw-r--r-- ./$share/doc/$dev/changelog.gz
-rw-r--r-- ./$share/doc/$dev/copyright"
declare -A section=([quotalis]=math [quotalis-cli]=math [$dev]=libdevel)
declare -A synopsis=([quotalis]="turn recurring decimals into fractions (desktop program)"
    [quotalis-cli]="turn recurring decimals into fractions on the command line"
    [$dev]="exact recurring decimals and fractions for C++ (development files)")

# LICENSE, as Debian's copyright file is to state it: the holders of its
# copyright line, then its terms.
license_holders=$(sed -n 's/^Copyright (c) //p' "$source_dir/LICENSE")
license_terms=$(sed -n '/^Permission is hereby granted/,$p' "$source_dir/LICENSE")
[[ -n $license_holders && -n $license_terms ]] || fail "LICENSE has no copyright line or no terms"

for package in "${packages[@]}"; do
    file=${deb[$package]}
    contents=$(dpkg-deb --contents "$file")
    # Owners: root/root throughout.
    if awk '$2 != "root/root"' <<<"$contents" | grep .; then fail "$package: files not owned by root"; fi
    # Folders: 0755.
    if awk '$1 ~ /^d/ && $1 != "drwxr-xr-x"' <<<"$contents" | grep .; then
        fail "$package: folders whose mode is not 0755"
    fi
    want=$(sort <<<"${expected[$package]}" | sed '/^$/d')
    got=$(awk '$1 !~ /^d/ {print $1, $6}' <<<"$contents" | sort)
    if [[ $got != "$want" ]]; then
        fail "$package: contents differ from what is expected:"
        diff <(echo "$want") <(echo "$got") >&2 || true
    fi

    # Control fields.
    field() { dpkg-deb --field "$file" "$1"; }
    [[ $(field Package) == "$package" ]] || fail "$package: Package is $(field Package)"
    [[ $(field Version) == "$version" ]] || fail "$package: Version is $(field Version)"
    [[ $(field Section) == "${section[$package]}" ]] || fail "$package: Section is $(field Section)"
    [[ $(field Architecture) == "$arch" ]] || fail "$package: Architecture is $(field Architecture)"
    [[ $(field Priority) == optional ]] || fail "$package: Priority is $(field Priority)"
    [[ $(field Maintainer) == *?" <"?*@?*">" ]] || fail "$package: Maintainer is '$(field Maintainer)'"
    [[ -z $(field Homepage) ]] || fail "$package: has a Homepage"
    description=$(field Description)
    # A short description of its own and a long one of several lines.
    [[ $(head -n 1 <<<"$description") == "${synopsis[$package]}" ]] ||
        fail "$package: the synopsis is '$(head -n 1 <<<"$description")'"
    (($(wc -l <<<"$description") >= 4)) || fail "$package: the long description is missing"
    depends=$(field Depends)
    if [[ $package != "$dev" ]]; then
        [[ $depends == *"libc6 ("* ]] || fail "$package: Depends lacks what dpkg-shlibdeps finds: $depends"
    fi

    # The files themselves.
    root=$work/extract/$package
    rm -rf "$root"
    mkdir -p "$root"
    dpkg-deb --extract "$file" "$root"
    # Stripped: no symbol table, no debugging information. The static library
    # keeps its symbols, which are its use, and loses the rest as Debian's own
    # do.
    if [[ $package == "$dev" ]]; then
        archive=$root/$lib/libquotalis-exact.a
        sections=$(readelf --section-headers --wide "$archive")
        if grep -E '\.(debug_[a-z]+|comment) ' <<<"$sections"; then
            fail "$package: the static library holds debugging information or comments"
        fi
        symbols=$(nm --demangle --defined-only "$archive")
        grep -q ' T quotalis::exact::Read(' <<<"$symbols" ||
            fail "$package: the static library does not define quotalis::exact::Read"
    else
        sections=$(readelf --section-headers --wide "$root/usr/bin/$package")
        if grep -E '\.(symtab|debug_[a-z]+)' <<<"$sections"; then fail "$package: the binary is not stripped"; fi
    fi
    # gzip -9n: no file name (FLG bit 3) and no time (MTIME zero) in the header.
    while IFS= read -r gz; do
        header=$(od -An -tx1 -N8 "$gz" | tr -d ' \n')
        [[ $header == 1f8b08* ]] || fail "$gz is not gzip"
        flags=$((0x${header:6:2}))
        if ((flags & 8)); then fail "${gz#"$root"}: its gzip header names the file"; fi
        [[ ${header:8:8} == 00000000 ]] || fail "${gz#"$root"}: its gzip header holds a time"
        gzip --test "$gz" || fail "${gz#"$root"}: gzip cannot read it"
    done < <(find "$root" -name '*.gz')
    # No path of the machine that built it, in any file or compressed file.
    for path in "$source_dir" "$work" /tmp/ /work/ /home/ /root/; do
        if grep -rlaF -- "$path" "$root"; then fail "$package: files hold the path $path"; fi
        while IFS= read -r gz; do
            # Not grep -q: its early exit would end gzip by SIGPIPE, and the
            # pipeline, under pipefail, would count as no match.
            if gzip -dc "$gz" | grep -aF -- "$path" >/dev/null; then fail "${gz#"$root"} holds the path $path"; fi
        done < <(find "$root" -name '*.gz')
    done
    # The manual page is the tree's, and the changelog's first entry is this
    # version, for this source, by this maintainer.
    if [[ $package != "$dev" ]]; then
        gzip -dc "$root/usr/share/man/man1/$package.1.gz" | cmp -s - "$source_dir/doc/man/$package.1" ||
            fail "$package: the installed manual page is not doc/man/$package.1"
    fi
    changelog=$root/usr/share/doc/$package/changelog.gz
    gzip -dc "$changelog" >"$work/changelog-$package"
    parsed=$(dpkg-parsechangelog -l "$work/changelog-$package")
    grep -qx "Source: quotalis" <<<"$parsed" || fail "$package: the changelog is not for source quotalis"
    grep -qx "Version: $version" <<<"$parsed" || fail "$package: the changelog's last entry is not $version"
    grep -qxF "Maintainer: $(field Maintainer)" <<<"$parsed" ||
        fail "$package: the changelog is signed by another maintainer"
    # Debian's machine-readable copyright format: every file under the Expat
    # licence, held by LICENSE's holders, with LICENSE's terms.
    copyright=$root/usr/share/doc/$package/copyright
    head -n 1 "$copyright" |
        grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
        fail "$package: the copyright file is not in the machine-readable format"
    files=$(awk '/^Files: /,/^$/' "$copyright" | sed '/^$/d')
    [[ $files == "Files: *"$'\n'"Copyright: $license_holders"$'\n'"License: Expat" ]] ||
        fail "$package: the copyright file's Files paragraph is: $files"
    terms=$(awk '/^License: Expat$/ {n++; next} n == 2' "$copyright" | sed 's/^ //; s/^\.$//')
    if [[ $terms != "$license_terms" ]]; then
        fail "$package: the copyright file's Expat terms are not LICENSE's:"
        diff <(echo "$license_terms") <(echo "$terms") >&2 || true
    fi
done

# The desktop program: Qt found by dpkg-shlibdeps, the font declared, the
# command line recommended. The command line: nothing of Qt, X or OpenGL.
gui_depends=$(dpkg-deb --field "${deb[quotalis]}" Depends)
for dependency in libqt6widgets6 libqt6gui6 libqt6core6 fonts-ipafont-gothic; do
    [[ ", $gui_depends," == *", $dependency"[\ ,]* ]] || fail "quotalis does not depend on $dependency: $gui_depends"
done
[[ $(dpkg-deb --field "${deb[quotalis]}" Recommends) == "quotalis-cli (= $version)" ]] ||
    fail "quotalis does not recommend quotalis-cli of its own version"
cli_depends=$(dpkg-deb --field "${deb[quotalis-cli]}" Depends)
if grep -qiE 'qt|libx|libgl|fonts-' <<<"$cli_depends"; then
    fail "quotalis-cli depends on something of the window: $cli_depends"
fi
echo "quotalis depends on: $gui_depends"
echo "quotalis-cli depends on: $cli_depends"

# The library: the development packages of GMP (whose C++ interface its
# headers include) and FLINT (which the static library calls), and nothing
# of the programs.
dev_depends=$(dpkg-deb --field "${deb[$dev]}" Depends)
for dependency in libgmp-dev libflint-dev; do
    [[ ", $dev_depends," == *", $dependency"[\ ,]* ]] || fail "$dev does not depend on $dependency: $dev_depends"
done
if grep -qiE 'qt|libx|fonts-|quotalis' <<<"$dev_depends"; then
    fail "$dev depends on something of the programs: $dev_depends"
fi
echo "$dev depends on: $dev_depends"

# Where the library's package is unpacked, its pkg-config file finds the
# headers and the library in that tree (it names no absolute folder: its
# prefix is its own place), and so does its CMake package, which names the
# installed folders only to recognise them when reached through a link such
# as /lib -> /usr/lib; a program built against it, either way, runs.
root=$work/extract/$dev
pc=$root/$lib/pkgconfig/quotalis-exact.pc
if grep -nE '(^|[=[:space:]])/' "$pc"; then fail "quotalis-exact.pc names an absolute folder"; fi
cmake_dir=$root/$lib/cmake/QuotalisExact
grep -qF "IMPORTED_LOCATION_RELEASE \"\${_IMPORT_PREFIX}/${lib#usr/}/libquotalis-exact.a\"" \
    "$cmake_dir/QuotalisExactTargets-release.cmake" ||
    fail "the CMake package does not find the library from its own place"
grep -qF 'INTERFACE_INCLUDE_DIRECTORIES "${_IMPORT_PREFIX}/include"' "$cmake_dir/QuotalisExactTargets.cmake" ||
    fail "the CMake package does not find the headers from its own place"
if grep -vh '^ *#' "$cmake_dir"/*.cmake | grep -oE '"/[^"]*"' |
    grep -vxE "\"/\"|\"/usr\"|\"/$lib/cmake/QuotalisExact\""; then
    fail "the CMake package names other absolute folders"
fi
pkg_config() { env -u PKG_CONFIG_SYSROOT_DIR PKG_CONFIG_PATH="$root/$lib/pkgconfig" pkg-config "$@" quotalis-exact; }
for variable in prefix:usr includedir:usr/include libdir:$lib; do
    got=$(pkg_config --variable="${variable%%:*}")
    [[ -n $got && $(realpath -m "$got") == "$root/${variable#*:}" ]] ||
        fail "pkg-config gives ${variable%%:*} '$got', not $root/${variable#*:}"
done
exact_version=$(sed -n 's/^inline constexpr char kVersion\[\] = "\(.*\)";$/\1/p' \
    "$root/usr/include/quotalis/exact/version.h")
[[ -n $exact_version && $(pkg_config --modversion) == "$exact_version" ]] ||
    fail "pkg-config gives version $(pkg_config --modversion), the header $exact_version"

# The program: 0.1(6) is 1/6, and 1/9999943 recurs with a period of 9999942
# digits (10 is a primitive root of the prime 9999943), which takes FLINT's
# factorisation.
consumer=$work/consumer
rm -rf "$consumer"
mkdir -p "$consumer"
cat >"$consumer/main.cpp" <<'END'
#include <iostream>
#include <quotalis/exact.h>
#include <variant>

int main() {
  using namespace quotalis::exact;
  const Result<Reading> read = Read("0.1(6)");
  const Decimal& decimal = std::get<Decimal>(std::get<Reading>(read).value);
  const Result<Schoolbook> fraction = ToFraction(decimal);
  const Rational& reduced = std::get<Schoolbook>(fraction).reduced;
  const std::optional<mpz_class> period = PeriodLength(mpz_class(9999943));
  std::cout << kVersion << ' ' << reduced.numerator << '/' << reduced.denominator << ' '
            << period.value_or(0) << '\n';
}
END
cat >"$consumer/CMakeLists.txt" <<'END'
cmake_minimum_required(VERSION 3.25)
project(consumer LANGUAGES CXX)
find_package(QuotalisExact 1.1 REQUIRED)
add_executable(consumer main.cpp)
target_link_libraries(consumer PRIVATE Quotalis::exact)
END
answer="$exact_version 1/6 9999942"
# shellcheck disable=SC2046 # pkg-config's flags are separate words
if c++ -std=c++20 -o "$consumer/with-pkg-config" "$consumer/main.cpp" $(pkg_config --cflags --libs) \
    2>"$consumer/pkg-config.log"; then
    got=$("$consumer/with-pkg-config" || true)
    [[ $got == "$answer" ]] || fail "the program built with pkg-config answers '$got', not '$answer'"
else
    fail "a program does not build with pkg-config's flags: $(cat "$consumer/pkg-config.log")"
fi
if cmake -S "$consumer" -B "$consumer/build" -DCMAKE_PREFIX_PATH="$root/usr" >"$consumer/cmake.log" 2>&1 &&
    cmake --build "$consumer/build" >>"$consumer/cmake.log" 2>&1; then
    found=$(sed -n 's/^QuotalisExact_DIR:PATH=//p' "$consumer/build/CMakeCache.txt")
    [[ $found == "$root/$lib/cmake/QuotalisExact" ]] || fail "find_package found QuotalisExact in '$found'"
    got=$("$consumer/build/consumer" || true)
    [[ $got == "$answer" ]] || fail "the program built with CMake answers '$got', not '$answer'"
else
    fail "a program does not build with find_package(QuotalisExact): $(cat "$consumer/cmake.log")"
fi

if ((failures)); then
    echo "$failures checks failed" >&2
    exit 1
fi
echo "all ${#packages[@]} packages pass"
