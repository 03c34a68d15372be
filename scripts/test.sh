#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds everything with warnings on, and runs every test; then
# cross-builds quillmate-cli.exe and compares it under Wine with the Linux build
# (QUILLMATE_SKIP_WINDOWS=1 leaves that part out).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMATE_GUI=ON -DBUILD_TESTING=ON >/dev/null
cmake --build build -j "$jobs"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j "$jobs"
if [ "${QUILLMATE_SKIP_WINDOWS:-0}" != 1 ]; then
  bash scripts/build-windows.sh --test
fi
