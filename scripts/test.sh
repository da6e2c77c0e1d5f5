#!/usr/bin/env bash
# Builds korva and its tests with AddressSanitizer and UndefinedBehaviorSanitizer
# in build-test/ and runs the whole suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build-test" -DCMAKE_BUILD_TYPE=Debug -DKORVA_SANITIZE=ON -DKORVA_BENCH=ON
cmake --build "$root/build-test" -j"$(nproc)"
ctest --test-dir "$root/build-test" --output-on-failure -j"$(nproc)"
