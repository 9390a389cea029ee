#!/usr/bin/env bash
# Runs the built tool in a real X session and checks from outside what only a window manager
# shows: where menus land, which window is on top, how the main window fits the screen, what
# the keys do and what the desktop calls the windows.
#
#   scripts/window-test.sh [--out DIR] [WxH ...]
#
# For each screen size (default 1920x1080 1366x768 1280x720) it starts Xvfb with the openbox
# window manager, runs build/default/bin/orvtool --simulate=STATEFILE, acts with xdotool (real
# pointer and keys) and reads geometry and stacking with xwininfo, xprop and xdotool. Besides,
# it runs the tool once in Japanese and once at a device pixel ratio of 1.5. A screenshot of
# every step goes to DIR (default build/window-test/), one folder per run. Prints
# "N passed, M failed" and exits non-zero when a check failed.
set -uo pipefail
cd "$(dirname "$0")/.."

out=build/window-test
sizes=()
while [ $# -gt 0 ]; do
  case "$1" in
    --out) out="$2"; shift 2 ;;
    *x*) sizes+=("$1"); shift ;;
    *) echo "usage: $0 [--out DIR] [WxH ...]" >&2; exit 2 ;;
  esac
done
[ ${#sizes[@]} -gt 0 ] || sizes=(1920x1080 1366x768 1280x720)

tool=build/default/bin/orvtool
for need in Xvfb openbox xdotool xwininfo xprop import; do
  command -v "$need" >/dev/null || { echo "window-test: $need is missing (scripts/setup.sh installs it)" >&2; exit 2; }
done
[ -x "$tool" ] || { echo "window-test: $tool is not built" >&2; exit 2; }
# The skins the tool reads, wherever the build puts its data.
skins=""
for d in build/default/share/orvtool/Resources build/default/bin/Resources; do
  if [ -f "$d/MainWindow.xml" ]; then skins=$d; break; fi
done
[ -n "$skins" ] || { echo "window-test: no built skins found" >&2; exit 2; }

rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd)
passed=0
failed=0
run_dir=""
step=0
xvfb_pid=""
wm_pid=""
tool_pid=""
work=""

pass() { passed=$((passed + 1)); echo "  ok    $*"; }
fail() { failed=$((failed + 1)); echo "  FAIL  $*"; }
check() {  # check "description" command...
  local what=$1; shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}
shot() {
  step=$((step + 1))
  import -window root "$run_dir/$(printf '%02d' "$step")-$1.png" 2>/dev/null
}

# --- geometry helpers -----------------------------------------------------------------------
# "x y w h" of a window id, in screen pixels.
geometry() {
  xwininfo -id "$1" 2>/dev/null | awk '
    /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x, y, w, h}'
}
# Id of the visible top-level window whose name matches the regular expression $1 (waits up to
# 5 s); "" when none.
find_window() {
  local i id
  for i in $(seq 50); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1)
    [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.1
  done
}
gone() {  # waits up to 3 s for no visible window named $1
  local i
  for i in $(seq 30); do
    [ -z "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ] && return 0
    sleep 0.1
  done
  return 1
}
# Pop-up menus are override-redirect: they are found in the window tree by their file name.
menu_geometry() {  # "x y w h" of the open menu read from $1, waits up to 3 s
  local i line
  for i in $(seq 30); do
    line=$(xwininfo -root -tree 2>/dev/null | grep "\"$1\"" | grep -v ' 1x1+' | head -1)
    if [ -n "$line" ]; then
      echo "$line" | sed -E 's/.* ([0-9]+)x([0-9]+)\+-?[0-9]+\+-?[0-9]+ +\+(-?[0-9]+)\+(-?[0-9]+).*/\3 \4 \1 \2/'
      return
    fi
    sleep 0.1
  done
}
loaded() {  # waits up to 15 s for the loading cover titled $1 to go
  local i
  for i in 1 2 3 4 5; do gone "$1" && return 0; done
  return 0
}
menu_gone() {
  local i
  for i in $(seq 30); do
    xwininfo -root -tree 2>/dev/null | grep -q "\"$1\"" || return 0
    sleep 0.1
  done
  return 1
}
# Logical rectangle "l t r b" of a control in a skin file.
control_pos() {
  grep -o "name=\"$2\"[^>]*pos=\"[^\"]*\"" "$skins/$1" | head -1 | sed -E 's/.*pos="([^"]*)".*/\1/' | tr ',' ' '
}
# Screen point of a logical point of a window: window origin + logical * scale.
to_screen() {  # win_x win_y scale lx ly
  awk -v x="$1" -v y="$2" -v s="$3" -v lx="$4" -v ly="$5" \
    'BEGIN {printf "%d %d\n", x + lx * s + 0.5, y + ly * s + 0.5}'
}
click_control() {  # window-geometry... scale skin control
  local wx=$1 wy=$2 s=$3 skin=$4 name=$5 l t r b px py
  read -r l t r b < <(control_pos "$skin" "$name")
  read -r px py < <(to_screen "$wx" "$wy" "$s" $(((l + r) / 2)) $(((t + b) / 2)))
  xdotool mousemove "$px" "$py" click 1
  sleep 0.25
}
near() { awk -v a="$1" -v b="$2" 'BEGIN {d = a - b; exit !(d <= 2 && d >= -2)}'; }
inside_screen() {  # x y w h screen_w screen_h
  [ "$1" -ge 0 ] && [ "$2" -ge 0 ] && [ $(($1 + $3)) -le "$5" ] && [ $(($2 + $4)) -le "$6" ]
}
# A menu lies on the screen, and its top-left corner is its anchor unless it had to move off
# the right or bottom edge to stay on screen.
menu_in_place() {  # menu_x menu_y menu_w menu_h anchor_x anchor_y screen_w screen_h
  inside_screen "$1" "$2" "$3" "$4" "$7" "$8" || return 1
  if [ $(($5 + $3)) -le "$7" ]; then near "$1" "$5" || return 1; else [ $(($1 + $3)) -eq "$7" ] || return 1; fi
  if [ $(($6 + $4)) -le "$8" ]; then near "$2" "$6" || return 1; else [ $(($2 + $4)) -le "$6" ] || return 1; fi
}
top_window() { xprop -root _NET_CLIENT_LIST_STACKING | awk '{print $NF}'; }
active_window() { xprop -root _NET_ACTIVE_WINDOW | awk '{print $NF}'; }
hex() { printf '0x%x' "$1"; }
transient_for() { xprop -id "$1" WM_TRANSIENT_FOR | grep -q "$(hex "$2")"; }
gone_but_main_stays() { gone "$1" && [ -n "$(xdotool search --name '^ORV Function Set Tool$')" ]; }

# --- one session ------------------------------------------------------------------------------
start_session() {  # size language-id extra-env...
  local size=$1 lang=$2; shift 2
  local w=${size%x*} h=${size#*x} n
  for n in $(seq 90 140); do [ -e "/tmp/.X$n-lock" ] || break; done
  export DISPLAY=":$n"
  Xvfb "$DISPLAY" -screen 0 "${w}x${h}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  openbox >/dev/null 2>&1 &
  wm_pid=$!
  sleep 0.5
  work=$(mktemp -d)
  mkdir -p "$work/run" && chmod 700 "$work/run"
  env HOME="$work" XDG_STATE_HOME="$work/state" XDG_CACHE_HOME="$work/cache" \
    XDG_RUNTIME_DIR="$work/run" ORV_LOCK_DIR="$work/run" ORV_LANGID="$lang" QT_QPA_PLATFORM=xcb "$@" \
    "$tool" --simulate="$work/controller.state" >"$run_dir/tool.log" 2>&1 &
  tool_pid=$!
}
stop_session() {
  [ -n "$tool_pid" ] && kill "$tool_pid" 2>/dev/null
  wait "$tool_pid" 2>/dev/null
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait "$wm_pid" "$xvfb_pid" 2>/dev/null
  [ -n "$work" ] && rm -rf "$work"
  tool_pid="" wm_pid="" xvfb_pid="" work=""
}
trap stop_session EXIT

# The whole walk at one screen size, in English.
walk() {
  local size=$1 sw=${1%x*} sh=${1#*x}
  run_dir="$out/$size"; step=0
  mkdir -p "$run_dir"
  echo "== $size"
  start_session "$size" 1033
  local main
  main=$(find_window "^ORV Function Set Tool$")
  # The overview follows the loading cover once the simulated controller is read.
  loaded "Connecting"
  sleep 1
  shot overview
  if [ -z "$main" ]; then fail "$size: the main window shows, titled \"ORV Function Set Tool\""; stop_session; return; fi
  pass "$size: the main window shows, titled \"ORV Function Set Tool\""
  local mx my mw mh s
  read -r mx my mw mh < <(geometry "$main")
  s=$(awk -v w="$mw" 'BEGIN {print w / 1700}')
  check "$size: the main window (${mw}x${mh}+${mx}+${my}) lies wholly on the screen" \
    inside_screen "$mx" "$my" "$mw" "$mh" "$sw" "$sh"
  check "$size: the main window keeps its proportions and is no larger than 1700x900" \
    awk -v w="$mw" -v h="$mh" 'BEGIN {exit !(w <= 1700 && h <= 900 && (w / h - 17 / 9.0) ^ 2 < 0.0004)}'

  # Menus: top-left corner at the point the window gives, inside the screen, keyboard.
  local name file button ax ay gx gy gw gh
  for name in File Help Language; do
    case $name in
      File) file=FileMenu_english.xml button=FileMenuBtn
        read -r ax ay < <(to_screen "$mx" "$my" "$s" 0 35) ;;
      Help) file=HelpMenu_english.xml button=HelpMenuBtn
        read -r ax ay < <(to_screen "$mx" "$my" "$s" 157 35) ;;
      Language) file=Language.xml button=LanguageBtn
        read -r ax ay < <(to_screen "$mx" "$my" "$s" $((1700 - 298)) 35) ;;
    esac
    gx=""
    click_control "$mx" "$my" "$s" MainWindow.xml "$button"
    read -r gx gy gw gh < <(menu_geometry "$file")
    shot "menu-$name"
    if [ -z "${gx:-}" ]; then fail "$size: the $name menu opens"; continue; fi
    check "$size: the $name menu (${gw}x${gh}+${gx}+${gy}) lies on the screen with its top-left corner at ($ax,$ay)" \
      menu_in_place "$gx" "$gy" "$gw" "$gh" "$ax" "$ay" "$sw" "$sh"
    xdotool key Escape
    check "$size: Escape closes the $name menu" menu_gone "$file"
  done

  # The File menu answers the arrow keys and Enter: its last item opens the exit inquiry,
  # and Escape cancels that.
  click_control "$mx" "$my" "$s" MainWindow.xml FileMenuBtn
  menu_geometry FileMenu_english.xml >/dev/null
  xdotool key Down Down End
  sleep 0.2
  shot menu-keys
  xdotool key Return
  local exitq
  exitq=$(find_window "Exit")
  shot exit-inquiry
  check "$size: End and Enter in the File menu open the exit inquiry" test -n "$exitq"
  if [ -n "$exitq" ]; then
    check "$size: the exit inquiry is transient for the main window" transient_for "$exitq" "$main"
    xdotool key Escape
    check "$size: Escape closes the exit inquiry and the tool stays" gone_but_main_stays "Exit –"
  fi

  # A profile: Enter in the profile dialog edits it.
  click_control "$mx" "$my" "$s" MainWindow.xml ProFileIndex1
  local pform
  pform=$(find_window "Profile –")
  shot profile-dialog
  check "$size: the profile dialog shows with a readable title" test -n "$pform"
  xdotool key Return
  check "$size: Enter in the profile dialog takes its primary button" gone "Profile –"
  sleep 1.5
  shot profile-chosen

  # The rename dialog: its edit box has the focus, so clearing it and pressing Enter asks for
  # a name in a message box owned by the dialog; Enter closes the box, Escape the dialog.
  click_control "$mx" "$my" "$s" MainWindow.xml FileMenuBtn
  menu_geometry FileMenu_english.xml >/dev/null
  xdotool key Home Return
  local rename box
  rename=$(find_window "Rename profile")
  check "$size: Home and Enter in the File menu open the rename dialog" test -n "$rename"
  if [ -n "$rename" ]; then
    sleep 0.3
    xdotool key ctrl+a BackSpace Return
    box=$(find_window "Warning")
    shot rename-empty-name
    check "$size: typing reaches the rename dialog's edit box at once (an emptied name is refused)" test -n "$box"
    if [ -n "$box" ]; then
      check "$size: the message box is transient for the rename dialog" transient_for "$box" "$rename"
      check "$size: the message box is the top window" test "$(top_window)" = "$(hex "$box")"
      xdotool key Return
      check "$size: Enter closes the message box" gone "Warning"
    fi
    xdotool key Escape
    check "$size: Escape closes the rename dialog" gone "Rename profile"
  fi

  # Export's file dialog (Qt's own here: no desktop portal in this session) belongs to the
  # main window, so the window manager keeps it above it; Escape cancels it.
  click_control "$mx" "$my" "$s" MainWindow.xml FileMenuBtn
  menu_geometry FileMenu_english.xml >/dev/null
  xdotool key Home Down Down Down Down Return
  local chooser
  chooser=$(find_window "Export settings")
  shot export-dialog
  check "$size: Export in the File menu opens the file dialog, titled \"Export settings\"" test -n "$chooser"
  if [ -n "$chooser" ]; then
    check "$size: the export file dialog is transient for the main window" transient_for "$chooser" "$main"
    xdotool key Escape
    check "$size: Escape cancels the export file dialog" gone "Export settings"
  fi

  # An editor stays above the main window and keeps the input.
  click_control "$mx" "$my" "$s" MainWindow.xml J_A_P
  local editor ex ey ew eh
  editor=$(find_window "Button functions")
  shot editor
  if [ -z "$editor" ]; then
    fail "$size: the A cell opens the function editor"
  else
    read -r ex ey ew eh < <(geometry "$editor")
    check "$size: the function editor lies on the screen" inside_screen "$ex" "$ey" "$ew" "$eh" "$sw" "$sh"
    # Its short-press menu opens at (right - 581, top - 160) of the editor, kept on screen.
    local ar at
    read -r ar at < <(awk -v x="$ex" -v y="$ey" -v w="$ew" -v s="$s" \
      'BEGIN {printf "%d %d\n", x + w - 581 * s + 0.5, y - 160 * s + 0.5}')
    click_control "$ex" "$ey" "$s" FunButtonForm_english.xml PressBtn
    read -r gx gy gw gh < <(menu_geometry BtnSetGreedMenu.xml)
    shot editor-menu
    if [ -z "${gx:-}" ]; then
      fail "$size: the short-press menu opens"
    else
      check "$size: the short-press menu (${gw}x${gh}+${gx}+${gy}) lies on the screen at its anchor ($ar,$at)" \
        menu_in_place "$gx" "$gy" "$gw" "$gh" "$ar" "$at" "$sw" "$sh"
      xdotool key Escape
      menu_gone BtnSetGreedMenu.xml
    fi
    # A click on an empty part of the main window (below the controller picture).
    local px py
    read -r px py < <(to_screen "$mx" "$my" "$s" 1350 800)
    xdotool mousemove "$px" "$py" click 1
    sleep 0.8
    shot click-on-main-window
    check "$size: after a click on the main window the editor is still the top window" \
      test "$(top_window)" = "$(hex "$editor")"
    check "$size: ... and the active one" test "$(active_window)" = "$(hex "$editor")"
    xdotool key Escape
    check "$size: the editor takes the keyboard: Escape closes it" gone "Button functions"
  fi

  # Save: a click on the Save button's place reaches it; Escape and Enter answer the prompt.
  click_control "$mx" "$my" "$s" MainWindow.xml SaveBtn
  local save
  save=$(find_window "Save profile")
  shot save-prompt
  check "$size: a click on the Save button's place opens the save prompt" test -n "$save"
  if [ -n "$save" ]; then
    xdotool key Escape
    check "$size: Escape cancels the save prompt" gone "Save profile"
    click_control "$mx" "$my" "$s" MainWindow.xml SaveBtn
    find_window "Save profile" >/dev/null
    xdotool key Return
    local saved
    saved=$(find_window "Profile saved")
    shot saved
    check "$size: Enter in the save prompt saves (the save notice shows)" test -n "$saved"
    xdotool key Return
    check "$size: Enter closes the save notice" gone "Profile saved"
  fi
  sleep 0.5
  shot end
  stop_session
}

