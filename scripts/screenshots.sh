#!/usr/bin/env bash
# Screenshots of what a user sees, in English and Japanese, for comparing two versions:
#
#   scripts/screenshots.sh                 # this checkout -> build/screenshots/after/
#   scripts/screenshots.sh --before REF    # REF (e.g. main) -> build/screenshots/before/
#
# Each run renders the dialogs with their real texts offscreen (orv_skinshot), then runs the
# tool against the simulated controller in a real X window (Xvfb + openbox, driven with
# xdotool, captured with ImageMagick's import): the overview, the profile dialog, editing with
# the status line, a factory reset and the About window. --before builds REF in a git worktree
# under build/screenshots/ first (only the targets the pictures need).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

label=after
source_dir=$root
if [ "${1:-}" = "--before" ]; then
  ref=${2:?"usage: $0 --before REF"}
  label=before
  source_dir=$root/build/screenshots/source-before
  rm -rf "$source_dir"
  git worktree prune
  git worktree add --detach "$source_dir" "$ref" >/dev/null
fi
out=$root/build/screenshots/$label
rm -rf "$out"
mkdir -p "$out"

(cd "$source_dir" && cmake --preset default >/dev/null &&
  cmake --build --preset default -j 2 --target orvtool orv_skinshot orv_skins orv_images \
    orv_databases orv_menus >/dev/null)
build=$source_dir/build/default
tool=$build/bin/orvtool
skinshot=$build/tools/orv_skinshot
# The folder holding Resources/ and the databases (bin/ or share/orvtool/).
data=$(dirname "$(dirname "$(find "$build" -path '*/Resources/MainWindow.xml' | head -n 1)")")

text() {  # text NUMBER LANGUAGE
  sqlite3 "$data/MultiLingual.db" "SELECT $2 FROM MultiLingualData WHERE id = $1;" | tail -n 1
}

# --- dialogs, offscreen, with the texts the program sets --------------------------------------
dialog() {  # dialog SKIN LANGUAGE CONTROL=NUMBER...
  local skin=$1 language=$2
  shift 2
  local args=()
  for pair in "$@"; do
    args+=("${pair%%=*}=$(text "${pair#*=}" "$language")")
  done
  # An older version may lack a control a newer one fills: say so and go on.
  QT_QPA_PLATFORM=offscreen "$skinshot" "$data" "$skin" \
    "$out/${skin%.xml}_$language.png" "${args[@]}" >/dev/null ||
    echo "screenshots: $skin ($language) not rendered in this version" >&2
}
for language in english japanese; do
  dialog ProfileForm.xml $language CreateLabel=55 EditLabel=56 NewLabel=57 NewProfileBtn=58 \
    EditProfileBtn=59 CancelBtn=60
  dialog ConDisableForm.xml $language PromptInfoLabel1=62 PromptInfoLabel2=63 OKBtn=64 \
    CancelBtn=65
  dialog LDownSwitchConfirmFrom.xml $language PromptInfoLabel1=68 PromptInfoLabel2=69 OKBtn=64 \
    CancelBtn=65
  dialog VersionForm.xml $language PromptInfoLabel=71
  dialog RenameForm.xml $language PromptInforLabel=61 OKBtn=41 CancelBtn=42
done

# --- the tool in a real window ------------------------------------------------------------------
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1920x1080x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
sleep 1
openbox >/dev/null 2>&1 &
openbox=$!
cleanup() {
  kill "$openbox" "$xvfb" 2>/dev/null || true
  if [ "$label" = before ]; then git -C "$root" worktree remove --force "$source_dir" || true; fi
}
trap cleanup EXIT

shot() { sleep 0.6; import -window root "$out/$1.png"; }
# The desktop titles of the windows clicked into: the lookup title (older versions showed it)
# or the readable one, in either language.
main_title='^(ORVMainWindow|ORV Function Set Tool|ORV 機能設定ツール)$'
profile_title='^(ProfileForm|(Profile|プロファイル) – .*)$'
reset_title='^(ResetDataFrom|(Factory settings|工場出荷時の設定) – .*)$'
# The first visible window whose title matches $1 (waits up to 20 s).
find_titled() {
  timeout 20 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1
}
# Clicks at x,y inside the first window whose title matches $1.
click_in() {
  local window
  window=$(find_titled "$1")
  if [ -z "$window" ]; then
    echo "screenshots: no window titled $1" >&2
    return
  fi
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove $((X + $2)) $((Y + $3)) click 1
}

for language in english japanese; do
  langid=1033
  [ $language = japanese ] && langid=1041
  state=$(mktemp -d)
  ORV_LANGID=$langid ORV_LOCK_DIR=$state XDG_STATE_HOME=$state XDG_CACHE_HOME=$state \
    "$tool" --simulate >/dev/null 2>&1 &
  tool_pid=$!
  find_titled "$main_title" >/dev/null
  sleep 2
  shot "1-overview_$language"
  click_in "$main_title" 698 72          # tab 2
  shot "2-profile-dialog_$language"
  click_in "$profile_title" 354 170          # Edit profile
  shot "3-editing_$language"
  click_in "$main_title" 574 856        # Reset
  click_in "$reset_title" 374 168        # OK
  shot "4-after-reset_$language"
  click_in "$main_title" 231 17         # Help menu
  sleep 0.5
  xdotool key alt+a
  shot "5-about_$language"
  kill "$tool_pid" 2>/dev/null || true
  wait "$tool_pid" 2>/dev/null || true
  rm -rf "$state"
done
ls "$out"
