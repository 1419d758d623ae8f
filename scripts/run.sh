#!/usr/bin/env bash
# Installs what the program needs, builds it in build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh cmake make g++
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DBGDIFF_BENCH=OFF
cmake --build build -j"$(nproc)"
echo "bgdiff: the imaging libraries are built in build/. The program's window comes with the"
echo "capture and main-window layers; until then 'bash scripts/test.sh' exercises what exists."
