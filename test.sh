#!/usr/bin/env bash
# Installs what is missing, builds everything with assertions enabled (build/test) and runs every
# test.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)

# RelWithDebInfo without -DNDEBUG: optimised, with assertions.
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g" >/dev/null
cmake --build build/test
ctest --test-dir build/test --output-on-failure -j "$jobs"
