#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The library and setlists on the real program under openbox: a search typed
# in the panel opens its song; a setlist played from start to end with the
# page-down key alone (page-turner mode), passing over a missing song, each
# song at the set's capo; 前の曲 goes back; the index deleted while the
# program runs is made anew and finds a sheet added meanwhile; --songbook
# writes the setlist with its contents and no settings.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/workdir.sh"
mkdir -p lib/sub setlists
cp samples/*.txt lib/
cp samples/momiji.cho lib/sub/
printf '[Library]\r\nFolder1=%s/lib\r\nSetlist=live\r\n[Window]\r\nLibrary=True\r\n[Setting]\r\nPageTurner=True\r\n' \
  "$PWD" > tamblin.INI
printf '# live\nfurusato.txt\tcapo=2\nsub/momiji.cho\tmood=calm\nmissing.txt\nsakura.txt\n' \
  > setlists/live.setlist
cp setlists/live.setlist live.before

cat > drive.sh <<'INNER'
set -eu
. ./lib.sh
ini=tamblin.INI
fail() { echo "FAIL: $*"; iconv -f CP932 -t UTF-8 "$ini" 2>/dev/null || true; cat tamblin.err; exit 1; }
openbox --startup "touch wm.ready" >/dev/null 2>&1 &
for i in $(seq 200); do [ -e wm.ready ] && break; sleep 0.05; done
./tamblin 2>tamblin.err & pid=$!
wid=$(find_visible '^Tamblin$')
until_true test -s library.sqlite || fail "no library index"
# F9 hides the panel, F9 shows it with the search field focused.
focus "$wid"
xdotool key F9
sleep 0.5
xdotool key F9
sleep 1
xdotool type --delay 30 'grace'
sleep 1
xdotool key Return
until_true grep -qa '^1=.*amazing_grace.txt' "$ini" || fail "the song searched for was not opened"
# The setlist tab, 演奏する, then the pedal alone.
focus "$wid"
xdotool key alt+2
sleep 0.3
xdotool key alt+p
until_true grep -qa '^1=.*furusato.txt' "$ini" || fail "the setlist did not start"
for i in $(seq 40); do xdotool key Next; sleep 0.1; done
until_true grep -qa '^1=.*sakura.txt' "$ini" || fail "the set was not played to its end"
grep -qa '^2=.*momiji.cho' "$ini" || fail "the second song was passed over"
xdotool key ctrl+shift+Tab
until_true grep -qa '^1=.*momiji.cho' "$ini" || fail "前の曲 did not go back"
# The index overwritten while in use: made anew, told once, a new sheet found.
head -c 20000 /dev/urandom >library.sqlite
cp lib/sakura.txt lib/sub/sakura2.txt
until_true sh -c 'head -c 15 library.sqlite | grep -qx "SQLite format 3"' ||
  fail "the damaged index was not made anew"
# Told in the program's message box, whose title is the application's.
box=$(find_visible '^Quillanfret$') || fail "the rebuild was not told"
focus "$box"
xdotool key Return
until_true gone '^Quillanfret$' || fail "the message did not close"
focus "$wid"
xdotool key ctrl+q
status=0
for i in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
# furusato was played at the set's capo 2.
grep -qa "^State[0-9]*=2 " "$ini" || fail "the set's capo was not used"
grep -qa 'ライブラリの索引' tamblin.err && fail "a message went to stderr"
sqlite3 library.sqlite "select count(*) from songs where path like '%sakura2.txt'" | grep -qx 1 ||
  fail "the sheet added after the rebuild is not in the index"
true
INNER
"$here/xvfb.sh" bash drive.sh
# Hand-written lines, the unknown option and the comment stay as written.
cmp live.before setlists/live.setlist || { echo "FAIL: the setlist was rewritten"; exit 1; }

# The songbook from the command line: contents, then each song on its own pages.
cp tamblin.INI ini.before
env -u QT_QPA_PLATFORM ./tamblin --songbook book.pdf setlists/live.setlist 2>songbook.err ||
  { echo "FAIL: --songbook"; cat songbook.err; exit 1; }
cmp -s tamblin.INI ini.before || { echo "FAIL: --songbook wrote the settings"; exit 1; }
pages=$(pdfinfo book.pdf | awk '/^Pages:/ {print $2}')
pdftotext -layout -f 1 -l 1 book.pdf contents.txt
grep -q '^live' contents.txt || { echo "FAIL: no title"; cat contents.txt; exit 1; }
grep -Eq '1\. ふるさと.* 2$' contents.txt || { echo "FAIL: contents"; cat contents.txt; exit 1; }
grep -q 'missing.txt.*(見つかりません)' contents.txt || { echo "FAIL: missing song"; exit 1; }
last=$(grep -E '4\. さくらさくら' contents.txt | awk '{print $NF}')
[ "$last" = "$pages" ] || { echo "FAIL: the last song starts on $last of $pages"; exit 1; }
pdftotext -f "$last" -l "$last" book.pdf - | grep -q 'さくら' || { echo "FAIL: page $last"; exit 1; }
grep -q 'missing.txt' songbook.err || { echo "FAIL: the missing song was not said"; exit 1; }
echo ok
