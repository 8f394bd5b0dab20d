#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The command line's PDF export: a sheet's chords as written at its own
# capo, as they sound at capo 0, moved by --transpose; no window, no display,
# nothing written but the PDF; a sheet that cannot be read is exit status 1.
set -euo pipefail
bin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$bin/tamblin" "$bin/POSITION.INI" "$work/"
cd "$work"
unset DISPLAY QT_QPA_PLATFORM
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 run
printf '{title: Grace}\r\n{capo: 2}\r\n[G]Amazing [D7]grace\r\n' > grace.cho
printf 'Sakura\r\nKey: C  Capo 3\r\nC     G\r\nla    li\r\n' > sakura.txt
printf 'Am    Dm\r\nla    li\r\n' > plain.txt

fail() { echo "FAIL: $*"; exit 1; }
# The chord names of a PDF, in order, on one line.
chords() { pdftotext "$1" - | grep -E '^[A-G][#b]?m?[0-9]*$' | tr '\n' ' '; }
check() { # expected chords, then the arguments
  local want=$1; shift
  rm -f out.pdf
  ./tamblin --pdf out.pdf "$@" 2>err.txt || fail "$* exited $?: $(cat err.txt)"
  [ "$(chords out.pdf)" = "$want" ] || fail "$*: got '$(chords out.pdf)', want '$want'"
}
# A session's capo is not the sheet's.
printf '[Setting]\r\nCapo=5\r\n' > tamblin.INI
check "G D7 " grace.cho
check "Am Dm " plain.txt
check "A E7 " --capo 0 grace.cho
check "A# F7 " --capo 0 --transpose=1 grace.cho
check "C G " sakura.txt
check "F C " --capo 0 --transpose 2 sakura.txt
pdftotext out.pdf - | grep -q "la" || fail "no lyric in the PDF"

if ./tamblin --pdf out.pdf missing.txt 2>err.txt; then fail "a missing sheet succeeded"; fi
grep -q "missing.txt" err.txt || fail "the message names no file: $(cat err.txt)"
# Nothing but the PDFs: no settings beside the program or in the config.
[ "$(cat tamblin.INI)" = "$(printf '[Setting]\r\nCapo=5\r\n')" ] && [ ! -e config/tamblin ] ||
  fail "settings were written"

# The songbook layout, as the settings choose it: the title, key and capo,
# the chord strip before the lyrics, names over words; 300 cells on two
# pages at most; the text searchable and its fonts embedded.
{
  printf 'Haru no uta\r\nKey: C\r\n'
  for i in $(seq 75); do
    printf 'C       G       Am      F7\r\nはるの  うらら  のぼり  くだり\r\n'
    [ $((i % 4)) -ne 0 ] || printf '\r\n'
  done
} > long.txt
printf '[Setting]\r\nPrintLayout=1\r\n' > tamblin.INI
./tamblin --pdf book.pdf long.txt 2>err.txt || fail "songbook: $(cat err.txt)"
pages=$(pdfinfo book.pdf | awk '/^Pages:/ {print $2}')
[ "$pages" -le 2 ] || fail "a 300-cell song took $pages songbook pages"
pdftotext book.pdf book.txt
[ "$(head -n1 book.txt)" = "Haru no uta" ] || fail "songbook title: $(head -n1 book.txt)"
grep -m1 -n 'Key: C' book.txt | grep -q 'カポなし' || fail "no key and capo line"
strip=$(grep -n -m1 -x 'F7' book.txt | cut -d: -f1)
lyric=$(grep -n -m1 'はるの' book.txt | cut -d: -f1)
[ -n "$strip" ] && [ "$strip" -lt "$lyric" ] || fail "the chord strip is not above the lyrics"
[ "$(grep -c 'はるの' book.txt)" -eq 75 ] || fail "not every lyric line is in the songbook"
! pdffonts book.pdf | tail -n +3 | awk '{print $(NF-4)}' | grep -qv yes || fail "a font not embedded"
echo "ok"
