#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package orvelle_VERSION_ARCH.deb and prints its path.
#   bash scripts/package.sh            sets up, builds a release without the tests in build-package/
#                                      and packages it
#   bash scripts/package.sh BUILD_DIR  packages an existing build folder as it is configured
set -euo pipefail
cd "$(dirname "$0")/.."

dir=${1:-}
if [[ -z $dir ]]; then
    if [[ $(id -u) -eq 0 ]]; then
        bash scripts/setup.sh
    else
        sudo bash scripts/setup.sh
    fi
    dir=build-package
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVELLE_BUILD_TESTS=OFF >/dev/null
fi
if ! grep -q '^ORVELLE_BUILD_GUI:BOOL=ON' "$dir/CMakeCache.txt"; then
    echo "package.sh: $dir is configured without the window (ORVELLE_BUILD_GUI=OFF)" >&2
    exit 1
fi
cmake --build "$dir" -j "$(nproc)" >&2

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/CMakeCache.txt")
deb=$dir/orvelle_${version}_$(dpkg --print-architecture).deb
rm -f "$deb"
(cd "$dir" && cpack -G DEB) >&2
test -f "$deb"
echo "$deb"
