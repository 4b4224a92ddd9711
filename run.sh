#!/usr/bin/env bash
# Installs what is missing, builds Ferrovane (Release, build/release) and starts it.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DFERROVANE_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build/release

app=build/release/src/app/ferrovane
if [[ ! -x "$app" ]]; then
  echo "run.sh: $app was not built (is FERROVANE_BUILD_APP off in build/release?); the headless renderer is build/release/src/tools/ferrovane-render." >&2
  exit 1
fi
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "run.sh: no display found (DISPLAY is not set); Ferrovane needs a desktop session to show its window." >&2
  exit 1
fi
exec "$app" "$@"
