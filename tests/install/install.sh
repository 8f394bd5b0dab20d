#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a DESTDIR and checks it as a desktop would: the
# validators pass on the desktop entry, the AppStream file and the MIME file;
# the installed program, in a read-only tree, keeps its settings in the XDG
# folders and reads them back; a portable copy keeps them beside itself; the
# Debian package holds what the install step installs.
set -euo pipefail
build=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

root=$work/root
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
usr=$root/usr
for f in bin/tamblin bin/tamblin-dict share/tamblin/POSITION.INI share/tamblin/UKULELE.INI \
  share/tamblin/samples/sakura.txt share/applications/io.github.tamblin.tamblin.desktop \
  share/metainfo/io.github.tamblin.tamblin.metainfo.xml share/mime/packages/tamblin.xml \
  share/man/man1/tamblin.1.gz share/man/man1/tamblin-dict.1.gz \
  share/icons/hicolor/scalable/apps/tamblin.svg share/icons/hicolor/symbolic/apps/tamblin-symbolic.svg \
  share/doc/tamblin/copyright share/doc/tamblin/changelog.gz share/doc/tamblin/README.md; do
  [ -e "$usr/$f" ] || fail "not installed: $f"
done
for s in 16 22 24 32 48 64 128 256 512; do
  png=$usr/share/icons/hicolor/${s}x$s/apps/tamblin.png
  [ "$(file -b "$png" | grep -o "$s x $s")" = "$s x $s" ] || fail "icon $s: $(file -b "$png")"
done

# The validators, warnings included.
desktop=$usr/share/applications/io.github.tamblin.tamblin.desktop
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop entry: $out"
# A viewer offers itself for chord sheets; it never takes over plain text.
grep -q '^MimeType=text/x-chordpro;$' "$desktop" || fail "desktop entry claims: $(grep MimeType "$desktop")"
[ -z "$out" ] || fail "desktop entry: $out"
out=$(appstreamcli validate --pedantic --no-net "$usr/share/metainfo/io.github.tamblin.tamblin.metainfo.xml" 2>&1) \
  || fail "AppStream file: $out"
! grep -q '^[EWIP]:' <<<"$out" || fail "AppStream file: $out"
# One version and date everywhere: the release list's newest line.
read -r version date _ < <(grep -m1 '^[0-9]' "$here/../../packaging/releases.txt")
grep -q "<release version=\"$version\" date=\"$date\"" \
  "$usr/share/metainfo/io.github.tamblin.tamblin.metainfo.xml" || fail "metainfo release"
[ "$("$usr/bin/tamblin" --version)" = "tamblin $version ($date)" ] || fail "--version: $("$usr/bin/tamblin" --version)"
zcat "$usr/share/man/man1/tamblin.1.gz" | grep -q "^\.TH TAMBLIN 1 \"$date\" \"Tamblin $version\"" \
  || fail "man page date or version"
zcat "$usr/share/doc/tamblin/changelog.gz" | head -1 | grep -q "^tamblin ($version)" || fail "changelog"
mime=$work/mime
mkdir -p "$mime/packages"
cp "$usr/share/mime/packages/tamblin.xml" "$mime/packages/"
out=$(update-mime-database -V "$mime" 2>&1) || fail "MIME file: $out"
! grep -qi 'warning\|error' <<<"$out" || fail "MIME file: $out"
for g in cho chopro chordpro; do
  grep -q "text/x-chordpro:\*\.$g$" "$mime/globs2" || fail "no glob *.$g"
done
man_out=$(LC_ALL=C.UTF-8 MANWIDTH=1000 man -l "$usr/share/man/man1/tamblin.1.gz" 2>&1) || fail "man page"
LC_ALL=C.UTF-8 man -l "$usr/share/man/man1/tamblin-dict.1.gz" 2>&1 | grep -q 'ukulele' || fail "tamblin-dict man page"
grep -q 'XDG_CONFIG_HOME/tamblin/tamblin.INI' <<<"$man_out" || fail "man page lacks the settings place"
grep -q 'share/tamblin/ of the prefix' <<<"$man_out" || fail "man page lacks the installed data folder"

