#!/usr/bin/env bash
# The real program under a real window manager on a virtual screen:
#   window_managers.sh VAPOMET WINDOW_MANAGER     (openbox, metacity, xfwm4 or none)
# Checks, through the X server's own view: "->Next Page" and "Next Page ->", pressed from the
# keyboard, bring pages 2 and 3 above page 1; after a message box is answered, page 1 is active
# with the refused text selected, so that what is typed next replaces it. Exit status 77 (a
# skip) when Xvfb, the window manager or the X tools are missing: it never passes unrun.
set -uo pipefail
vapomet=$1 wm=$2
for tool in Xvfb xdotool xprop xwininfo $([ "$wm" = none ] || echo "$wm"); do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed (scripts/setup.sh installs it)"; exit 77; }
done
if [ "$wm" = xfwm4 ] && [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then  # xfwm4 wants a session bus
  command -v dbus-run-session >/dev/null || { echo "SKIPPED: dbus-run-session is not installed"; exit 77; }
  exec dbus-run-session -- "$0" "$@"
fi
work=$(mktemp -d) pids=() failures=0
trap 'kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT

# Polls a condition for up to thirty seconds: a loaded machine answers late, not differently.
eventually() { for _ in $(seq 300); do "$@" && return 0; sleep 0.1; done; return 1; }

# A virtual screen at a display number no other X server of the machine uses, which Xvfb picks
# and writes once it accepts clients (it skips a number whose socket another server holds, also
# one outside a chroot). -noreset: otherwise the server starts afresh whenever its last client
# leaves, and refuses a client that comes just then.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset \
  3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
eventually test -s "$work/display" && export DISPLAY=":$(cat "$work/display")" && xprop -root >/dev/null 2>&1 ||
  { echo "FAILED ($wm): no virtual screen"; cat "$work/xvfb.log"; exit 1; }
export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/settings"
case $wm in
  xfwm4) xfwm4 --compositor=off >"$work/wm.log" 2>&1 & pids+=($!) ;;
  none) ;;
  *) "$wm" >"$work/wm.log" 2>&1 & pids+=($!) ;;
esac

window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
# Top-level windows from the top down (client windows, which a window manager reparents).
stacking() {
  if [ "$wm" = none ]; then xwininfo -root -children | awk '/^ +0x/ { print $1 }'
  else xprop -root -notype _NET_CLIENT_LIST_STACKING | tr -cs '0-9xa-f' '\n' | grep '^0x' | tac
  fi | while read -r id; do printf '%d\n' "$id"; done
}
above() { [ "$(stacking | grep -nx -e "$1" -e "$2" | head -n 1 | cut -d: -f2)" = "$1" ]; }
active() { if [ "$wm" = none ]; then xdotool getwindowfocus; else xdotool getactivewindow; fi; }
is_active() { [ "$(active 2>/dev/null)" = "$1" ]; }
exists() { [ -n "$(window "$1")" ]; }
fail() {
  echo "FAILED ($wm): $*; active $(active 2>&1), from the top:"
  for id in $(stacking); do echo "  $id $(xdotool getwindowname "$id" 2>/dev/null)"; done
  failures=$((failures + 1))
}

[ "$wm" = none ] || eventually eval 'xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_ACTIVE_WINDOW' ||
  { echo "FAILED ($wm): the window manager did not start"; cat "$work/wm.log"; exit 1; }
"$vapomet" >"$work/vapomet.log" 2>&1 &
pids+=($!)
eventually exists "IAPWS - 3" && eventually exists "IAPWS - 1" ||
  { echo "FAILED ($wm): the pages never appeared"; cat "$work/vapomet.log"; exit 1; }
main=$(window "IAPWS - 1") page2=$(window "IAPWS - 2") page3=$(window "IAPWS - 3")
eventually is_active "$main" || fail "page 1 is not active after start-up"
# The pages open in a cascade, not one over another.
origin() { xdotool getwindowgeometry "$1" | awk '/Position/ { print $2 }'; }
[ "$(origin "$main")" != "$(origin "$page2")" ] && [ "$(origin "$page2")" != "$(origin "$page3")" ] ||
  fail "the pages opened one over another"
eventually above "$main" "$page2" || fail "page 1 is not above page 2 after start-up"

# Page 1's focus starts in the P box: Tab three times reaches "->Next Page".
xdotool key Tab Tab Tab Return
eventually above "$page2" "$main" || fail "\"->Next Page\" left page 2 under page 1"
eventually is_active "$page2" || fail "\"->Next Page\" did not make page 2 active"
xdotool key Return  # page 2's focus starts on "Next Page ->"
eventually above "$page3" "$main" && eventually above "$page3" "$page2" || fail "page 3 not in front"
eventually is_active "$page3" || fail "\"Next Page ->\" did not make page 3 active"

# Page 1 active and in front again, over the window named.
back_to_main() {
  if [ "$wm" = none ]; then xdotool windowfocus --sync "$main"; else xdotool windowactivate --sync "$main"; fi
  xdotool windowraise "$main"
  eventually is_active "$main" || fail "page 1 could not be activated over $1"
}

# Back on page 1, Tab to the P box, which selects its text; "abc" and Enter bring the box.
back_to_main "page 3"
xdotool key Tab type abc
xdotool key Return
eventually exists Vapomet && eventually is_active "$(window Vapomet)" || fail "no active message box for abc"
xdotool key Return
eventually eval '! exists Vapomet' || fail "the message box stays after OK"
eventually is_active "$main" || fail "page 1 is not active after the message box"
sleep 0.3
# The refused text is selected: typing replaces it, and 2 MPa at 500 K gives no message.
xdotool type 2
xdotool key Return
sleep 1
exists Vapomet && fail "typing after the message did not replace the refused text"

# A tool window opens in front with its key from page 1; from page 1 again it comes forward.
tool_window() {  # KEY TITLE
  back_to_main "the pages"
  xdotool key "$1"
  eventually exists "$2" || { fail "$1 opened no \"$2\""; return; }
  local tool
  tool=$(window "$2")
  eventually is_active "$tool" && eventually above "$tool" "$main" || fail "\"$2\" did not open in front"
  back_to_main "\"$2\""
  xdotool key "$1"
  eventually is_active "$tool" && eventually above "$tool" "$main" ||
    fail "$1 did not bring \"$2\" forward"
}
tool_window ctrl+t "State from two properties"
tool_window ctrl+d Diagram
echo "$wm: $failures failures"
[ "$failures" -eq 0 ]
