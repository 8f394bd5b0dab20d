# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the shell tests that drive the real program: a copy of the
# build's bin folder ($1) with its samples in a temporary folder, which
# becomes the current one and is removed at exit; a real X window, whatever
# the other tests use; the user's own folders kept out (a position file
# there would be found); the X helpers beside it as lib.sh for the script
# the private Xvfb runs.
bin=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$bin/tamblin" "$bin/POSITION.INI" "$bin/samples" "$work/"
cd "$work"
export QT_QPA_PLATFORM=xcb
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
# Every step waits for the window state it needs, never for a fixed time.
cp "$here/x11lib.sh" lib.sh
