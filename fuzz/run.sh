#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets with clang (libFuzzer, ASan, UBSan) in build-fuzz/
# and runs each for the given number of seconds (default 30), starting from
# corpora seeded with the project's data and test inputs. A crash fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_sheet fuzz_position fuzz_profile fuzz_capo fuzz_chordname
  fuzz_chordpro fuzz_sheetfile fuzz_cmdline fuzz_instance fuzz_library)

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAMBLIN_FUZZ=ON -DTAMBLIN_BENCH=OFF >/dev/null
cmake --build build-fuzz --parallel --target "${targets[@]}"

corpus=build-fuzz/corpus
mkdir -p "$corpus"/{fuzz_sheet,fuzz_position,fuzz_profile,fuzz_capo,fuzz_chordname} \
  "$corpus"/{fuzz_chordpro,fuzz_sheetfile,fuzz_cmdline,fuzz_instance,fuzz_library}
# Seeds: the sample sheets behind a 3-byte header (tab 4, limit 300).
for f in data/samples/*.txt; do
  { printf '\x04\x2c\x01'; cat "$f"; } > "$corpus/fuzz_sheet/seed-$(basename "$f")"
done
cp data/POSITION.INI "$corpus/fuzz_position/seed-POSITION.INI"
printf '[C]\r\n0-1-0-2-3-X\r\n[Db]\r\n>C#\r\n[Cmaj7]\r\n3*5-5-4-5-3-X\r\n' > "$corpus/fuzz_position/seed-small"
printf '[Window]\r\nHeight=6000\r\nWidth=9600\r\n[Setting]\r\nCapo=2\r\nTabSize=4\r\n[ChordNameFont]\r\nBold=True\r\nSize=10\r\n[History]\r\n1=/a.txt\r\n' \
  > "$corpus/fuzz_profile/seed-settings"
i=0
for n in C C#m7 Bb/D ConE Dm7-5 F#dim G7sus4 Cb7 x/y; do
  i=$((i + 1))
  printf '\x02%s' "$n" > "$corpus/fuzz_capo/seed-$i"
done
i=0
for n in 'C7(b9,13)' D/F# 'C(onE)' Bbm7b5 'F#m7(11)' C6/9 E♭M9 G7alt Cmadd9 Aø7; do
  i=$((i + 1))
  printf '%s' "$n" > "$corpus/fuzz_chordname/seed-$i"
done

# The ChordPro samples; every sample's bytes, and UTF-8 and UTF-16 twins of
# one, for the decoder.
for f in data/samples/*.cho; do cp "$f" "$corpus/fuzz_chordpro/seed-$(basename "$f")"; done
printf '{title: x}\r\n{define: C base-fret 1 frets x 3 2 0 1 0}\r\n{capo: 2}\r\n{soc}\r\n[C]la [G7]li\r\n{eoc}\r\n{chorus}\r\n' \
  > "$corpus/fuzz_chordpro/seed-small"
for f in data/samples/*; do cp "$f" "$corpus/fuzz_sheetfile/seed-$(basename "$f")"; done
printf '\xef\xbb\xbfC  G\r\n\xe3\x81\x82\r\n' > "$corpus/fuzz_sheetfile/seed-utf8bom"
printf '\xff\xfeC\x00\r\x00\n\x00B0\r\x00' > "$corpus/fuzz_sheetfile/seed-utf16le"
printf '\xfe\xff\x00C\x00\n\xd8\x3d\xdc\x00' > "$corpus/fuzz_sheetfile/seed-utf16be"
printf -- '--\0-name.txt' > "$corpus/fuzz_cmdline/seed-1"
printf 'a.txt\0--version' > "$corpus/fuzz_cmdline/seed-2"
printf -- '-h\0\0b' > "$corpus/fuzz_cmdline/seed-3"
printf '\x05activate\nopen /tmp/a%%0Ab.txt\n' > "$corpus/fuzz_instance/seed-1"
printf '\x00open /home/u/\xe6\x9b\xb2.txt\n' > "$corpus/fuzz_instance/seed-2"
for f in data/samples/*; do cp "$f" "$corpus/fuzz_library/seed-$(basename "$f")"; done
printf '# set\nfurusato.txt\tcapo=2\n\n/abs/a.txt\ttranspose=-2\tx=y\nkey:G capo:3\n' \
  > "$corpus/fuzz_library/seed-setlist"
printf 'capo:37 key:Hm\n' > "$corpus/fuzz_library/seed-query"

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
for t in "${targets[@]}"; do
  echo "== $t for ${seconds}s"
  mkdir -p "build-fuzz/crashes/$t"
  log="build-fuzz/crashes/$t.log"
  status=0
  build-fuzz/fuzz/$t "$corpus/$t" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
    -max_len=65536 -artifact_prefix="build-fuzz/crashes/$t/" -print_final_stats=1 >"$log" 2>&1 ||
    status=$?
  if [ "$status" -ne 0 ] || ls "build-fuzz/crashes/$t/"* >/dev/null 2>&1; then
    # The whole report: where it failed, and the input that did it.
    grep -v -E '^#[0-9]+ +(NEW|REDUCE|pulse)' "$log" | tail -60
    echo "FAIL: $t (exit $status): $(ls "build-fuzz/crashes/$t/")"
    exit 1
  fi
  grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss)' "$log"
done
