#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real tamblin from a copy of build/bin under Xvfb, opens a sample
# sheet through File > Open, sets capo 2 with the key "2", closes the window
# by File > Exit and checks the settings file it wrote.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/workdir.sh"

cat > drive.sh <<'INNER'
set -eu
. ./lib.sh
./tamblin & pid=$!
wid=$(find_visible '^Tamblin$')
menu f o
dlg=$(find_visible 'ファイルを開く')
# Focus may still move while the menu closes, and Return may first take the
# completer's suggestion when its list has come up: so the name is typed
# anew (over a selection of all) until the dialog has gone. The sheet is
# open once the dialog has gone: both happen in one call.
for _ in 1 2 3 4 5; do
  focus "$dlg"
  xdotool key ctrl+a
  xdotool type --delay 10 "$PWD/samples/furusato.txt"
  xdotool key Return
  for _ in $(seq 20); do gone 'ファイルを開く' && break; sleep 0.1; done
  gone 'ファイルを開く' && break
done
until_true gone 'ファイルを開く'
# The sheet is open (its name reaches the settings within seconds), then the
# capo key is taken (so does the capo) before the next sheet comes.
until_true grep -qa 'furusato' tamblin.INI || { echo "the sheet was not opened"; exit 1; }
# A key sent while the closed dialog still held the focus is lost: sent again
# (the same capo), at most five times.
for _ in 1 2 3 4 5; do
  focus "$wid"
  xdotool key 2
  for _ in $(seq 40); do grep -qa $'^Capo=2\r$' tamblin.INI && break; sleep 0.1; done
  grep -qa $'^Capo=2\r$' tamblin.INI && break
done
grep -qa $'^Capo=2\r$' tamblin.INI || { echo "the capo key was not taken"; exit 1; }
# A second start with a file (relative to its folder, its name after "--"
# as it starts with a dash) hands it over and ends.
cp samples/sakura.txt ./-sakura.txt
timeout 10 ./tamblin -- -sakura.txt || { echo "second start failed"; exit 1; }
menu f x
for i in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then kill $pid; echo "tamblin did not close"; exit 1; fi
wait $pid
INNER
# Each shell test looks for a free display from a number of its own: two
# `xvfb-run -a` started at once (ctest -j) would both take :99.
"$here/xvfb.sh" bash drive.sh

ini=tamblin.INI
fail() { echo "FAIL: $*"; iconv -f CP932 -t UTF-8 "$ini" || true; exit 1; }
[ -f "$ini" ] || fail "no settings file written"
grep -qa $'^Capo=2\r$' "$ini" || fail "capo 2 not saved"
grep -qa "^2=$work/samples/furusato.txt"$'\r$' "$ini" || fail "sheet not in the history"
grep -qa "^1=$work/-sakura.txt"$'\r$' "$ini" || fail "the second start's sheet was not opened"
grep -qa "^PreOpenedDir=$work/samples/"$'\r$' "$ini" || fail "folder not remembered"
grep -qa $'^Filename=POSITION.INI\r$' "$ini" || fail "position file name not saved"
grep -qa $'^Width=9600\r$' "$ini" || fail "window width not half the screen"

# --help and --version answer without a window and write nothing.
rm -f tamblin.INI
./tamblin --version | grep -q '^tamblin [0-9]' || fail "no version"
./tamblin --help | grep -q 'Usage: tamblin' || fail "no usage"
[ ! -e "$ini" ] || fail "--help or --version wrote settings"
# --version wins over a file and says it is not opened; two files are refused.
./tamblin samples/furusato.txt --version 2>err.txt | grep -q '^tamblin [0-9]' || fail "no version"
grep -q 'furusato.txt' err.txt || fail "the unopened file was not named"
set +e; ./tamblin a.txt b.txt 2>/dev/null; rc=$?; set -e
[ "$rc" -eq 2 ] || fail "two files: exit $rc, not 2"

# Without its position file the program says so in a box titled Quillanfret
# and ends, writing nothing.
rm -f POSITION.INI tamblin.INI
cat > missing.sh <<'INNER'
set -eu
. ./lib.sh
./tamblin & pid=$!
wid=$(find_visible '^Quillanfret$')
focus "$wid"; xdotool key Return
for i in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
set +e; wait $pid; echo "exit $?" > exit.txt
INNER
"$here/xvfb.sh" bash missing.sh
grep -q 'exit 1' exit.txt || fail "a missing position file did not end the program"
[ ! -e "$ini" ] || fail "settings written although the program did not start"
echo "e2e: ok"
