#!/usr/bin/env bash
# The reliability passes of the CI run, each with its own time bound (docs/reliability.md):
#   scripts/reliability.sh tsan            device, simulator, toolkit and window tests under
#                                          ThreadSanitizer (the "tsan" preset)
#   scripts/reliability.sh walk [seconds]  random walk through the windows (default 120;
#                                          ORV_WALK_SEED=<n> replays a run)
#   scripts/reliability.sh kill [seconds]  SIGKILL during Export, Import, Save and a menu
#                                          rewrite (default 90; ORV_KILL_SEED=<n> replays)
# walk and kill use the default build (scripts/setup.sh default).
set -euo pipefail
cd "$(dirname "$0")/.."

what=${1:?usage: scripts/reliability.sh tsan|walk|kill [seconds]}
case "$what" in
  tsan)
    scripts/setup.sh tsan
    ctest --preset tsan -j "$(nproc)"
    ;;
  walk)
    cmake --build --preset default -j "$(nproc)" --target orv_random_walk
    # Qt's offscreen platform says it cannot raise windows each time a dialog opens.
    (cd build/default && QT_QPA_PLATFORM=offscreen ORV_WALK_SECONDS="${2:-120}" \
      bin/orv_random_walk 2>&1 | grep -v '^This plugin does not support raise()$')
    ;;
  kill)
    cmake --build --preset default -j "$(nproc)" --target orv_kill_test
    build/default/bin/orv_kill_test "${2:-90}"
    ;;
  *)
    echo "unknown pass: $what" >&2
    exit 2
    ;;
esac
