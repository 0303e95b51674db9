#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the window and starts it. The program folder (settings,
# cookies, the login browser's profile, thumbnails and, at first, the save folder) is
# $ORVELLE_DIR, by default ~/Orvelle.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if [[ $(id -u) -eq 0 ]]; then
    bash scripts/setup.sh
elif command -v sudo >/dev/null; then
    sudo bash scripts/setup.sh
else
    bash scripts/setup.sh || echo "start.sh: could not install packages (run scripts/setup.sh as root)" >&2
fi

cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target orvelle -j "$(nproc)"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "start.sh: no display; run it on a desktop, or under 'xvfb-run -a scripts/start.sh'" >&2
    exit 1
fi

program_dir=${ORVELLE_DIR:-$HOME/Orvelle}
mkdir -p "$program_dir"
cd "$program_dir"
exec "$root/build/ui/orvelle"
