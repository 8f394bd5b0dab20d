#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up to the main window shown (offscreen, warm disk), against a bare Qt
# window; then opening a 300-token sheet and the peak memory with it open.
set -euo pipefail
bin=${1:-build/bin}
export QT_QPA_PLATFORM=offscreen
sheet=$(mktemp --suffix=.txt)
trap 'rm -f "$sheet"' EXIT
for i in $(seq 75); do
  printf 'C       Am      F       G7\r\n\x82\xe4\x82\xa4\x82\xe2\x82\xaf \x82\xb1\x82\xe2\x82\xaf\x82\xcc\r\n'
done > "$sheet"
cd "$bin"
hyperfine -N --warmup 3 --runs 20 './startup_probe tamblin' './startup_probe bare' './startup_probe bare-menu'
for i in 1 2 3 4 5; do ./startup_probe open "$sheet"; done
/usr/bin/time -f 'peak memory with the sheet open: %M KB' ./startup_probe open "$sheet"
