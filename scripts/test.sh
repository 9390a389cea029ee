#!/usr/bin/env bash
# Sets up the project and runs the whole test suite: the normal build, then the same tests
# once more under AddressSanitizer and UndefinedBehaviorSanitizer, then the fuzz targets for
# a short bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh default asan
export QT_QPA_PLATFORM=offscreen
ctest --preset default -j "$(nproc)"

# --- the tool in a real X session (Xvfb + openbox + xdotool), on the default build ---
bash scripts/window-test.sh
# --- end of the real-window test ---

# Installable package: build it from the default build, install it, run it as an unprivileged
# user in English and Japanese, verify the installed files and remove it.
scripts/install-check.sh
ctest --preset asan -j "$(nproc)"
if [ -x scripts/fuzz.sh ]; then
  scripts/fuzz.sh 45   # every fuzz target, 45 s each (about 4 min in all)
fi

# --- Reliability passes (scripts/reliability.sh, docs/reliability.md), each bounded ---
scripts/reliability.sh tsan        # ThreadSanitizer build and tests: about 14 min at most
scripts/reliability.sh walk 120    # random walk through the windows: 2 min
scripts/reliability.sh kill 90     # SIGKILL during writes: 1.5 min

# The real device path on a real kernel: the simulated controller on a virtual USB bus in a
# qemu guest (software emulation, bounded by ORV_VM_TIMEOUT, 420 s by default).
scripts/vm-test.sh default
