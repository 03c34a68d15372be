#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds, and restyles the bundled example projects (VB4, then VB3) with
# the command-line driver. With --gui, starts the desktop program afterwards (needs a display).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
echo "Building (log in build/build.log)..."
cmake --build build -j "$jobs" > build/build.log 2>&1 || { tail -n 40 build/build.log; exit 1; }
# The example's settings live beside the build, never in the user's own settings directory.
export XDG_CONFIG_HOME="$PWD/build/example-config"
# The output goes beside the build too, so the example's own directory stays as shipped.
./build/src/cli/quillmate-cli --output build/example-output/vb4 examples/vb4/Inventory.vbp
./build/src/cli/quillmate-cli --output build/example-output/vb3 examples/vb3/LEDGER.MAK
if [ "${1:-}" = "--gui" ] && [ -x build/src/gui/quillmate ]; then
  exec ./build/src/gui/quillmate
fi
