#!/usr/bin/env bash
# The Debian package as a user gets it: built by CPack from this build, its
# files and dependencies, the launcher and the metadata valid, and the
# installed programs working from the unpacked tree on a copy of the data
# made in a temporary home.   check_package.sh BUILD_DIR
set -euo pipefail
build_dir="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

(cd "$build_dir" && cpack -G DEB -B "$work/out" > "$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
deb="$(ls "$work"/out/indikt_*_amd64.deb)"
fail() { echo "FAIL: $*" >&2; exit 1; }

listing="$(dpkg-deb -c "$deb" | awk '{print $6}')"
for path in ./usr/bin/indikt ./usr/bin/indikt-cli ./usr/bin/indikt-events \
            ./usr/lib/indikt/indikt-install-data \
            ./usr/share/applications/org.indikt.Indikt.desktop \
            ./usr/share/metainfo/org.indikt.Indikt.metainfo.xml \
            ./usr/share/icons/hicolor/48x48/apps/org.indikt.Indikt.png \
            ./usr/share/icons/hicolor/256x256/apps/org.indikt.Indikt.png \
            ./usr/share/man/man1/indikt.1.gz ./usr/share/man/man1/indikt-cli.1.gz \
            ./usr/share/man/man1/indikt-events.1.gz ./usr/share/doc/indikt/changelog.gz \
            ./usr/share/doc/indikt/copyright ./usr/share/indikt/data/version.txt; do
  grep -qxF "$path" <<< "$listing" || fail "the package lacks $path"
done
depends="$(dpkg-deb -f "$deb" Depends)"
for library in libqt6widgets6 libqt6dbus6 libc6 qt6-qpa-plugins; do
  grep -q "$library" <<< "$depends" || fail "Depends lacks $library: $depends"
done

dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/org.indikt.Indikt.desktop" 2>/dev/null ||
  { command -v desktop-file-validate >/dev/null && fail "the launcher is not a valid desktop entry"; }
appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.indikt.Indikt.metainfo.xml" > "$work/as.log" 2>&1 ||
  { cat "$work/as.log"; fail "the metadata does not validate"; }

# The installed companion finds the installed tree through the user's copy.
export HOME="$work/home" XDG_DATA_HOME="$work/home/data-home" XDG_STATE_HOME="$work/home/state"
mkdir -p "$HOME"
"$work/root/usr/bin/indikt-events" --now 2026-12-09T10:00 s
copy="$XDG_DATA_HOME/indikt/data"
[ -f "$copy/version.txt" ] || fail "no user copy of the tree in $copy"
cmp -s "$copy/.bundled-version" "$work/root/usr/share/indikt/data/version.txt" || fail "the copy does not record its version"
"$work/root/usr/bin/indikt-cli" readings 2027-01-07 --data-root "$copy" | grep -q '"gospel"' ||
  fail "indikt-cli reads no readings from the copy"
echo "package ok: $(basename "$deb"), $(grep -c . <<< "$listing") entries; Depends: $depends"
