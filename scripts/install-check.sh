#!/usr/bin/env bash
# Builds the Debian package from the default build, installs it with apt, runs the installed
# tool headless against the simulated controller as an unprivileged user (orvtest) in English
# and in Japanese, checks that no installed file changed and that the user's menu copies are
# in that user's state folder, then removes the package again.
#   scripts/install-check.sh
set -euo pipefail
cd "$(dirname "$0")/.."

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
as_root() { "${sudo_cmd[@]}" "$@"; }

deb=$(scripts/package.sh)
echo "install-check: installing $deb"
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
  "./$deb" >/dev/null
trap 'as_root env DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -qq orvtool >/dev/null 2>&1 || true' EXIT

test -x /usr/bin/orvtool
test -f /usr/share/orvtool/MultiLingual.db
test -f /usr/lib/udev/rules.d/70-orv-controller.rules
test -f /usr/share/applications/orvtool.desktop
test -f /usr/share/icons/hicolor/scalable/apps/orvtool.svg
test -f /usr/share/icons/hicolor/48x48/apps/orvtool.png
test -f /usr/share/man/man1/orvtool.1.gz
if command -v appstreamcli >/dev/null 2>&1; then
  appstreamcli validate --no-net /usr/share/metainfo/*.metainfo.xml >/dev/null
fi

user=orvtest
if ! id -u "$user" >/dev/null 2>&1; then
  as_root useradd --create-home --shell /bin/sh "$user"
fi
home=$(getent passwd "$user" | cut -d: -f6)
as_root rm -rf "$home/.local/state/orvtool" "$home/shots"
as_root install -d -o "$user" "$home/shots"

# One headless run as that user, with a clean environment like a login's.
run_tool() {
  local lang=$1 shot=$2
  as_root runuser -u "$user" -- env -i HOME="$home" USER="$user" PATH=/usr/bin:/bin \
    LANG="$lang" QT_QPA_PLATFORM=offscreen \
    timeout 90 orvtool --simulate --screenshot="$home/shots/$shot"
}
run_tool en_US.UTF-8 english.png
run_tool ja_JP.UTF-8 japanese.png
if cmp -s "$home/shots/english.png" "$home/shots/japanese.png"; then
  echo "install-check: the English and Japanese windows look the same" >&2
  exit 1
fi

menus="$home/.local/state/orvtool/menus"
grep -q 'プロファイル名を変更' "$menus/FileMenu_japanese.xml"
test "$(stat -c %U "$menus/BtnSetRedMenu.xml")" = "$user"

changed=$(dpkg --verify orvtool || true)
if [ -n "$changed" ]; then
  echo "install-check: installed files changed:" >&2
  echo "$changed" >&2
  exit 1
fi

as_root env DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -qq orvtool >/dev/null
trap - EXIT
if dpkg-query -W -f='${Status}' orvtool 2>/dev/null | grep -q 'installed'; then
  echo "install-check: orvtool is still installed" >&2
  exit 1
fi
test ! -e /usr/share/orvtool
test ! -e /usr/lib/udev/rules.d/70-orv-controller.rules
echo "install-check: package built, installed, used by $user in English and Japanese, verified and removed"
