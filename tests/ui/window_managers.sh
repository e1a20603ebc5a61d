#!/usr/bin/env bash
# The real program under a real window manager on a virtual screen:
#   window_managers.sh VAPOMET WINDOW_MANAGER [SCREENSHOT_FOLDER]
# WINDOW_MANAGER is openbox, metacity, xfwm4 or none. Checks, through the X server's own view:
# "->Next Page" and "Next Page ->", pressed from the keyboard, bring pages 2 and 3 above page 1;
# after a message box is answered, page 1 is the active window and the refused text is selected
# in its box, so that what is typed next replaces it. Exit status 77 (a skip) when Xvfb, the
# window manager or the X tools are not installed: it never passes without having run.
set -uo pipefail
vapomet=$1 wm=$2 shots=${3:-}

for tool in Xvfb xdotool xprop xwininfo $([ "$wm" = none ] || echo "$wm"); do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is not installed (scripts/setup.sh installs it)"
    exit 77
  fi
done
if [ "$wm" = xfwm4 ] && [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
  # xfwm4 wants a session bus.
  command -v dbus-run-session >/dev/null || { echo "SKIPPED: dbus-run-session is not installed"; exit 77; }
  exec dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A virtual screen of its own, at a display number no other X server of the machine uses: the
# servers of a chroot share the machine's abstract sockets, which clients try first.
screen_up=no
for _ in $(seq 20); do
  export DISPLAY=":$((200 + RANDOM % 700))"
  # -noreset: without it the server starts afresh whenever its last client leaves, and a client
  # that comes just then is refused.
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do
    kill -0 "$xvfb" 2>/dev/null || break
    xprop -root >/dev/null 2>&1 && { screen_up=yes; break; }
    sleep 0.1
  done
  [ "$screen_up" = yes ] && { pids+=("$xvfb"); break; }
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
done
if [ "$screen_up" = no ]; then
  echo "FAILED ($wm): no virtual screen could be started"
  cat "$work/xvfb.log"
  exit 1
fi
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
export QT_QPA_PLATFORM=xcb

case $wm in
  openbox) openbox >"$work/wm.log" 2>&1 & pids+=($!) ;;
  metacity) metacity >"$work/wm.log" 2>&1 & pids+=($!) ;;
  xfwm4) xfwm4 --compositor=off >"$work/wm.log" 2>&1 & pids+=($!) ;;
  none) ;;
esac
# A window manager is ready once it lists what it supports on the root window.
if [ "$wm" != none ]; then
  ready=no
  for _ in $(seq 300); do
    xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_ACTIVE_WINDOW && { ready=yes; break; }
    sleep 0.1
  done
  if [ "$ready" = no ]; then
    echo "FAILED ($wm): the window manager did not start"
    cat "$work/wm.log"
    exit 1
  fi
fi

"$vapomet" >"$work/vapomet.log" 2>&1 &
pids+=($!)

failures=0
fail() {
  echo "FAILED ($wm): $*"
  failures=$((failures + 1))
  # What the X server had then, for whoever reads the log.
  echo "  active window: $(active 2>&1); from the top:"
  for id in $(stacking); do echo "    $id $(xdotool getwindowname "$id" 2>/dev/null)"; done
}

window() {  # the visible top-level window with exactly this title
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}
wait_window() {
  for _ in $(seq 300); do
    local id
    id=$(window "$1")
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
# Top-level windows from the top down, as the X server stacks them (client windows under a
# window manager, which reparents them into its frames).
stacking() {
  if [ "$wm" = none ]; then
    xwininfo -root -children | awk '/^ +0x/ { print $1 }' |
      while read -r id; do printf '%d\n' "$id"; done
  else
    xprop -root -notype _NET_CLIENT_LIST_STACKING | tr -cs '0-9xa-f' '\n' | grep '^0x' |
      while read -r id; do printf '%d\n' "$id"; done | tac
  fi
}
above() {  # whether window $1 stands above window $2
  local order
  order=$(stacking)
  local a b
  a=$(grep -nx "$1" <<<"$order" | cut -d: -f1)
  b=$(grep -nx "$2" <<<"$order" | cut -d: -f1)
  [ -n "$a" ] && [ -n "$b" ] && [ "$a" -lt "$b" ]
}
active() {
  if [ "$wm" = none ]; then xdotool getwindowfocus; else xdotool getactivewindow; fi
}
# Polls a condition for up to five seconds: a loaded machine answers late, not differently.
eventually() {
  for _ in $(seq 50); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}
is_active() { [ "$(active)" = "$1" ]; }
gone() { [ -z "$(window "$1")" ]; }
settle() { sleep 0.3; }
shot() {
  [ -n "$shots" ] || return 0
  mkdir -p "$shots"
  command -v import >/dev/null && import -window root "$shots/$wm-$1.png"
}

main=$(wait_window "IAPWS - 1") || {
  fail "page 1 never appeared"
  cat "$work/vapomet.log" "$work/xvfb.log" "$work/wm.log" 2>/dev/null
  exit 1
}
page2=$(wait_window "IAPWS - 2") || fail "page 2 never appeared"
page3=$(wait_window "IAPWS - 3") || fail "page 3 never appeared"
eventually is_active "$main" || fail "page 1 is not active after start-up"
eventually above "$main" "$page2" || fail "page 1 is not above page 2 after start-up"
shot start

# Page 1's focus starts in the P box: Tab three times reaches "->Next Page".
xdotool key Tab Tab Tab Return
eventually above "$page2" "$main" || fail "\"->Next Page\" left page 2 under page 1"
eventually is_active "$page2" || fail "\"->Next Page\" did not make page 2 active"
shot page2

# Page 2's focus starts on "Next Page ->".
xdotool key Return
eventually above "$page3" "$main" || fail "\"Next Page ->\" left page 3 under page 1"
eventually above "$page3" "$page2" || fail "\"Next Page ->\" left page 3 under page 2"
eventually is_active "$page3" || fail "\"Next Page ->\" did not make page 3 active"
shot page3

# Back on page 1 ("->Next Page" still has the focus), Tab to the P box, which selects its
# text; a text that is no number and Enter bring the message box.
if [ "$wm" = none ]; then xdotool windowfocus --sync "$main"; else xdotool windowactivate --sync "$main"; fi
xdotool windowraise "$main"
eventually is_active "$main" || fail "page 1 could not be activated"
xdotool key Tab type abc
xdotool key Return
box=$(wait_window "Vapomet") || fail "no message box for the text abc"
eventually is_active "$box" || fail "the message box is not the active window"
shot message
xdotool key Return
eventually gone Vapomet || fail "the message box stays after OK"
eventually is_active "$main" || fail "page 1 is not active after the message box"
settle
shot after-message
# The refused text is selected in the P box: typing replaces it, and 2 MPa at 500 K is a
# press without a message.
xdotool type 2
xdotool key Return
sleep 1
[ -z "$(window Vapomet)" ] || fail "typing after the message did not replace the refused text"
shot after-correction

echo "$wm: $failures failures"
[ "$failures" -eq 0 ]
