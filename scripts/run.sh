#!/usr/bin/env bash
# Installs what is missing and builds everything.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc 2>/dev/null || echo 2)"
echo "Built. The program will be build/src/shell/vq530t-link once the main window exists;"
echo "the controller emulator will be build/emulator/vq530t-emulator."
