#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Packages a build folder (default: build) and checks the package as a user meets it: its files,
# an install with dpkg, orvelle-cli from the PATH, the menu entry and the software-centre data
# validated, the window started with the menu entry's command, and a clean removal. Run as root on
# a machine where Orvelle is not installed otherwise; the package is removed again at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

deb=$(bash scripts/package.sh "${1:-build}")
echo "package: $deb"

fail() {
    echo "package-check: $*" >&2
    exit 1
}

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for path in ./usr/bin/orvelle ./usr/bin/orvelle-cli \
    ./usr/share/applications/orvelle.desktop \
    ./usr/share/icons/hicolor/scalable/apps/orvelle.svg \
    ./usr/share/icons/hicolor/16x16/apps/orvelle.png ./usr/share/icons/hicolor/48x48/apps/orvelle.png \
    ./usr/share/icons/hicolor/256x256/apps/orvelle.png \
    ./usr/share/metainfo/io.github.orvelle.orvelle.metainfo.xml \
    ./usr/share/man/man1/orvelle-cli.1.gz ./usr/share/man/man1/orvelle.1.gz \
    ./usr/share/doc/orvelle/copyright ./usr/share/doc/orvelle/changelog.gz \
    ./usr/share/bash-completion/completions/orvelle-cli; do
    grep -qxF "$path" <<<"$contents" || fail "the package lacks $path"
done
# Only what users run: no tests, benchmarks or build tools.
if grep -E 'test_|bench|screenshots|icon_pngs|gtest|/include/|\.a$' <<<"$contents"; then
    fail "the package holds files that only the tests or the build use"
fi

# Debian's own checks of a package: no error and no warning.
lintian --fail-on error,warning --no-tag-display-limit "$deb" || fail "lintian found faults in $deb"

installed=
cleanup() {
    if [[ -n $installed ]]; then
        dpkg -r orvelle >/dev/null || true
    fi
    if [[ -n ${home:-} ]]; then
        rm -rf "$home"
    fi
}
trap cleanup EXIT

dpkg -i "$deb"
installed=1

[[ $(command -v orvelle-cli) == /usr/bin/orvelle-cli ]] || fail "orvelle-cli is not on the PATH from /usr/bin"
(cd / && orvelle-cli --help) | grep -q "Usage: orvelle-cli" || fail "orvelle-cli --help printed no usage"
[[ $(orvelle-cli --version) == "orvelle-cli $(dpkg-deb -f "$deb" Version)" ]] || fail "orvelle-cli --version is not the package's"
# The completion offers the commands, and the options once a command is typed.
completion=$(bash -c 'source /usr/share/bash-completion/completions/orvelle-cli
    COMP_WORDS=(orvelle-cli do); COMP_CWORD=1; _orvelle_cli; echo "${COMPREPLY[*]}"
    COMP_WORDS=(orvelle-cli download --al); COMP_CWORD=2; _orvelle_cli; echo "${COMPREPLY[*]}"')
[[ $completion == $'download\n--albums' ]] || fail "the bash completion offers: $completion"
desktop-file-validate /usr/share/applications/orvelle.desktop
appstreamcli validate --no-net /usr/share/metainfo/io.github.orvelle.orvelle.metainfo.xml

# The window from the menu entry's command, for a user with a fresh home: it must come up and keep
# its settings in the data folder, created for the user alone.
home=$(mktemp -d)
command=$(sed -n 's/^Exec=//p' /usr/share/applications/orvelle.desktop)
env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" xvfb-run -a bash -c '
    '"$command"' &
    window=$!
    for _ in $(seq 120); do
        [[ -f $HOME/.local/share/Orvelle/soft.dat ]] && break
        kill -0 $window 2>/dev/null || break
        sleep 0.5
    done
    kill $window 2>/dev/null || true
    wait $window 2>/dev/null || true'
[[ -f $home/.local/share/Orvelle/soft.dat ]] || fail "the installed window wrote no settings to ~/.local/share/Orvelle"
[[ $(stat -c %a "$home/.local/share/Orvelle") == 700 ]] || fail "~/.local/share/Orvelle is not 0700"

dpkg -r orvelle
installed=
if command -v orvelle-cli >/dev/null || [[ -e /usr/share/applications/orvelle.desktop ]]; then
    fail "files are left after removing the package"
fi
echo "package-check: all good"
