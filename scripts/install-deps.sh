#!/usr/bin/env bash
# Installs the Debian packages that building and testing korva need and a bare
# machine lacks (run as root, or with sudo): the compiler and CMake,
# GoogleTest/GoogleMock and Google Benchmark, libedit (line editing at the
# terminal), tmux (the terminal tests), strace and e2fsprogs (the fault tests),
# GNU time (the peak memory of korva-vbrun in its tests),
# clang-14 and its libFuzzer runtime (the fuzz targets); for korva-ver,
# pkg-config, Graphviz (the diagram's layout), PLplot with its cairo driver
# (the charts, PNG through cairo) and pugixml (reading and writing SVG, and
# korva-xmile's XMILE files).
set -euo pipefail
needed="cmake g++ make time libgtest-dev libgmock-dev libbenchmark-dev libedit-dev tmux strace e2fsprogs clang-14 libclang-rt-14-dev pkg-config libgraphviz-dev libplplot-dev plplot-driver-cairo libpugixml-dev"
missing=""
for pkg in $needed; do
  dpkg -s "$pkg" >/dev/null 2>&1 || missing="$missing $pkg"
done
# As root the packages are installed directly, otherwise through sudo.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    env DEBIAN_FRONTEND=noninteractive "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo env DEBIAN_FRONTEND=noninteractive "$@"
  else
    echo "install-deps: missing packages:$missing; run this script as root" >&2
    exit 1
  fi
}
if [ -n "$missing" ]; then
  as_root apt-get update
  as_root apt-get install -y $missing
fi
