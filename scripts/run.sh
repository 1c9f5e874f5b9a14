#!/usr/bin/env bash
# Installs what is missing, builds Torvak (the program and its emulated head,
# nothing else) and starts it; arguments go to the program (torvak --help).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target torvak torvak-headsim
exec build/bin/torvak "$@"
