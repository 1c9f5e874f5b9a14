#!/usr/bin/env bash
# Installs what is missing, builds Torvak and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
if [ -x build/app/torvak ]; then
  exec build/app/torvak
fi