# Japanese, and a device pixel ratio of 1.5: the titles and the fit.
variant() {  # name size language-id extra-env...
  local label=$1 size=$2 lang=$3; shift 3
  local sw=${size%x*} sh=${size#*x}
  run_dir="$out/$label"; step=0
  mkdir -p "$run_dir"
  echo "== $label ($size)"
  start_session "$size" "$lang" "$@"
  local title="ORV Function Set Tool"
  [ "$lang" = 1041 ] && title="ORV 機能設定ツール"
  local main mx my mw mh
  main=$(find_window "^$title$")
  if [ "$lang" = 1041 ]; then loaded "接続中"; else loaded "Connecting"; fi
  sleep 1
  shot overview
  if [ -z "$main" ]; then fail "$label: the main window is titled \"$title\""; stop_session; return; fi
  pass "$label: the main window is titled \"$title\""
  read -r mx my mw mh < <(geometry "$main")
  check "$label: the main window (${mw}x${mh}+${mx}+${my}) lies wholly on the screen" \
    inside_screen "$mx" "$my" "$mw" "$mh" "$sw" "$sh"
  local s
  s=$(awk -v w="$mw" 'BEGIN {print w / 1700}')
  click_control "$mx" "$my" "$s" MainWindow.xml FileMenuBtn
  sleep 0.3
  shot file-menu
  xdotool key Escape
  click_control "$mx" "$my" "$s" MainWindow.xml ProFileIndex2
  sleep 0.5
  shot profile-dialog
  xdotool key Escape
  stop_session
}

for size in "${sizes[@]}"; do
  walk "$size"
done
variant japanese-1366x768 1366x768 1041
variant ratio-1.5-1920x1080 1920x1080 1033 QT_SCALE_FACTOR=1.5

echo "screenshots: $out"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
