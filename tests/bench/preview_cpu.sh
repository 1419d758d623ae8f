#!/usr/bin/env bash
# Measures the capture preview with the test scene: the time from connecting
# to the first painted picture, and the CPU share of one core the process
# uses while the preview runs at 320 x 240 every 100 ms for 30 s.
# Run after scripts/test.sh has built build/.
set -euo pipefail
cd "$(dirname "$0")/../.."
./build/tests/bench/bgdiff_capture_bench --benchmark_counters_tabular=true "$@"