# The installed program in a read-only tree, the user's folders in $work.
chmod -R a-w "$root"
listing() { (cd "$root" && find . -printf '%p %s %T@\n' | sort); }
before=$(listing)
export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data
export XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=xcb
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
"$usr/bin/tamblin" --help | grep -q "$XDG_CONFIG_HOME/tamblin/tamblin.INI" || fail "--help names another settings file"

cp "$here/../app/x11lib.sh" "$work/lib.sh"
cat > "$work/drive.sh" <<'INNER'
set -eu
# $1: the program, $2: a sheet, $3: the capo key.
. "$(dirname "$0")/lib.sh"
"$1" "$2" & pid=$!
wid=$(find_visible '^Tamblin$')
focus "$wid"
[ -z "$3" ] || xdotool key "$3"
menu f x
for _ in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then kill $pid; echo "tamblin did not close"; exit 1; fi
wait $pid
INNER
run() { "$here/../app/xvfb.sh" bash "$work/drive.sh" "$@"; }

ini=$XDG_CONFIG_HOME/tamblin/tamblin.INI
sheet=$usr/share/tamblin/samples/sakura.txt
run "$usr/bin/tamblin" "$sheet" 3
[ -f "$ini" ] || fail "no settings in $ini"
grep -qa $'^Capo=3\r$' "$ini" || fail "capo 3 not saved"
grep -qa "^1=$sheet"$'\r$' "$ini" || fail "sheet not in the history"
# What a first start makes is the user's alone.
[ "$(stat -c %a "$XDG_CONFIG_HOME/tamblin")" = 700 ] || fail "config folder $(stat -c %a "$XDG_CONFIG_HOME/tamblin")"
[ "$(stat -c %a "$ini")" = 600 ] || fail "settings file $(stat -c %a "$ini")"
# Read back at the next start: a start without a key writes the same capo.
run "$usr/bin/tamblin" "$sheet" ""
grep -qa $'^Capo=3\r$' "$ini" || fail "capo 3 not read back"
[ "$(listing)" = "$before" ] || fail "something was written into the install folder"
chmod -R u+w "$root"

# A portable copy: its own folder, writable, keeps its settings.
portable=$work/portable
mkdir -p "$portable"
cp "$usr/bin/tamblin" "$usr/share/tamblin/POSITION.INI" "$portable/"
run "$portable/tamblin" "$sheet" 2
grep -qa $'^Capo=2\r$' "$portable/tamblin.INI" || fail "the portable copy kept no settings"
grep -qa $'^Capo=3\r$' "$ini" || fail "the portable copy wrote the user's settings"

# The Debian package: the same files, its dependencies worked out.
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" >/dev/null) \
  || fail "cpack"
deb=$(ls "$work"/pkg/tamblin_*.deb)
contents=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')
(cd "$root" && find . -type f | sed 's|^\.||') | while read -r f; do
  grep -qx "$f" <<<"$contents" || fail "not in the package: $f"
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6printsupport6 libicu fonts-ipafont-gothic; do
  grep -q "$d" <<<"$depends" || fail "Depends lacks $d: $depends"
done
# lintian, where it is installed: no error, no warning (info tags are fixed
# or overridden with a reason in packaging/lintian-overrides).
if command -v lintian >/dev/null; then
  out=$(lintian -EvI --pedantic "$deb" 2>&1 | grep -v '^N:\|root privileges' || true)
  ! grep -q '^[EW]:' <<<"$out" || fail "lintian: $out"
  ! grep -q '^[IP]:' <<<"$out" || fail "lintian, not overridden: $out"
fi
grep -q qt6-wayland <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "qt6-wayland not recommended"
echo "install: ok"
