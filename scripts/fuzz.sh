#!/usr/bin/env bash
# Builds the libFuzzer targets (the "fuzz" preset, clang) and runs each for a short bounded time,
# starting from a corpus of valid settings files. A crash, leak or failed check exits non-zero and leaves the
# input in build/fuzz/findings/.
#   scripts/fuzz.sh [seconds per target]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
if [ ! -f build/fuzz/build.ninja ]; then
  cmake --preset fuzz >/dev/null
fi
cmake --build --preset fuzz -j 2 --target orv_import_fuzz

corpus=build/fuzz/corpus/import
findings=build/fuzz/findings
mkdir -p "$corpus" "$findings"
cp -f build/fuzz/share/orvtool/ProfileTemData.db "$corpus/template.db"
printf 'SQLite format 3\0' >"$corpus/header-only.db"

ASAN_OPTIONS=detect_leaks=1 build/fuzz/bin/orv_import_fuzz "$corpus" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
  -artifact_prefix="$findings/" -print_final_stats=1 2>&1 | tail -n 25
