#!/usr/bin/env bash
# A second start finds the running Tamblin, asks it to come forward and ends
# at once without touching the settings file.
set -euo pipefail
bin=$1
work=$(mktemp -d)
cp -r "$bin/tamblin" "$bin/POSITION.INI" "$work/"
cd "$work"
export QT_QPA_PLATFORM=offscreen
./tamblin 2>/dev/null & first=$!
trap 'kill $first 2>/dev/null || true; rm -rf "$work"' EXIT
# The socket's name: the user and a hash of the executable's path.
hash=$(printf '%s' "$(realpath ./tamblin)" | sha1sum | cut -c1-12)
socket="${TMPDIR:-/tmp}/tamblin-$(id -u)-$hash"
for i in $(seq 200); do
  [ -S "$socket" ] && break
  sleep 0.05
done
[ -S "$socket" ] || { echo "FAIL: the first instance did not listen on $socket"; exit 1; }
start=$(date +%s%N)
timeout 10 ./tamblin 2>/dev/null
code=$?
elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
[ "$code" -eq 0 ] || { echo "FAIL: second start exited with $code"; exit 1; }
kill -0 $first || { echo "FAIL: the first instance is gone"; exit 1; }
[ ! -e tamblin.INI ] || { echo "FAIL: a settings file was written"; exit 1; }
echo "second start ended after ${elapsed} ms"
[ "$elapsed" -lt 3000 ] || { echo "FAIL: the second start took too long"; exit 1; }
echo "instance: ok"
