#!/usr/bin/env bash
# Installs the Debian packages that building and testing korva need and a bare
# machine lacks (run as root, or with sudo): the compiler and CMake,
# GoogleTest/GoogleMock and Google Benchmark, libedit (line editing at the
# terminal), tmux (the terminal tests), strace and e2fsprogs (the fault tests),
# clang-14 and its libFuzzer runtime (the fuzz targets).
set -euo pipefail
needed="cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev libedit-dev tmux strace e2fsprogs clang-14 libclang-rt-14-dev"
missing=""
for pkg in $needed; do
  dpkg -s "$pkg" >/dev/null 2>&1 || missing="$missing $pkg"
done
if [ -n "$missing" ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y $missing
fi
