#!/usr/bin/env bash
# Runs every fuzz target of a fuzzing build for about a minute in all, from a
# copy of the shared seeds and the target's own (corpus/FAMILY/), and fails
# on any crash, hang, leak or sanitizer report. Nothing is written into the
# source tree: the growing corpus lives in a temporary folder, and inputs that
# fail are kept in BUILD_DIR/fuzz-artifacts.
#   fuzz/run.sh BUILD_DIR
set -euo pipefail

if [[ $# -ne 1 ]]; then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
total_seconds=60

shopt -s nullglob
targets=("$build"/fuzz/*_fuzz)
if ((${#targets[@]} == 0)); then
  echo "no fuzz targets in $build/fuzz: configure with CXX=clang++ -DQUOTALIS_FUZZ=ON" >&2
  exit 1
fi
seconds=$((total_seconds / ${#targets[@]}))

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
artifacts="$build/fuzz-artifacts"
mkdir -p "$artifacts"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
for target in "${targets[@]}"; do
  name=$(basename "$target")
  family=${name%_fuzz}
  mkdir "$work/$name"
  # The seeds every target shares, then the target's own, if it has any.
  find "$here/corpus" -maxdepth 1 -type f -exec cp {} "$work/$name/" \;
  if [[ -d "$here/corpus/$family" ]]; then cp "$here/corpus/$family/"* "$work/$name/"; fi
  echo "== $name for ${seconds}s"
  # The family's own dictionary (the exact reader's notation marks), else the
  # pieces of numbers that every engine family splices in.
  dict=(-dict="$here/numbers.dict")
  if [[ -f "$here/$family.dict" ]]; then dict=(-dict="$here/$family.dict"); fi
  # -timeout: one input taking longer than this counts as a hang.
  log="$work/$name.log"
  if ! (cd "$work" && "$target" "${dict[@]}" -max_total_time="$seconds" -timeout=10 \
    -max_len=512 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$artifacts/$name-" "$work/$name") >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "== $name failed; the failing input is in $artifacts" >&2
    exit 1
  fi
  grep -E '^(Done [0-9]+ runs|stat::number_of_executed_units|stat::peak_rss_mb)' "$log"
done
echo "== fuzzing found nothing"
