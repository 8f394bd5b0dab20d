#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Under a real window manager (openbox), the About box is centred over the
# main window and the settings and open-file dialogs stand at their offsets
# from its frame, within a pixel.
set -euo pipefail
bin=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$bin/tamblin" "$bin/POSITION.INI" "$bin/samples" "$work/"
cd "$work"
export QT_QPA_PLATFORM=xcb

fail() { echo "FAIL: $*"; cat tamblin.err; exit 1; }

cat > drive.sh <<'INNER'
set -eu
# openbox runs its start-up command once it manages windows; a window
# mapped earlier may stay unmapped.
openbox --startup "touch wm.ready" >/dev/null 2>&1 &
for i in $(seq 200); do [ -e wm.ready ] && break; sleep 0.05; done
./tamblin 2>tamblin.err & pid=$!
find() { timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -1; }
gone() { for i in $(seq 100); do xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0; sleep 0.05; done; return 1; }
# Client rectangle as "x y w h", and the frame's offset inside it.
rect() { xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
  /Relative upper-left X/{fx=$NF} /Relative upper-left Y/{fy=$NF} /Width/{w=$NF} /Height/{h=$NF}
  END{print x, y, w, h, fx, fy}'; }
# Opens a menu item by its keys until the window named $3 shows (a key may
# reach the menu before it is up).
open_via() {
  local w
  for i in $(seq 10); do
    xdotool windowfocus "$main"; xdotool key "$1"; sleep 0.1; xdotool key "$2"
    w=$(timeout 2 xdotool search --sync --onlyvisible --name "$3" | head -1) || true
    [ -n "$w" ] && { echo "$w"; return; }
    xdotool key Escape
  done
  echo "no window $3" >&2; exit 1
}
settle() { local a b; a=$(rect "$1"); for i in $(seq 40); do sleep 0.05; b=$(rect "$1"); [ "$a" = "$b" ] && return; a=$b; done; }
main=$(find '^Tamblin$'); [ -n "$main" ] || exit 1; settle "$main"
read mx my mw mh mfx mfy < <(rect "$main")
box=$(open_via alt+h a 'バージョン情報'); settle "$box"
read bx by bw bh bfx bfy < <(rect "$box")
echo "about $(( (2*bx + bw) - (2*mx + mw) )) $(( (2*by + bh) - (2*my + mh) ))" >> result.txt
xdotool key Return; gone 'バージョン情報'
dlg=$(open_via alt+h s '^設定$'); settle "$dlg"
read sx sy sw sh sfx sfy < <(rect "$dlg")
echo "setting $(( (sx - sfx) - (mx - mfx) )) $(( (sy - sfy) - (my - mfy) ))" >> result.txt
xdotool key Escape; gone '^設定$'
dlg=$(open_via alt+f o 'ファイルを開く'); settle "$dlg"
read ox oy ow oh ofx ofy < <(rect "$dlg")
echo "open $(( (ox - ofx) - (mx - mfx) )) $(( (oy - ofy) - (my - mfy) ))" >> result.txt
xdotool key Escape; gone 'ファイルを開く'
kill $pid; wait $pid || true
INNER
"$here/xvfb.sh" bash ${WM_TRACE:+-x} drive.sh || fail "could not drive the windows"
cat result.txt
# Doubled centres: the difference of two centres may be off by one pixel.
read -r _ dx dy < <(grep '^about' result.txt)
[ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ] || fail "About box off centre by $dx/2, $dy/2"
grep -qx 'setting 13 50' result.txt || fail "settings dialog not at frame + (13, 50)"
grep -qx 'open 5 40' result.txt || fail "open-file dialog not at frame + (5, 40)"
echo "wm: ok"
