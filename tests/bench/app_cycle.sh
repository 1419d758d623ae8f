#!/usr/bin/env bash
# Measures the whole program with the test scene: from process start to the
# first painted window, then one minute of the grab cycle (a tick a second, a
# background and a detection every 10 s): CPU share of one core and resident
# memory. Run after scripts/test.sh has built build/.
set -euo pipefail
cd "$(dirname "$0")/../.."
./build/tests/bench/bgdiff_app_bench --benchmark_counters_tabular=true "$@"
