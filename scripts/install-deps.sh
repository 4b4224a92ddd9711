#!/usr/bin/env bash
# Installs every Debian package Ferrovane needs to build, run and test.
# Idempotent: when everything is already present it touches nothing (no apt at all).
set -euo pipefail

packages=(
  # compile
  g++ cmake ninja-build pkg-config
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  # the Qt 6 shell (qt6-svg-dev is the real package; libqt6svg6-dev is only a name it provides,
  # which dpkg never reports as installed)
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  # end-to-end tests and screenshots under a virtual X server, driven by a Python 3 script
  xvfb xauth xdotool xclip imagemagick fonts-dejavu-core python3
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
as_root=()
if [[ $(id -u) -ne 0 ]]; then
  if command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
  else
    echo "install-deps: not root and no sudo; please install: ${missing[*]}" >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update
"${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
