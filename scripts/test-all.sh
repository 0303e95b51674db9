#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up, builds and runs every test: a normal build and its Debian package (installed, checked
# and removed again), then the same tests under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

jobs=$(nproc)

run_suite() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@"
    cmake --build "$dir" -j "$jobs"
    ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

echo "== normal build =="
run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo

echo "== Debian package =="
bash scripts/package-check.sh build

echo "== address and undefined-behaviour sanitizers =="
# The window links Qt WebEngine, whose helper process does not run under the sanitizers; the
# sanitizer suites cover everything below the window.
run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DORVELLE_SANITIZE=address,undefined -DORVELLE_BUILD_GUI=OFF

# The threaded parts: the worker pool, the jobs and the grid's data, under ThreadSanitizer.
echo "== thread sanitizer: pool, jobs, emission =="
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVELLE_SANITIZE=thread -DORVELLE_BUILD_GUI=OFF
cmake --build build-tsan -j "$jobs" --target test_engine test_listjob test_emission
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$(pwd)/tests/tsan.supp" \
    ctest --test-dir build-tsan --output-on-failure -j "$jobs" -L "^(engine|listjob|emission)$"
