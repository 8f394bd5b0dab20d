#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Settings survive the end of a session: SIGTERM and SIGHUP write them as a
# close does (capo, recent files) and end the program with status 0; a
# sheet opened is in the settings file within seconds, so that even a
# SIGKILL loses little.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/workdir.sh"

cat > drive.sh <<'INNER'
set -eu
. ./lib.sh
ini=tamblin.INI
fail() { echo "FAIL: $*"; iconv -f CP932 -t UTF-8 "$ini" 2>/dev/null || true; exit 1; }
for sig in TERM HUP; do
  rm -f "$ini"
  ./tamblin samples/furusato.txt & pid=$!
  wid=$(find_visible '^Tamblin$')
  focus "$wid"
  xdotool key 3
  until_true grep -qa 'furusato' "$ini" 2>/dev/null || fail "$sig: the open sheet was not committed"
  kill -"$sig" "$pid"
  status=0; wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "SIG$sig: exit status $status"
  grep -qa $'^Capo=3\r$' "$ini" || fail "SIG$sig: capo 3 not saved"
  grep -qa "^1=$PWD/samples/furusato.txt"$'\r$' "$ini" || fail "SIG$sig: not in the history"
done
# A crash: what was committed within seconds is there.
rm -f "$ini"
./tamblin samples/sakura.txt & pid=$!
until_true grep -qa 'sakura' "$ini" 2>/dev/null || fail "sakura was not committed"
kill -KILL "$pid"; wait "$pid" || true
grep -qa "^1=$PWD/samples/sakura.txt"$'\r$' "$ini" || fail "SIGKILL: not in the history"
INNER
"$here/xvfb.sh" bash drive.sh
echo ok
