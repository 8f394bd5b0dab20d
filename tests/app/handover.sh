#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Files that cannot be opened, handed twice in a row to the running Tamblin:
# each gets its message, the window survives every OK, and the close that
# follows writes the settings as usual.
set -euo pipefail
bin=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$bin/tamblin" "$bin/POSITION.INI" "$bin/samples" "$work/"
cd "$work"
export QT_QPA_PLATFORM=xcb
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
cp "$here/x11lib.sh" lib.sh

mkdir folder sub
# Left by a kill while a chord was added, an hour ago: gone after the start.
printf 'half' > POSITION.INI.Ab12Cd
touch -d '1 hour ago' POSITION.INI.Ab12Cd
mkfifo fifo
truncate -s 5M big.txt
# A lone high surrogate in UTF-16.
printf '\xff\xfeC\x00\r\x00\n\x00\x00\xd8a\x00' > broken16.txt

cat > drive.sh <<'INNER'
set -eu
. ./lib.sh
./tamblin samples/furusato.txt & pid=$!
wid=$(find_visible '^Tamblin')
boxes() { xdotool search --onlyvisible --name '^Quillanfret$' 2>/dev/null || true; }
has_box() { [ -n "$(boxes)" ]; }
# Answers every message box until none has come up for a second.
answer_all() {
  local n=0 quiet=0
  until_true has_box
  while [ "$quiet" -lt 10 ]; do
    b=$(boxes | tail -1)
    if [ -n "$b" ]; then
      # Typed at the focused box (XTEST), as a person would: a key sent to
      # one window would reach the box under it too.
      xdotool windowfocus --sync "$b" 2>/dev/null || true
      xdotool key Return
      n=$((n + 1)); quiet=0
      kill -0 $pid || { echo "FAIL: tamblin died after OK ($1)"; exit 1; }
    else
      quiet=$((quiet + 1))
    fi
    sleep 0.1
  done
  kill -0 $pid || { echo "FAIL: tamblin died ($1)"; exit 1; }
  echo "$1: $n OK pressed, still running"
}
for bad in /nonexistent/missing.txt "$PWD/folder" "$PWD/fifo" "$PWD/big.txt" "$PWD/broken16.txt"; do
  timeout 10 ./tamblin "$bad"
  timeout 10 ./tamblin "$bad"
  answer_all "$bad"
done
# A relative name is taken from the folder of the start that hands it over.
(cd sub && timeout 10 ../tamblin nothere.txt && timeout 10 ../tamblin nothere.txt)
answer_all "sub/nothere.txt"
menu f x
for i in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then kill $pid; echo "FAIL: tamblin did not close"; exit 1; fi
wait $pid
INNER
"$here/xvfb.sh" bash drive.sh

[ ! -e POSITION.INI.Ab12Cd ] || { echo "FAIL: a stale dictionary temporary was kept"; exit 1; }
ini=config/tamblin/tamblin.INI
[ -f "$ini" ] || ini=tamblin.INI
fail() { echo "FAIL: $*"; iconv -f CP932 -t UTF-8 "$ini" || true; exit 1; }
[ -f "$ini" ] || fail "no settings file written at the close"
grep -qa "^1=$work/samples/furusato.txt"$'\r$' "$ini" || fail "the open sheet is not in the history"
echo "handover: ok"
