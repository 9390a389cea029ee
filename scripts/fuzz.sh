#!/usr/bin/env bash
# Builds the libFuzzer targets (the "fuzz" preset, clang) and runs each for a bounded time,
# starting from its committed corpus in fuzz/corpus/<name>/ (starting inputs and kept
# regression cases) plus what earlier runs found in build/fuzz/corpus/<name>/. A crash, leak,
# timeout or failed check exits non-zero and leaves the input in build/fuzz/findings/; copy it
# into fuzz/corpus/<name>/ once fixed so it stays a regression case.
#   scripts/fuzz.sh [seconds per target]   (default 45; CI runs every target for that long)
#   ORV_FUZZ_TARGETS="menu skin" scripts/fuzz.sh 600   (some targets, longer)
# Prints one line per target: "fuzz <name>: <executions> executions in <seconds> s".
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-45}
targets=(${ORV_FUZZ_TARGETS:-import controller menu skin backup})
cmake --preset fuzz >/dev/null
# A target whose sources are not in this tree (the backup reader before orvctl) is skipped.
build_targets=()
for name in "${targets[@]}"; do
  if grep -q "^build orv_${name}_fuzz:" build/fuzz/build.ninja; then
    build_targets+=("orv_${name}_fuzz")
  else
    echo "fuzz $name: no such target in this tree, skipped"
  fi
done
cmake --build --preset fuzz -j 2 --target "${build_targets[@]}"

findings=build/fuzz/findings
mkdir -p "$findings"
# The settings database reader starts from the template the build makes (binary, not committed).
mkdir -p build/fuzz/corpus/import
template=build/fuzz/share/orvtool/ProfileTemData.db
[ -f "$template" ] || template=build/fuzz/bin/ProfileTemData.db
cp -f "$template" build/fuzz/corpus/import/template.db
printf 'SQLite format 3\0' >build/fuzz/corpus/import/header-only.db
# The backup reader starts from a valid backup its own program writes.
if [ -x build/fuzz/bin/orv_backup_fuzz ]; then
  mkdir -p build/fuzz/corpus/backup
  ORV_FUZZ_STARTING_INPUTS=build/fuzz/corpus/backup build/fuzz/bin/orv_backup_fuzz -runs=0 \
    >/dev/null 2>&1 || true
fi

status=0
for target in "${build_targets[@]}"; do
  name=${target#orv_}
  name=${name%_fuzz}
  corpus=build/fuzz/corpus/$name
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/corpus/$name" ] && seeds=("fuzz/corpus/$name")
  log=build/fuzz/$name.log
  if ASAN_OPTIONS=detect_leaks=1 "build/fuzz/bin/$target" "$corpus" "${seeds[@]}" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
      -artifact_prefix="$findings/$name-" -print_final_stats=1 >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz $name: ${runs:-?} executions in $seconds s"
  else
    status=1
    echo "fuzz $name: FAILED (input in $findings/, log in $log)"
    tail -n 40 "$log"
  fi
done
exit $status
