#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A second start finds the running Tamblin, asks it to come forward and ends
# at once without touching the settings file. A socket planted by another
# user is never trusted.
set -euo pipefail
bin=$1
work=$(mktemp -d)
cp -r "$bin/tamblin" "$bin/POSITION.INI" "$work/"
cd "$work"
export QT_QPA_PLATFORM=offscreen
# The socket lives in a folder only this user can write.
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
hash=$(printf '%s' "$(realpath ./tamblin)" | sha1sum | cut -c1-12)
socket="$XDG_RUNTIME_DIR/tamblin-$hash"
pids=()
# A signal makes a Tamblin write its settings as it ends: waited for.
trap 'kill "${pids[@]}" 2>/dev/null || true; wait || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
wait_socket() { for i in $(seq 200); do [ -S "$1" ] && return; sleep 0.05; done; fail "nobody listens on $1"; }

./tamblin 2>/dev/null & first=$!; pids+=($first)
wait_socket "$socket"
start=$(date +%s%N)
timeout 10 ./tamblin 2>/dev/null || fail "second start exited with $?"
elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
kill -0 $first || fail "the first instance is gone"
[ ! -e tamblin.INI ] || fail "a settings file was written"
echo "second start ended after ${elapsed} ms"
[ "$elapsed" -lt 3000 ] || fail "the second start took too long"
kill $first; wait $first || true

# Another user's socket at our name (only root can plant one here) makes
# our start go on normally, never talk to it.
if [ "$(id -u)" -eq 0 ]; then
  rm -f "$socket"
  python3 -c 'import socket,sys,time; s=socket.socket(socket.AF_UNIX); s.bind(sys.argv[1]); s.listen(); time.sleep(60)' "$socket" & pids+=($!)
  wait_socket "$socket"
  chown 65534 "$socket"
  ./tamblin 2>/dev/null & squatted=$!; pids+=($squatted)
  sleep 2
  kill -0 $squatted || fail "a squatted socket stopped the start"
  echo "squatted socket: started normally"
  # With no runtime folder, a folder of the temporary folder that another
  # user owns is not used either.
  kill $squatted; wait $squatted || true
  tmp="$work/tmp"; mkdir "$tmp"; mkdir -m 700 "$tmp/tamblin-$(id -u)"; chown 65534 "$tmp/tamblin-$(id -u)"
  env -u XDG_RUNTIME_DIR TMPDIR="$tmp" ./tamblin 2>/dev/null & foreign=$!; pids+=($foreign)
  sleep 2
  kill -0 $foreign || fail "a foreign temporary folder stopped the start"
  [ -z "$(ls -A "$tmp/tamblin-$(id -u)")" ] || fail "a socket was made in another user's folder"
fi
echo "instance: ok"
