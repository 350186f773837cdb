#!/bin/bash
# The Debian package as scripts/package makes it, from the build folder: its
# file list, dependencies found from the binaries, and the programs run from
# the unpacked tree (vornixctl --version, vornix-control --render-to).
#
# Usage: package_test.sh BUILD_DIR
# Exit 77 (skipped) when cpack, dpkg-deb or dpkg-shlibdeps is missing.
set -u
BUILD=${1:?usage: package_test.sh BUILD_DIR}
for tool in cpack dpkg-deb dpkg-shlibdeps; do
    command -v $tool >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cpack --config "$BUILD/CPackConfig.cmake" -B "$WORK/out" >"$WORK/cpack.log" 2>&1 ||
    { cat "$WORK/cpack.log"; fail "cpack failed"; }
DEB=$(ls "$WORK"/out/vornix-control_*.deb 2>/dev/null | head -1)
[ -n "$DEB" ] || fail "cpack made no vornix-control_*.deb: $(ls "$WORK/out")"

dpkg-deb -c "$DEB" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./||' | sort >"$WORK/files"
cat >"$WORK/expected" <<'LIST'
usr/bin/vornix-control
usr/bin/vornix-sim
usr/bin/vornixctl
usr/share/applications/org.vornix.VornixControl.desktop
usr/share/bash-completion/completions/vornixctl
usr/share/doc/vornix-control/screenshots/main.png
usr/share/icons/hicolor/128x128/apps/org.vornix.VornixControl.png
usr/share/icons/hicolor/256x256/apps/org.vornix.VornixControl.png
usr/share/icons/hicolor/48x48/apps/org.vornix.VornixControl.png
usr/share/icons/hicolor/scalable/apps/org.vornix.VornixControl.svg
usr/share/man/man1/vornix-control.1
usr/share/man/man1/vornix-sim.1
usr/share/man/man1/vornixctl.1
usr/share/metainfo/org.vornix.VornixControl.metainfo.xml
LIST
diff "$WORK/expected" "$WORK/files" >"$WORK/diff" ||
    { cat "$WORK/diff"; fail "the package's files differ from the list (< expected, > packaged)"; }

DEPENDS=$(dpkg-deb -f "$DEB" Depends)
for library in libgtk-3-0 librtmidi6 librtaudio6 libc6; do
    grep -q "$library" <<<"$DEPENDS" || fail "Depends lacks $library: $DEPENDS"
done

dpkg-deb -x "$DEB" "$WORK/root"
VERSION=$("$WORK/root/usr/bin/vornixctl" --version) || fail "vornixctl --version failed"
[[ $VERSION =~ ^vornixctl\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "vornixctl --version printed \"$VERSION\""
grep -q "^Version: ${VERSION#vornixctl }" <(dpkg-deb -f "$DEB") ||
    fail "the package's version is not the program's (${VERSION#vornixctl })"
ASAN_OPTIONS=detect_leaks=0 "$WORK/root/usr/bin/vornix-control" --render-to "$WORK/page.png" \
    --simulator --data-dir "$WORK/data" 2>"$WORK/render.err" ||
    { cat "$WORK/render.err"; fail "vornix-control --render-to failed from the unpacked tree"; }
[ "$(head -c 8 "$WORK/page.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
    fail "--render-to wrote no PNG"
echo "PASS"
