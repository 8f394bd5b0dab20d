# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers for driving the real program under Xvfb with xdotool: every step
# waits for the window state it needs, never for a fixed time. Sourced by the
# shell tests; `pid` is the program's, `wid` its main window.
# Polls a command for up to 20 seconds.
until_true() {
  for _ in $(seq 200); do "$@" && return 0; sleep 0.1; done
  echo "timed out: $*"
  for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do echo "visible: $w $(xdotool getwindowname "$w")"; done
  echo "focus: $(xdotool getwindowfocus)"
  return 1
}
# xdotool dies of an X error when a window goes while it looks at it: every
# search is repeated until it answers.
find_visible() {
  local w
  for _ in $(seq 200); do
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  echo "timed out: no window $1" >&2; return 1
}
visible_count() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }
more_visible_than() { [ "$(visible_count)" -gt "$1" ]; }
focused_is() { [ -n "$1" ] && [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
# A window is gone only when a search finds none without an X error: one that
# dies of an error (a pop-up closing while it looks) proves nothing, and a
# key sent then would go to a window still blocked by the dialog.
no_window() {
  local err
  err=$(xdotool search --onlyvisible --name "$1" 2>&1 >/dev/null) && return 1
  [ -z "$err" ]
}
gone() { xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1 && no_window "$1"; }
focus() { xdotool windowfocus --sync "$1"; until_true focused_is "$1"; }
# Opens a menu of the main window with Alt+key once it has focus, and picks
# an item by its letter once the menu is on screen.
menu() {
  focus "$wid"
  local before; before=$(visible_count)
  xdotool key "alt+$1"
  until_true more_visible_than "$before"
  xdotool key "$2"
}
