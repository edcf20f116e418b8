#!/usr/bin/env bash
# The exact library as another program meets it: installed from this build
# tree (component dev) into a scratch prefix, which is then moved, and the
# example of README.md's "Using the library" built against it twice, with its
# CMakeLists.txt through find_package and with its pkg-config line, each run
# and its output compared with the README's. Also: the installed tree holds
# the public headers, the library, the CMake package and the pkg-config file
# and nothing else, and every public header compiles on its own.
#   tests/library_example_check.sh SOURCE_DIR BUILD_DIR WORK_DIR CONFIG CXX CMAKE
#       GENERATOR MAKE_PROGRAM CXX_FLAGS LINKER_FLAGS
# CONFIG may be empty (a single-configuration tree without a build type).
# CXX_FLAGS and LINKER_FLAGS are the tree's CMAKE_CXX_FLAGS and
# CMAKE_EXE_LINKER_FLAGS: a library built with sanitizers needs their run time
# in every program that links it, so the example is built with the same.
set -euo pipefail

source_dir=$1
build_dir=$2
work=$3
config=$4
cxx=$5
cmake=$6
generator=$7
make_program=$8
read -ra cxx_flags <<<"$9"
read -ra linker_flags <<<"${10}"
readme=$source_dir/README.md

step=start
fail() {
    echo "FAIL ($step): $*" >&2
    exit 1
}
# Runs a command with its output kept aside; shows the output if it fails.
run() {
    local status=0
    "$@" >"$work/log" 2>&1 || status=$?
    if ((status)); then
        cat "$work/log" >&2
        fail "exit status $status from: $*"
    fi
}

rm -rf "$work"
mkdir -p "$work"
prefix=$work/prefix

step="install"
config_args=()
[[ -n $config ]] && config_args=(--config "$config")
run "$cmake" --install "$build_dir" --component dev --prefix "$work/installed" "${config_args[@]}"
# Nothing installed may depend on where it was installed to.
mv "$work/installed" "$prefix"

step="installed files"
installed=$(cd "$prefix" && find . \( -type f -o -type l \) | sed 's|^\./||' | sort)
unexpected=$(grep -v -E '^include/quotalis/exact\.h$|^include/quotalis/exact/[a-z0-9_]+\.h$' <<<"$installed" |
    grep -v -E '^lib[^/]*(/[^/]+)?/(libquotalis-exact\.a|pkgconfig/quotalis-exact\.pc|cmake/QuotalisExact/[A-Za-z-]+\.cmake)$' |
    grep -v -E '^share/doc/libquotalis-exact-dev/(copyright|changelog\.gz)$' ||
    true)
[[ -z $unexpected ]] || fail "installed beyond the library's public files:"$'\n'"$unexpected"
wanted=(include/quotalis/exact.h include/quotalis/exact/version.h)
for header in "$source_dir"/exact/include/quotalis/exact/*.h; do
    wanted+=("include/quotalis/exact/${header##*/}")
done
for file in "${wanted[@]}"; do
    [[ -f $prefix/$file ]] || fail "$file is not installed"
done
for header in "$source_dir"/exact/*.h; do
    internal=${header##*/}
    found=$(find "$prefix" -name "$internal")
    [[ -z $found ]] || fail "the internal header $internal is installed: $found"
done
installed_headers=("$prefix"/include/quotalis/exact/*.h)
((${#installed_headers[@]} == ${#wanted[@]} - 1)) ||
    fail "include/quotalis/exact holds headers the source tree does not have"
for header in "${installed_headers[@]}"; do
    grep -q "^#include <quotalis/exact/${header##*/}>" "$prefix/include/quotalis/exact.h" ||
        fail "quotalis/exact.h does not include quotalis/exact/${header##*/}"
