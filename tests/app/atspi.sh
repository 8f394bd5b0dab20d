#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A screen reader's view: on a private session and accessibility bus, the
# score of the real program is a list whose items name each cell's chord,
# fingering and lyric, as Orca would read them.
set -euo pipefail
bin=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$bin/tamblin" "$bin/POSITION.INI" "$bin/samples" "$work/"
cd "$work"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"

cat > drive.sh <<INNER
# The accessibility bus is started by D-Bus activation, when first asked for.
./tamblin samples/sakura.txt & pid=\$!
/usr/bin/python3 "$here/atspi_tree.py" > tree.txt; rc=\$?
kill \$pid; wait \$pid || true
exit \$rc
INNER
dbus-run-session -- "$here/xvfb.sh" bash drive.sh 2>/dev/null || { echo "FAIL: no tree"; cat tree.txt; exit 1; }

fail() { echo "FAIL: $*"; cat tree.txt; exit 1; }
grep -q '^ *list: ' tree.txt || fail "the score is no list"
for item in 'Am, 押さえ方 1/3, さくら' 'E7, 押さえ方 1/3, さくら' 'Dm, 押さえ方 1/3, 空は' \
  'Cm7, 押さえ方 1/3, 出ずる' 'さくらさくら  （日本古謡）'; do
  sed 's/^ *//' tree.txt | grep -qxF "list item: $item" || fail "no cell \"$item\""
done
# One item per cell of the sheet, and nothing else in the list.
[ "$(grep -c '^ *list item: ' tree.txt)" -eq 31 ] || fail "not one item per cell"
echo "ok: $(grep -c '^ *list item: ' tree.txt) cells read"
