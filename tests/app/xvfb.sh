#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on a private Xvfb (1280x800, 24 bits). The server picks a
# free display itself (-displayfd) and says so once it answers; it is gone
# before this returns, so the next run never meets a server still closing
# (as back-to-back xvfb-run calls do). -noreset: the server does not restart
# when its last client leaves, which refused a program started right after
# another had ended. Exits with the command's status.
set -uo pipefail
dir=$(mktemp -d)
Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp -noreset 5>"$dir/display" 2>"$dir/log" &
server=$!
for _ in $(seq 200); do [ -s "$dir/display" ] && break; sleep 0.05; done
if [ ! -s "$dir/display" ]; then
  echo "Xvfb did not start:"; cat "$dir/log"; kill "$server" 2>/dev/null; rm -rf "$dir"; exit 1
fi
export DISPLAY=":$(head -1 "$dir/display")"
"$@"
rc=$?
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
rm -rf "$dir"
exit $rc
