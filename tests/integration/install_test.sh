#!/bin/bash
# What `cmake --install` lays out, checked as a distribution would: the
# .desktop file (desktop-file-validate), the AppStream metainfo (appstreamcli
# validate --no-net) and its screenshot, the man pages (groff warnings), and
# the bash completion of vornixctl (commands, options, file kinds, port names).
#
# Usage: install_test.sh desktop|metainfo|man|completion BUILD_DIR
# Exit 77 (skipped) when the check's tool is missing.
set -u
CHECK=${1:?usage: install_test.sh CHECK BUILD_DIR}
BUILD=${2:?usage: install_test.sh CHECK BUILD_DIR}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
need() { command -v "$1" >/dev/null || { echo "SKIP: $1 is not installed"; exit 77; }; }

ID=org.vornix.VornixControl
SHARE=$WORK/usr/share
DESTDIR=$WORK cmake --install "$BUILD" --prefix /usr >"$WORK/install.log" 2>&1 ||
    { cat "$WORK/install.log"; fail "cmake --install failed"; }

check_desktop() {
    need desktop-file-validate
    desktop-file-validate "$SHARE/applications/$ID.desktop" || fail "desktop-file-validate"
    grep -qx "Icon=$ID" "$SHARE/applications/$ID.desktop" || fail "the .desktop file names another icon"
    for icon in scalable/apps/$ID.svg 48x48/apps/$ID.png 128x128/apps/$ID.png \
        256x256/apps/$ID.png; do
        [ -s "$SHARE/icons/hicolor/$icon" ] || fail "no icon $icon"
    done
}

# Width and height from a PNG header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }'; }

check_metainfo() {
    need appstreamcli
    appstreamcli validate --no-net "$SHARE/metainfo/$ID.metainfo.xml" || fail "appstreamcli validate"
    local shot=$SHARE/doc/vornix-control/screenshots/main.png
    [ "$(png_size "$shot")" = 960x600 ] || fail "the screenshot is $(png_size "$shot"), not 960x600"
    for size in 48 128 256; do
        [ "$(png_size "$SHARE/icons/hicolor/${size}x${size}/apps/$ID.png")" = "${size}x${size}" ] ||
            fail "the ${size}x${size} icon has another size"
    done
}

check_man() {
    need groff
    for page in vornix-control vornixctl vornix-sim; do
        local file=$SHARE/man/man1/$page.1
        [ -s "$file" ] || fail "no man page $page.1"
        groff -man -Tutf8 -ww -z "$file" 2>"$WORK/warnings" || fail "groff failed on $page.1"
        [ ! -s "$WORK/warnings" ] || { cat "$WORK/warnings"; fail "groff warns about $page.1"; }
        grep -q '^\.SH NAME' "$file" || fail "$page.1 has no NAME section"
    done
    for option in --name --ir-dump-checksum-offset --version --state; do
        grep -q -- "${option//-/\\\\-}" "$SHARE/man/man1/vornix-sim.1" || fail "vornix-sim.1 lacks $option"
    done
    grep -q 'Escape' "$SHARE/man/man1/vornix-control.1" || fail "vornix-control.1 does not list the keys"
    grep -q 'ir\\-convert' "$SHARE/man/man1/vornixctl.1" || fail "vornixctl.1 does not list the commands"
}

# complete WORDS...: what the completion offers for the last word.
complete_line() {
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE="$*"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _vornixctl vornixctl "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}" | sort
}

check_completion() {
    [ -f /usr/share/bash-completion/bash_completion ] ||
        { echo "SKIP: bash-completion is not installed"; exit 77; }
    # A vornixctl that lists two ports each way, one name with spaces.
    mkdir -p "$WORK/bin" "$WORK/files"
    cat >"$WORK/bin/vornixctl" <<'FAKE'
#!/bin/sh
printf 'MIDI API: JACK\ninputs:\n  Vornix Simulator Out:Vornix Simulator\n  system:midi_capture_1\noutputs:\n  Vornix Simulator In:Vornix Simulator\n'
FAKE
    chmod +x "$WORK/bin/vornixctl"
    touch "$WORK/files/a.kvb" "$WORK/files/b.kvp" "$WORK/files/c.wav" "$WORK/files/d.bin"
    PATH=$WORK/bin:$PATH
    cd "$WORK/files" || fail "no work folder"
    # shellcheck disable=SC1091
    source /usr/share/bash-completion/bash_completion
    source "$SHARE/bash-completion/completions/vornixctl"
    expect() {  # expect "OFFERS" WORDS...
        local wanted=$1
        shift
        local got
        got=$(complete_line "$@" | paste -sd' ')
        [ "$got" = "$wanted" ] || fail "vornixctl $* offers \"$got\", not \"$wanted\""
    }
    expect "reset restore" vornixctl re
    expect "--simulator --stdio" vornixctl --s
    expect "a.kvb" vornixctl --simulator backup ""
    expect "b.kvp" vornixctl preset-import ""
    expect "c.wav" vornixctl ir-convert ""
    expect "d.bin" vornixctl firmware ""
    expect "all presets settings" vornixctl reset ""
    expect 'Vornix\ Simulator\ Out:Vornix\ Simulator' vornixctl --in Vor
    expect 'Vornix\ Simulator\ In:Vornix\ Simulator' vornixctl --out ""
    expect 'Vornix\ Simulator\ In:Vornix\ Simulator off' vornixctl ports --use off ""
}

case $CHECK in
    desktop) check_desktop ;;
    metainfo) check_metainfo ;;
    man) check_man ;;
    completion) check_completion ;;
    *) fail "unknown check $CHECK" ;;
esac
echo "PASS"
