#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Orvelle builds with, when any is missing. Run as root.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    libcurl4-openssl-dev zlib1g-dev
    libgtest-dev libgmock-dev libcpp-httplib-dev nlohmann-json3-dev
    aria2 curl
    qt6-base-dev qt6-webengine-dev qt6-image-formats-plugins qt6-translations-l10n libgl1-mesa-dev
    xvfb xauth fonts-noto-cjk
    dpkg-dev file desktop-file-utils appstream lintian
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
