#!/usr/bin/env bash
# Installs the Debian packages the project needs (only those missing; silent when none are),
# then configures and builds the given CMake presets (default: "default").
#   scripts/setup.sh [preset ...]
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config ccache clang libclang-rt-14-dev
  qt6-base-dev libsqlite3-dev sqlite3 libboost-dev libboost-locale-dev
  libhidapi-dev libusb-1.0-0-dev libudev-dev
  libgtest-dev libgmock-dev
  # the file dialogs' portal test runs a private session bus
  dbus-daemon
  fonts-noto-cjk xvfb xauth
  # the real-window test (scripts/window-test.sh)
  openbox xdotool x11-utils imagemagick
  # Debian package: build (cpack, dpkg-shlibdeps), check (lintian, appstreamcli)
  dpkg-dev fakeroot lintian appstream
)
# The virtual machine run of the real device path (scripts/vm-test.sh).
packages+=(qemu-system-x86)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(default)
jobs=$(nproc)
for preset in "${presets[@]}"; do
  # Configure when the preset was never configured or a previous configure stopped half way.
  if [ ! -f "build/$preset/build.ninja" ]; then
    cmake --preset "$preset" >/dev/null
  fi
  cmake --build --preset "$preset" -j "$jobs"
done
