#!/usr/bin/env bash
# Runs the tool headless in Japanese against the simulated controller and checks that every
# shipped file of the data folder is byte for byte as before, while the user's menu copies
# (with their Japanese texts) are in the user's state folder.
#   run-keeps-shipped-files.sh TOOL DATA_FOLDER WORK_FOLDER
set -euo pipefail
tool=$1
data=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
digest() { (cd "$data" && find . -type f -print0 | sort -z | xargs -0 sha256sum); }
before=$(digest)
ORV_LANGID=1041 XDG_STATE_HOME="$work/state" ORV_LOCK_DIR="$work/lock" \
  QT_QPA_PLATFORM=offscreen "$tool" --simulate --screenshot="$work/overview.png"
after=$(digest)
if [ "$before" != "$after" ]; then
  echo "shipped files changed by the run:"
  diff <(echo "$before") <(echo "$after") || true
  exit 1
fi
menus="$work/state/orvtool/menus"
grep -q 'プロファイル名を変更' "$menus/FileMenu_japanese.xml"
test -f "$menus/BtnSetRedMenu.xml"
echo "shipped files unchanged; $(ls "$menus" | wc -l) menu copies in $menus"
