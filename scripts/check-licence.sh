#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Lists every source file without its SPDX licence line, and fails when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

missing=$(find . -path ./tests/fixtures -prune -o -path './build*' -prune -o -path ./.git -prune -o \
    -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.cmake' -o -name '*.sh' -o -name '*.in' \
    -o -name CMakeLists.txt -o -name '*.bash-completion' -o -name '*.desktop' \) -print |
    grep -v '^./packaging/changelog.in$' | while read -r file; do
        head -3 "$file" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' || echo "$file"
    done)
if [[ -n $missing ]]; then
    echo "check-licence: these files lack the line 'SPDX-License-Identifier: GPL-3.0-or-later':" >&2
    echo "$missing" >&2
    exit 1
fi
