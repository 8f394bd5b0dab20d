#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The library in the program: 10,000 generated sheets; the window's start
# with the library against without it (the scan runs behind the shown
# window), the first scan and a start with nothing changed, as the panel
# lists them, and the peak memory. Then the index's own figures.
set -euo pipefail
bin=$(cd "${1:-build/bin}" && pwd)
count=${2:-10000}
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work" "$bin/startup_probe.INI" "$bin/library.sqlite"* ' EXIT
"$bin/bench_library" --generate "$work/lib" "$count"
cd "$bin"
rm -f library.sqlite*
printf '[Library]\r\nFolder1=%s/lib\r\n' "$work" > startup_probe.INI
echo "first scan:"
./startup_probe library "$count"
echo "nothing changed:"
./startup_probe library "$count"
echo "to the shown window, with the library:"
hyperfine -N --warmup 2 --runs 15 './startup_probe tamblin' 2>/dev/null | grep -E 'Time|Range'
rm startup_probe.INI
echo "without:"
hyperfine -N --warmup 2 --runs 15 './startup_probe tamblin' 2>/dev/null | grep -E 'Time|Range'
"$bin/bench_library" "$count"
