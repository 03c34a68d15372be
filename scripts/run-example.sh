#!/usr/bin/env bash
# Installs what is missing, builds, and restyles the bundled VB4 example project with the
# command-line driver. With --gui, starts the desktop program afterwards (needs a display).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
# The example's settings live beside the build, never in the user's own settings directory.
export XDG_CONFIG_HOME="$PWD/build/example-config"
# The output goes beside the build too, so the example's own directory stays as shipped.
./build/src/cli/quillmate-cli --output build/example-output/vb4 examples/vb4/Inventory.vbp
if [ "${1:-}" = "--gui" ] && [ -x build/src/gui/quillmate ]; then
  exec ./build/src/gui/quillmate
fi
