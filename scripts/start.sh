#!/usr/bin/env bash
# Sets up the project and starts the tool against the simulated controller. Without a display
# the tool runs offscreen, saves a screenshot of the main window once the overview shows and
# prints where it is.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh default
tool=build/default/bin/orvtool
if [ ! -x "$tool" ]; then
  echo "start: the executable is not built yet; the libraries and tests are (scripts/test.sh runs them)."
  exit 0
fi
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$tool" --simulate="${ORV_SIM_STATE:-$HOME/.local/state/orvtool/simulated-controller.state}" "$@"
fi
shot="${ORV_SCREENSHOT:-$PWD/build/overview.png}"
QT_QPA_PLATFORM=offscreen "$tool" --simulate --screenshot="$shot" "$@"
echo "start: no display; the tool ran offscreen against the simulated controller."
echo "start: screenshot of the main window: $shot"