done
mapfile -t pc_files < <(find "$prefix" -name quotalis-exact.pc)
((${#pc_files[@]} == 1)) || fail "expected one quotalis-exact.pc, found ${#pc_files[@]}"
pc_dir=$(dirname "${pc_files[0]}")
mapfile -t package_files < <(find "$prefix" -name QuotalisExactConfig.cmake)
((${#package_files[@]} == 1)) || fail "expected one QuotalisExactConfig.cmake, found ${#package_files[@]}"
package_dir=$(cd "$(dirname "${package_files[0]}")" && pwd -P)

# Each public header on its own, twice in a row, under strict warnings: a
# program that includes it needs nothing else first, and its own warnings stay
# its own.
for header in "$prefix"/include/quotalis/exact.h "${installed_headers[@]}"; do
    name=${header#"$prefix"/include/}
    step="header alone: $name"
    printf '#include <%s>\n#include <%s>\n' "$name" "$name" >"$work/alone.cpp"
    run "$cxx" -std=c++20 "${cxx_flags[@]}" -Wall -Wextra -Wpedantic -Wconversion \
        -Wsign-conversion -Wshadow -Wold-style-cast -Werror -fsyntax-only \
        -I"$prefix/include" "$work/alone.cpp"
done

# The blocks of the README that follow the marker <!-- library-example:NAME -->
# on the very next line.
step="README blocks"
block() {
    awk -v marker="<!-- library-example:$1 -->" '
        found == 0 && $0 == marker { found = 1; count++; next }
        found == 1 { if ($0 !~ /^```/) exit 2; found = 2; next }
        found == 2 && $0 == "```" { found = 0; closed++; next }
        found == 2 { print }
        END { if (count != 1 || closed != 1) exit 3 }' "$readme" ||
        fail "README.md needs one marker <!-- library-example:$1 --> followed by a fenced block"
}
block program >"$work/example.cpp"
block cmake >"$work/CMakeLists.txt"
block output >"$work/expected"
pkg_config_line=$(block pkg-config)
[[ -s $work/example.cpp && -s $work/CMakeLists.txt && -s $work/expected ]] ||
    fail "an example block is empty"
[[ $pkg_config_line == "g++ "* && $pkg_config_line != *$'\n'* ]] ||
    fail "the pkg-config block is not one line starting with g++: $pkg_config_line"

# Runs the example built in $1 and compares what it writes with the README.
compare_output() {
    local status=0
    "$1" >"$work/actual" 2>"$work/errors" || status=$?
    ((status == 0)) || { cat "$work/errors" >&2; fail "the example exited with status $status"; }
    diff -u "$work/expected" "$work/actual" >&2 ||
        fail "the example's output (+) differs from the README's (-)"
}

step="CMake build"
mkdir "$work/cmake"
cp "$work/example.cpp" "$work/CMakeLists.txt" "$work/cmake/"
cmake_args=(-S "$work/cmake" -B "$work/cmake/build" -G "$generator"
    -DCMAKE_CXX_COMPILER="$cxx"
    -DCMAKE_PREFIX_PATH="$prefix"
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF -DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF
    -DCMAKE_CXX_FLAGS="${cxx_flags[*]} -Wall -Wextra -Wpedantic -Werror"
    -DCMAKE_EXE_LINKER_FLAGS="${linker_flags[*]}")
[[ -n $make_program ]] && cmake_args+=(-DCMAKE_MAKE_PROGRAM="$make_program")
[[ -n $config ]] && cmake_args+=(-DCMAKE_BUILD_TYPE="$config")
run "$cmake" "${cmake_args[@]}"
found_package=$(sed -n 's/^QuotalisExact_DIR:PATH=//p' "$work/cmake/build/CMakeCache.txt")
[[ $(cd "$found_package" 2>/dev/null && pwd -P) == "$package_dir" ]] ||
    fail "find_package took QuotalisExact from '$found_package', not from $package_dir"
run "$cmake" --build "$work/cmake/build" "${config_args[@]}"
mapfile -t programs < <(find "$work/cmake/build" -type f -name example -perm -u+x)
((${#programs[@]} == 1)) || fail "expected one program 'example', found ${#programs[@]}"
step="CMake build, run"
compare_output "${programs[0]}"

step="pkg-config build"
command -v pkg-config >/dev/null || fail "pkg-config is not installed"
mkdir "$work/pkg-config"
cp "$work/example.cpp" "$work/pkg-config/"
export PKG_CONFIG_PATH=$pc_dir${PKG_CONFIG_PATH:+:$PKG_CONFIG_PATH}
for variable in includedir libdir; do
    place=$(pkg-config --variable="$variable" quotalis-exact) ||
        fail "pkg-config does not read $pc_dir/quotalis-exact.pc"
    place=$(cd "$place" 2>/dev/null && pwd -P) || fail "its $variable is not a folder"
    [[ $place == "$(cd "$prefix" && pwd -P)"/* ]] ||
        fail "its $variable $place is not under the prefix $prefix"
done
# The README's line, with the tree's compiler and flags for g++.
command="\"\$cxx\" \"\${cxx_flags[@]}\" ${pkg_config_line#g++ } \"\${linker_flags[@]}\""
(cd "$work/pkg-config" && eval "$command") >"$work/log" 2>&1 ||
    { cat "$work/log" >&2; fail "the README's line failed: $pkg_config_line"; }
[[ -x $work/pkg-config/example ]] || fail "the README's line made no ./example"
step="pkg-config build, run"
compare_output "$work/pkg-config/example"

echo "library example passes: installed, built with CMake and with pkg-config, output as README.md says"
