#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The keys people press, under a window manager (openbox): Ctrl+O opens,
# Tab moves a focus through the cells, Enter steps the focused cell's
# fingering, Shift+F10 opens its pop-up menu (whose "use for the whole song"
# reaches the settings within seconds), F11 and Esc enter and leave full
# screen, a sheet handed over while a dialog is open waits for it, Ctrl+Q
# quits through the close; a maximized window comes back maximized.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/workdir.sh"
printf '[Window]\r\nMaximized=True\r\n' > tamblin.INI

cat > drive.sh <<'INNER'
set -eu
. ./lib.sh
ini=tamblin.INI
fail() { echo "FAIL: $*"; iconv -f CP932 -t UTF-8 "$ini" 2>/dev/null || true; exit 1; }
openbox --startup "touch wm.ready" >/dev/null 2>&1 &
for i in $(seq 200); do [ -e wm.ready ] && break; sleep 0.05; done
state() { xprop -id "$wid" _NET_WM_STATE 2>/dev/null; }
has_state() { state | grep -q "$1"; }
./tamblin samples/furusato.txt 2>tamblin.err & pid=$!
wid=$(find_visible '^Tamblin$')
until_true has_state _NET_WM_STATE_MAXIMIZED_VERT || fail "not maximized as left"
focus "$wid"
xdotool key ctrl+o
dlg=$(find_visible 'ファイルを開く')
focus "$dlg"
xdotool key Escape
until_true gone 'ファイルを開く'
focus "$wid"
# The first chord cell, its next fingering, then its menu's fourth item.
xdotool key Tab Return
before=$(visible_count)
xdotool key shift+F10
until_true more_visible_than "$before"
xdotool key Down Down Down Down Return
until_true grep -qa '^Chords1=..*' "$ini" || fail "the fingering chosen by keys was not kept"
focus "$wid"
xdotool key F11
until_true has_state _NET_WM_STATE_FULLSCREEN
xdotool key Escape
until_true eval '! has_state _NET_WM_STATE_FULLSCREEN' || fail "Esc did not leave full screen"
# A sheet handed over while the settings dialog is open waits for it.
menu h s
dlg=$(find_visible '^設定$')
timeout 10 ./tamblin samples/sakura.txt || fail "the second start failed"
sleep 3
! grep -qa 'sakura' "$ini" || fail "a sheet was opened behind the dialog"
focus "$dlg"
xdotool key Escape
until_true gone '^設定$'
until_true grep -qa 'sakura' "$ini" || fail "the waiting sheet was not opened"
focus "$wid"
xdotool key ctrl+q
status=0
for i in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "Ctrl+Q: exit status $status"
grep -qa $'^Maximized=True\r$' "$ini" || fail "the maximized state was not kept"
INNER
"$here/xvfb.sh" bash drive.sh
echo ok
